# Each library exports an include root of its own that holds only its own folder,
# so that a target reaches the headers of the libraries it links and no others:
# build/include/<target>/<folder> is a link to the source folder.
get_filename_component(SG8_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

function(sg8_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${SG8_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC RESULT failed)
    if(failed)
      # No symbolic links here (Windows without the right): a copy of the headers,
      # made again whenever one of them changes.
      file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${SG8_SOURCE_ROOT}/${folder}
           ${SG8_SOURCE_ROOT}/${folder}/*.h)
      foreach(header ${headers})
        configure_file(${SG8_SOURCE_ROOT}/${folder}/${header} ${root}/${folder}/${header} COPYONLY)
      endforeach()
    endif()
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

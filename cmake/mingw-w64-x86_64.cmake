# Cross-compiles for 64-bit Windows with mingw-w64's posix thread model (the win32
# model of GCC 12 has no std::mutex or std::thread). Everything is linked
# statically, so the .exe files need no DLL beside them.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SG8_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SG8_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SG8_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SG8_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SG8_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The sources are UTF-8; wide-character APIs are the default.
set(CMAKE_CXX_FLAGS_INIT "-DUNICODE -D_UNICODE")

# Tests run the .exe files through Wine where it is installed (ctest and test discovery).
find_program(SG8_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(SG8_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SG8_WINE})
endif()

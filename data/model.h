#pragma once

#include "data/file_identity.h"
#include "data/general.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace sg8 {

/// The open save file as the program holds it. The program owns one; nothing
/// in the core keeps one of its own.
struct Model {
    GeneralList generals;             ///< GeneralList: record r + 1 is row r
    std::int32_t trailerValue = 0;    ///< TrailerValue: the int that ends the file
    std::filesystem::path savePath;   ///< SavePath: empty until a file is loaded
    bool unsavedEdits = false;        ///< a confirmed edit has not been saved yet
    /// What the file was when it was loaded or last saved; a save refuses to
    /// replace anything else. Nothing when unknown.
    std::optional<FileIdentity> fileIdentity;
};

/// An empty list, TrailerValue 0, no file.
void initModel(Model& model);

/// Replaces the generals by `count` fresh records.
void resetGeneralList(Model& model, std::size_t count);

/// Puts a copy of `record` into `place`: the copy is made first, so putting a
/// record into its own place is safe.
void putGeneral(CustomGeneral& place, const CustomGeneral& record);

/// Puts `record` into the place of general `index` (0-based) and marks the model
/// as having unsaved edits when that changes it. Returns whether it changed.
bool storeGeneral(Model& model, std::size_t index, const CustomGeneral& record);

/// Installs a loaded file as a whole: generals, trailing value, path and what the
/// file was when it was read (LoadedFile::identity); there are no unsaved edits
/// afterwards.
void installFile(Model& model, GeneralList generals, std::int32_t trailerValue, std::filesystem::path path,
                 std::optional<FileIdentity> identity = std::nullopt);

}  // namespace sg8

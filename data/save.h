#pragma once

#include "data/error.h"
#include "data/file_identity.h"
#include "data/general.h"
#include "data/model.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace sg8 {

/// The answer to "是否在原目录备份原存档文件？".
enum class Backup { No, Yes };

/// What to do when the file on disk is no longer the one the model was loaded from.
enum class IfChanged {
    Refuse,     ///< fail with the "file changed" error, writing nothing
    Overwrite,  ///< the user agreed: the changed file goes into the history and is replaced
};

struct SaveOutcome {
    bool backupMade = false;        ///< the old file now stands at <path>.bak
    bool originalMissing = false;   ///< there was no file at the path: nothing to back up
    std::filesystem::path keptVersion;  ///< the old file's version in the history; empty when none was needed
    FileIdentity written;           ///< what the file is now
};

/// <path>.bak: the whole file name stays in front of the suffix.
std::filesystem::path backupPathFor(const std::filesystem::path& path);

/// Writes generals and trailing value to `path`, so that no failure loses the
/// file that was there. In this order: the bytes are encoded and checked to load
/// back to the same generals; the old file is read and kept in its backup history
/// (backup_history.h); on Backup::Yes it is also copied to <path>.bak; then, right
/// before the file is replaced atomically, the save checks that the file on disk
/// is still what it read; last the new file is read back and the history pruned.
/// A failed step stops the save with the old file in place.
///
/// `expected` is what the caller knows the file to be (its identity when it was
/// loaded; an identity that doesn't exist for a file that wasn't there). When the
/// file is something else the save fails with an error for which
/// isFileChangedError is true and writes nothing. Without `expected` the save takes
/// the file as it finds it.
Result<SaveOutcome> saveGeneralsTo(const std::filesystem::path& path, const GeneralList& generals,
                                   std::int32_t trailerValue, Backup backup,
                                   const std::optional<FileIdentity>& expected = std::nullopt);

/// The same safe save for bytes that are a whole save file already (a restored
/// version): they must load, and they are written exactly.
Result<SaveOutcome> saveBytesTo(const std::filesystem::path& path, const ByteString& bytes, Backup backup,
                                const std::optional<FileIdentity>& expected = std::nullopt);

/// Saves the model to its save path; an error when no file has been loaded. The
/// file must still be what the model loaded (Model::fileIdentity) unless
/// `ifChanged` says to overwrite it. On success the model's identity becomes the
/// written file's; nothing else of the model changes (the caller clears its
/// unsaved mark).
Result<SaveOutcome> saveSaveFile(Model& model, Backup backup, IfChanged ifChanged = IfChanged::Refuse);

/// True for the error of a save that found the file changed since it was loaded.
bool isFileChangedError(const Error& error);

}  // namespace sg8

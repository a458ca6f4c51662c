#pragma once

#include "data/error.h"
#include "data/general.h"
#include "data/model.h"

#include <cstdint>
#include <filesystem>

namespace sg8 {

/// The answer to "是否在原目录备份原存档文件？".
enum class Backup { No, Yes };

struct SaveOutcome {
    bool backupMade = false;        ///< the old file now stands at <path>.bak
    bool originalMissing = false;   ///< there was no file at the path: nothing to back up
};

/// <path>.bak: the whole file name stays in front of the suffix.
std::filesystem::path backupPathFor(const std::filesystem::path& path);

/// Writes generals and trailing value to `path`, so that no failure loses the
/// file that was there: the bytes are encoded and checked to load back to the
/// same generals; on Backup::Yes the old file is copied to <path>.bak (a failed
/// backup stops the save); the file is replaced atomically and read back.
Result<SaveOutcome> saveGeneralsTo(const std::filesystem::path& path, const GeneralList& generals,
                                   std::int32_t trailerValue, Backup backup);

/// Saves the model to its save path; an error when no file has been loaded.
/// The model is not changed (the caller clears its unsaved mark on success).
Result<SaveOutcome> saveSaveFile(const Model& model, Backup backup);

}  // namespace sg8

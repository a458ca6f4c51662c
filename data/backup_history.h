#pragma once

#include "data/error.h"
#include "data/file_identity.h"
#include "data/save.h"
#include "data/text.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sg8 {

/// How many versions of one save file its history keeps.
inline constexpr std::size_t kKeptVersions = 50;

/// The folder that holds the backup history of every save file: SG8GEN_BACKUP_DIR
/// when it is set; otherwise %LOCALAPPDATA%\sg8gen\backups on Windows and
/// $XDG_DATA_HOME/sg8gen/backups (~/.local/share/sg8gen/backups by default)
/// elsewhere. Empty when none of them is known.
std::filesystem::path backupRoot();

/// The history folder of one save file: the file's name and a short hash of its
/// absolute path, so that two files of the same name keep apart.
std::filesystem::path historyFolderFor(const std::filesystem::path& saveFile);

/// One kept version of a save file.
struct BackupVersion {
    std::filesystem::path path;
    std::string time;                     ///< "2026-12-11 15:30:12": when the save that kept it ran (local time)
    std::uint64_t size = 0;               ///< in bytes
    std::optional<std::size_t> generals;  ///< nothing when the version doesn't load
};

/// The versions of a save file's history, newest first, each loaded to count its generals.
std::vector<BackupVersion> listBackupVersions(const std::filesystem::path& saveFile);

/// Keeps `bytes`, the save file as it is before a save replaces it, as the newest
/// version of its history, unless the newest version already holds these bytes.
/// The version is written to a temporary file and renamed into place, so a failure
/// lists no partial version. Gives the version's path, or an empty path when
/// nothing needed keeping.
Result<std::filesystem::path> keepBackupVersion(const std::filesystem::path& saveFile, const ByteString& bytes);

/// Removes all but the newest `keep` versions, and temporary files that a killed
/// save left in the history folder more than an hour ago.
void pruneBackupHistory(const std::filesystem::path& saveFile, std::size_t keep = kKeptVersions);

/// Puts a kept version (or any save file at `version`) back in place of the save
/// file through the safe save: the file being replaced goes into the history
/// first, so a restore can itself be undone. A version that isn't a loadable save
/// file is refused and nothing is written. `expected` is what the caller knows the
/// save file to be, as for saveGeneralsTo.
Result<SaveOutcome> restoreBackupVersion(const std::filesystem::path& saveFile, const std::filesystem::path& version,
                                         const std::optional<FileIdentity>& expected = std::nullopt);

}  // namespace sg8

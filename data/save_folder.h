#pragma once

#include <filesystem>

namespace sg8 {

/// Where the game keeps its saves inside a user's profile folder: AppData\LocalLow\UserJoy\SG8.
std::filesystem::path saveFolderInProfile();

/// The folder the open dialog starts in: the game's save folder of the current
/// user when it can be found, otherwise the user's home folder.
std::filesystem::path gameSaveFolder();

/// The same, for the user whose home folder is `home` (Windows: the profile
/// folder; elsewhere: the game's folder inside its Proton prefix in one of the
/// user's Steam libraries).
std::filesystem::path gameSaveFolderIn(const std::filesystem::path& home);

}  // namespace sg8

#include "data/save_folder.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace sg8 {

namespace {

bool isFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

/// The library folders a Steam installation lists besides its own.
std::vector<std::filesystem::path> libraryFolders(const std::filesystem::path& steam)
{
    std::vector<std::filesystem::path> folders{steam};
    std::ifstream listing(steam / "steamapps" / "libraryfolders.vdf");
    std::string line;
    while (std::getline(listing, line)) {
        // Lines of the form: "path"		"/mnt/games/SteamLibrary"
        const std::size_t key = line.find("\"path\"");
        if (key == std::string::npos) continue;
        const std::size_t open = line.find('"', key + 6);
        const std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close != std::string::npos) folders.emplace_back(line.substr(open + 1, close - open - 1));
    }
    return folders;
}

}  // namespace

std::filesystem::path saveFolderInProfile()
{
    return std::filesystem::path("AppData") / "LocalLow" / "UserJoy" / "SG8";
}

std::filesystem::path gameSaveFolderIn(const std::filesystem::path& home)
{
    for (const char* steam : {".steam/steam", ".local/share/Steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        if (!isFolder(home / steam)) continue;
        for (const std::filesystem::path& library : libraryFolders(home / steam)) {
            std::error_code error;
            for (std::filesystem::directory_iterator prefix(library / "steamapps" / "compatdata", error), end;
                 !error && prefix != end; prefix.increment(error)) {
                const std::filesystem::path folder =
                    prefix->path() / "pfx" / "drive_c" / "users" / "steamuser" / saveFolderInProfile();
                if (isFolder(folder)) return folder;
            }
        }
    }
    return home;
}

std::filesystem::path gameSaveFolder()
{
    const char* home = std::getenv("HOME");
    return gameSaveFolderIn(home && *home ? std::filesystem::path(home) : std::filesystem::current_path());
}

}  // namespace sg8

#include "data/save_folder.h"

#include <cstdlib>
#include <system_error>

namespace sg8 {

std::filesystem::path saveFolderInProfile()
{
    return std::filesystem::path("AppData") / "LocalLow" / "UserJoy" / "SG8";
}

std::filesystem::path gameSaveFolderIn(const std::filesystem::path& home)
{
    std::error_code error;
    const std::filesystem::path folder = home / saveFolderInProfile();
    return std::filesystem::is_directory(folder, error) ? folder : home;
}

std::filesystem::path gameSaveFolder()
{
    // The wide form: a profile folder named in Chinese doesn't survive the code page.
    const wchar_t* home = _wgetenv(L"USERPROFILE");
    return gameSaveFolderIn(home && *home ? std::filesystem::path(home) : std::filesystem::current_path());
}

}  // namespace sg8

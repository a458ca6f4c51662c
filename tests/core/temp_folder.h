#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it.

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace sg8::testing {

class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("sg8test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const
    {
        return path_ / std::u8string(name.begin(), name.end());
    }

    /// The names in the folder, sorted.
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            const std::u8string name = entry.path().filename().u8string();
            result.emplace_back(name.begin(), name.end());
        }
        std::sort(result.begin(), result.end());
        return result;
    }

private:
    std::filesystem::path path_;
};

}  // namespace sg8::testing

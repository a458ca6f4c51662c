#pragma once

// A fresh folder under the system's temporary folder, removed with what it holds.

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace sg8::testing {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("sg8reliability-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    /// The names in the folder, sorted.
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            result.push_back(entry.path().filename().string());
        }
        std::sort(result.begin(), result.end());
        return result;
    }

private:
    std::filesystem::path path_;
};

}  // namespace sg8::testing

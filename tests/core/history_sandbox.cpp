#include "tests/core/history_sandbox.h"

#include <cstdlib>
#include <random>
#include <string>
#include <system_error>

namespace sg8::testing {
namespace {

class Sandbox {
public:
    Sandbox()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("sg8history-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
        setEnvironment("SG8GEN_BACKUP_DIR", path_);
    }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;
    ~Sandbox()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const Sandbox& sandbox()
{
    static const Sandbox instance;
    return instance;
}

// Made when the program starts, before any test; removed when it ends.
[[maybe_unused]] const Sandbox& madeAtStart = sandbox();

}  // namespace

const std::filesystem::path& sandboxBackupRoot()
{
    return sandbox().path();
}

void setEnvironment(const char* name, const std::filesystem::path& value)
{
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    _wputenv_s(wideName.c_str(), value.c_str());
#else
    if (value.empty()) {
        ::unsetenv(name);
    } else {
        ::setenv(name, value.c_str(), 1);
    }
#endif
}

BackupRootOverride::BackupRootOverride(const std::filesystem::path& folder)
{
#ifdef _WIN32
    const wchar_t* before = _wgetenv(L"SG8GEN_BACKUP_DIR");
#else
    const char* before = std::getenv("SG8GEN_BACKUP_DIR");
#endif
    if (before) before_ = before;
    setEnvironment("SG8GEN_BACKUP_DIR", folder);
}

BackupRootOverride::~BackupRootOverride()
{
    setEnvironment("SG8GEN_BACKUP_DIR", before_);
}

}  // namespace sg8::testing

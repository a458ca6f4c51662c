#include "toolkit/shell.h"

#include "toolkit/backend.h"

#include <utility>

namespace sg8 {

namespace {

struct Hooks {
    bool recordedByTests = false;
    std::optional<std::string> opened;
};

Hooks& hooks()
{
    static Hooks instance;
    return instance;
}

}  // namespace

bool openFolder(std::string_view utf8Path)
{
    if (hooks().recordedByTests) {
        hooks().opened = std::string(utf8Path);
        return true;
    }
    return backend::showFolder(utf8Path);
}

std::optional<std::string> takeOpenedFolder()
{
    hooks().recordedByTests = true;
    return std::exchange(hooks().opened, std::nullopt);
}

}  // namespace sg8

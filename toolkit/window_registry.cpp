#include "toolkit/backend.h"

#include <algorithm>

namespace sg8 {

namespace {

std::vector<Window*>& windows()
{
    static std::vector<Window*> all;
    return all;
}

}  // namespace

void registerWindow(Window* window) { windows().push_back(window); }

void unregisterWindow(Window* window) { std::erase(windows(), window); }

const std::vector<Window*>& existingWindows() { return windows(); }

}  // namespace sg8

#include "toolkit/test_driver.h"

#include "toolkit/application.h"
#include "toolkit/backend.h"

#include <chrono>
#include <thread>

namespace sg8::driver {

Window* findWindow(std::string_view designName)
{
    for (Window* window : existingWindows()) {
        if (window->name() == designName && window->isVisible()) return window;
    }
    return nullptr;
}

bool windowExists(std::string_view designName)
{
    for (Window* window : existingWindows()) {
        if (window->name() == designName) return true;
    }
    return false;
}

bool waitUntil(const std::function<bool()>& condition, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        processEvents();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace sg8::driver

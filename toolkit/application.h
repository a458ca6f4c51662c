#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sg8 {

class Window;

/// The toolkit's application: one per process, made before the first window.
/// Where one already exists (a test harness made it) the toolkit uses that one.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// The command-line arguments after the program name, as UTF-8.
    std::vector<std::string> arguments() const;
    /// Shows `window` and runs the message loop until it has closed.
    int run(Window& window);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

/// Handles the events already queued for the calling thread, then returns.
void processEvents();

/// Runs `task` on the window thread once the running handler has returned. Safe
/// to call from any thread.
void postToWindowThread(std::function<void()> task);

/// Whether the caller runs on the window thread.
bool onWindowThread();

}  // namespace sg8

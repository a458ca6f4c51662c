#pragma once

#include "toolkit/controls.h"
#include "toolkit/design.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sg8 {

/// The events a handler can be bound to.
enum class ControlEvent {
    Clicked,        ///< button
    TextChanged,    ///< edit box, by the user or the program
    DoubleClicked,  ///< list view
};

/// A window built from its design. Handlers run on the window thread; a
/// std::bad_alloc escaping one ends the program through the fatal error report.
class Window {
public:
    explicit Window(const WindowDesign& design);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    EditBox editBox(std::string_view name) const;
    Label label(std::string_view name) const;
    GroupBox groupBox(std::string_view name) const;
    Button button(std::string_view name) const;
    ComboBox comboBox(std::string_view name) const;
    ListView listView(std::string_view name) const;

    void bind(std::string_view control, ControlEvent event, std::function<void()> handler);
    /// Asked when the user closes the window; false keeps it open.
    void onCloseRequest(std::function<bool()> handler);
    /// Files dropped on the window, as UTF-8 paths; without a handler drops are refused.
    void onFilesDropped(std::function<void(std::vector<std::string>)> handler);

    /// Shows the window modeless.
    void show();
    /// Shows the window modal to the application and returns at once; `whenClosed`
    /// runs on the window thread once the window has closed, however it closed.
    /// The owner takes no input meanwhile.
    void showModal(std::function<void()> whenClosed);
    /// Closes the window once the running handler has returned.
    void close();
    bool isVisible() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace sg8

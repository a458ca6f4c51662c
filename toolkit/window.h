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
    TextChanged,    ///< edit or search box: the user's changes and text the program sets alike
    DoubleClicked,  ///< list view
};

/// A window built from its design. Handlers run on the window thread; a
/// std::bad_alloc escaping one ends the program through the fatal error report.
///
/// A handler may destroy the window it belongs to only from the `whenClosed`
/// handler of showModal: that one runs after the window's own events are done
/// with. Every other handler must leave its window alive.
class Window {
public:
    explicit Window(const WindowDesign& design);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    /// The design name the window was made from.
    const std::string& name() const;

    EditBox editBox(std::string_view name) const;  ///< edit, multi-line edit and search boxes
    Label label(std::string_view name) const;
    GroupBox groupBox(std::string_view name) const;
    Button button(std::string_view name) const;
    ComboBox comboBox(std::string_view name) const;
    ListView listView(std::string_view name) const;

    void bind(std::string_view control, ControlEvent event, std::function<void()> handler);
    /// A click on a column header of a list view; the handler gets the column.
    /// Without a handler the header doesn't react to clicks.
    void onHeaderClicked(std::string_view list, std::function<void(int column)> handler);
    /// A key pressed anywhere in the window ("Ctrl+S", "F2", "Enter", "Escape",
    /// "Down", …; see keys.h). The handler returns whether it used the key; an
    /// unused key goes on to the control that has the focus. Enter in a multi-line
    /// edit box starts a new line there and never reaches a window's key handler.
    void bindKey(std::string_view chord, std::function<bool()> handler);
    /// The same, only while `control` has the focus; it is asked before the window's.
    void bindKey(std::string_view control, std::string_view chord, std::function<bool()> handler);
    /// Asked when the user closes the window; false keeps it open.
    void onCloseRequest(std::function<bool()> handler);
    /// Files dropped on the window, as UTF-8 paths; without a handler drops are refused.
    void onFilesDropped(std::function<void(std::vector<std::string>)> handler);

    std::string caption() const;
    void setCaption(std::string_view utf8);
    /// Puts the keyboard focus on the control (and selects an edit box's text).
    void focus(std::string_view control);
    /// The design name of the control that has the focus, empty when none has.
    std::string focusedControl() const;

    /// Shows the window modeless.
    void show();
    /// Shows the window modal to the application and returns at once; `whenClosed`
    /// runs on the window thread once the window has closed, however it closed, and
    /// may destroy this window. The other windows take no input meanwhile.
    void showModal(std::function<void()> whenClosed);
    /// Closes the window once the running handler has returned.
    void close();
    bool isVisible() const;

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace sg8

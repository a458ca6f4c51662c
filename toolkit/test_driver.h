#pragma once

// The test driver: works the real windows as a user would, through the window
// system's own input (clicks, keystrokes, characters, pastes), and reads back
// what the controls show. Every backend implements it, so that one window test
// runs on each. Controls are named by their design names. Input for a window that
// another, modal window blocks is lost, as the user's is.

#include "toolkit/window.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sg8::driver {

/// The visible window made from the design named `designName`, or nullptr.
Window* findWindow(std::string_view designName);
/// Whether a window made from the design exists, shown or not: a window that has
/// closed but whose owner hasn't destroyed it yet still exists.
bool windowExists(std::string_view designName);

/// Handles events until `condition` holds or `milliseconds` have passed; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000);

// Input.
void click(Window& window, std::string_view button);
/// A click on a row, which selects it; a row outside the list clicks the empty area.
void clickRow(Window& window, std::string_view list, int row);
void doubleClickRow(Window& window, std::string_view list, int row);
void clickHeader(Window& window, std::string_view list, int column);
/// Types the text into the control (which gets the focus) one character at a
/// time, as keystrokes at the caret; "\n" is the Enter key.
void typeText(Window& window, std::string_view control, std::string_view utf8);
/// Pastes the text at the caret, as Ctrl+V from the clipboard does.
void pasteText(Window& window, std::string_view control, std::string_view utf8);
/// Hands the text to the control as an input method commits a composition.
void commitInputMethod(Window& window, std::string_view control, std::string_view utf8);
/// Selects all of an edit box's text, so that what is typed next replaces it.
void selectAllText(Window& window, std::string_view control);
/// Moves the caret of an edit box to `position` (in characters).
void placeCaret(Window& window, std::string_view control, int position);
/// Presses a key ("Enter", "Ctrl+S"; see keys.h) on the control, which gets the
/// focus first; an empty control presses it on whatever has the focus.
void pressKey(Window& window, std::string_view control, std::string_view chord);
/// Picks the item of a drop-down list as the user does, with the mouse.
void pickItem(Window& window, std::string_view combo, int index);
/// Closes the window with its close box.
void closeWindow(Window& window);
/// Resizes the window, frame included.
void resizeWindow(Window& window, int width, int height);
/// Drops files (UTF-8 paths) on the window as the file manager does; returns
/// whether the window took them.
bool dropFiles(Window& window, const std::vector<std::string>& utf8Paths);

// What the user sees.
/// An edit box's text, a label's, button's or group box's caption, a drop-down
/// list's picked item (empty when none) or a list view's hint while it has no rows.
std::string shownText(Window& window, std::string_view control);
std::vector<std::string> comboItems(Window& window, std::string_view combo);
int shownRowCount(Window& window, std::string_view list);
std::string shownCell(Window& window, std::string_view list, int row, int column);
std::vector<std::string> shownHeaders(Window& window, std::string_view list);
int shownSelectedRow(Window& window, std::string_view list);
bool isEnabled(Window& window, std::string_view control);
/// The control's place and size in the window's client area.
struct Rect { int left, top, width, height; };
Rect controlRect(Window& window, std::string_view control);
/// The window's client area: left and top 0, its width and height.
Rect clientArea(Window& window);

}  // namespace sg8::driver

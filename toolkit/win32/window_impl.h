#pragma once

// The Win32 side of a Window and its controls, shared by the backend's sources
// and its test driver. Only toolkit/win32 sources include this.

#include "toolkit/design.h"
#include "toolkit/keys.h"
#include "toolkit/window_rules.h"
#include "toolkit/window.h"
#include "toolkit/win32/win32_text.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sg8 {

/// The rows of a virtual list view: asked from the source the first time a row
/// is needed, then kept.
struct ListRows {
    std::vector<std::optional<ListView::Row>> rows;
    ListView::RowSource source;
    std::vector<int> designedWidths;  ///< the columns' design widths, unscaled
    std::wstring shown;               ///< the text last handed to the list for drawing
    std::wstring hint;

    ListView::Row& row(int index);
    int count() const { return static_cast<int>(rows.size()); }
};

/// One control of a designed window.
struct NativeControl {
    ControlKind kind;
    std::string name;
    HWND hwnd = nullptr;
    RECT designed{};         ///< place in the window's client area, design pixels
    unsigned anchors = 0;
    std::string parent;      ///< a group box's name, or empty
    int byteLimit = 0;
    int id = 0;
    bool programSetting = false;
    wchar_t pendingHigh = 0;      ///< the first half of a character typed as a surrogate pair  ///< the program sets the text: no typing limit, one change event
    std::function<void()> clicked;
    std::function<void()> textChanged;
    std::function<void()> doubleClicked;
    std::function<void(int)> headerClicked;
    std::unique_ptr<ListRows> list;  ///< list views only
    struct Window::Impl* window = nullptr;
};

struct Window::Impl {
    std::string name;
    HWND hwnd = nullptr;
    SIZE designedClient{};  ///< client area in design pixels
    bool resizable = false;
    int dpi = 96;
    HFONT font = nullptr;
    std::vector<std::unique_ptr<NativeControl>> controls;
    std::map<std::string, NativeControl*, std::less<>> byName;
    std::vector<KeyBinding> keys;
    std::function<bool()> closeRequest;
    std::function<void()> closed;
    std::function<void(std::vector<std::string>)> filesDropped;
    HWND lastFocus = nullptr;  ///< the control that had the focus when the window was deactivated
    bool modal = false;
    std::vector<HWND> disabledByModal;
    // Cleared when the window goes: a late message then reaches no handler.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    NativeControl& find(std::string_view control, std::initializer_list<ControlKind> kinds) const;
    NativeControl& anyControl(std::string_view control) const;
    NativeControl* controlOf(HWND child) const;
    std::function<void()> guarded(std::function<void()> handler) const;
    /// Runs the key bindings for a key pressed on `target`; true when one used it.
    bool handleKey(const KeyChord& chord, HWND target);
    int scaled(int designPixels) const { return MulDiv(designPixels, dpi, 96); }
    /// The window's size, frame included, for a client area of `client` design pixels.
    SIZE windowSizeFor(SIZE client) const;
    void layOut();
    void applyDpi(int newDpi);
    /// Asks the close handler; hides the window when it agrees.
    void requestClose();
};

namespace win32 {

/// The window behind a top-level HWND of the toolkit, or nullptr.
Window::Impl* windowOf(HWND hwnd);

/// What the message loop does with each message: the window's and the focused
/// control's key bindings first, then Tab between controls, then the usual
/// translation and dispatch.
void dispatch(MSG& message);

/// Registers the window classes once, on the window thread.
void registerClasses();

/// The program's icon (icon 1 of the executable), else the system's.
HICON applicationIcon(bool small);

/// The window the current `run` ends with, if any.
void setMainWindow(HWND hwnd);
HWND mainWindow();

/// The edit boxes' typing limit on characters, pastes and input-method text.
void limitTypingOf(NativeControl& control);
/// The hint of an empty list view, drawn over it.
void drawHintOf(NativeControl& control);

/// The key chord of a WM_KEYDOWN, with the modifiers held now.
std::optional<KeyChord> chordOf(WPARAM virtualKey);
/// The virtual key that makes the chord's key.
UINT virtualKeyOf(const KeyChord& chord);

}  // namespace win32

}  // namespace sg8

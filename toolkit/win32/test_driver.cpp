#include "toolkit/test_driver.h"

#include "toolkit/application.h"
#include "toolkit/win32/window_impl.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

namespace sg8::driver {

namespace {

NativeControl& controlOf(Window& window, std::string_view name) { return window.impl().anyControl(name); }

HWND listOf(Window& window, std::string_view list) { return window.impl().find(list, {ControlKind::ListView}).hwnd; }

/// Whether the user's input reaches the window: a modal window disables the others.
bool takesInput(Window& window) { return IsWindowEnabled(window.impl().hwnd) != FALSE; }

/// Whether the user could reach the control: it and its window take input.
bool reachable(Window& window, HWND control)
{
    return IsWindowEnabled(control) && takesInput(window) && IsWindowVisible(control);
}

/// The control that takes the keyboard, with the focus put on it.
HWND keyboardTarget(Window& window, std::string_view control)
{
    HWND hwnd = controlOf(window, control).hwnd;
    if (GetActiveWindow() != window.impl().hwnd) SetActiveWindow(window.impl().hwnd);
    if (GetFocus() != hwnd) SetFocus(hwnd);
    return hwnd;
}

LPARAM pointAt(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y))); }

/// A press and a release of the left button at a point of `target`, through the queue.
void postClick(HWND target, int x, int y, bool doubled = false)
{
    PostMessageW(target, WM_MOUSEMOVE, 0, pointAt(x, y));
    PostMessageW(target, doubled ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, pointAt(x, y));
    PostMessageW(target, WM_LBUTTONUP, 0, pointAt(x, y));
    processEvents();
}

/// The middle of a row on screen, scrolled into view; below the rows for a row outside the list.
POINT rowPoint(HWND list, int row)
{
    RECT client{};
    GetClientRect(list, &client);
    const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (row < 0 || row >= rows) return {4, client.bottom - 4};
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT place{};
    place.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&place));
    const int x = std::max(static_cast<int>(place.left), 0) + 8;
    return {x, (place.top + place.bottom) / 2};
}

/// Sets which modifiers the keyboard holds, as the window system reads them.
void holdModifiers(bool ctrl, bool shift)
{
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE ctrlState = ctrl ? 0x80 : 0;
    const BYTE shiftState = shift ? 0x80 : 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = ctrlState;
    state[VK_SHIFT] = state[VK_LSHIFT] = shiftState;
    SetKeyboardState(state);
}

LPARAM keyData(UINT virtualKey, bool release)
{
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scanCode << 16);
    if (release) data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return data;
}

/// A key pressed and released on the focused window, through the message loop's
/// own path: bindings first, then the translation into characters.
void pressChord(const KeyChord& chord, HWND fallback)
{
    const UINT key = win32::virtualKeyOf(chord);
    holdModifiers(chord.ctrl, chord.shift);
    HWND target = GetFocus();
    if (!target) target = fallback;
    PostMessageW(target, WM_KEYDOWN, key, keyData(key, false));
    processEvents();
    target = GetFocus() ? GetFocus() : fallback;
    if (IsWindow(target)) PostMessageW(target, WM_KEYUP, key, keyData(key, true));
    processEvents();
    holdModifiers(false, false);
}

void putOnClipboard(HWND owner, std::wstring_view text)
{
    if (!OpenClipboard(owner)) throw std::runtime_error("the clipboard can't be opened");
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
        text.copy(chars, text.size());
        chars[text.size()] = L'\0';
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

}  // namespace

void click(Window& window, std::string_view button)
{
    HWND target = window.impl().find(button, {ControlKind::Button}).hwnd;
    if (!reachable(window, target)) return;
    RECT client{};
    GetClientRect(target, &client);
    // The button reports the click when the button comes up over it.
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, pointAt(client.right / 2, client.bottom / 2));
    SendMessageW(target, WM_LBUTTONUP, 0, pointAt(client.right / 2, client.bottom / 2));
    processEvents();
}

void clickRow(Window& window, std::string_view list, int row)
{
    HWND target = listOf(window, list);
    if (!reachable(window, target)) return;
    SetFocus(target);
    const POINT at = rowPoint(target, row);
    postClick(target, at.x, at.y);
}

void doubleClickRow(Window& window, std::string_view list, int row)
{
    HWND target = listOf(window, list);
    if (!reachable(window, target)) return;
    SetFocus(target);
    const POINT at = rowPoint(target, row);
    // A double-click is a press and release, then a second press that the system reports as double.
    postClick(target, at.x, at.y);
    postClick(target, at.x, at.y, true);
}

void clickHeader(Window& window, std::string_view list, int column)
{
    HWND target = listOf(window, list);
    if (!reachable(window, target)) return;
    auto header = reinterpret_cast<HWND>(SendMessageW(target, LVM_GETHEADER, 0, 0));
    RECT place{};
    if (!header || !SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&place))) {
        return;
    }
    postClick(header, (place.left + place.right) / 2, (place.top + place.bottom) / 2);
}

void typeText(Window& window, std::string_view control, std::string_view utf8)
{
    if (!takesInput(window)) return;
    HWND target = keyboardTarget(window, control);
    for (const wchar_t character : win32::wide(utf8)) {
        if (character == L'\n') {
            pressChord(KeyChord{Key::Enter}, target);
            continue;
        }
        // A character no key makes: the keyboard reports a packet with the character.
        SendMessageW(target, WM_KEYDOWN, VK_PACKET, 1);
        SendMessageW(target, WM_CHAR, character, 1);
        SendMessageW(target, WM_KEYUP, VK_PACKET, keyData(0, true));
    }
    processEvents();
}

void pasteText(Window& window, std::string_view control, std::string_view utf8)
{
    if (!takesInput(window)) return;
    HWND target = keyboardTarget(window, control);
    putOnClipboard(target, win32::wide(utf8));
    SendMessageW(target, WM_PASTE, 0, 0);
    processEvents();
}

void commitInputMethod(Window& window, std::string_view control, std::string_view utf8)
{
    if (!takesInput(window)) return;
    HWND target = keyboardTarget(window, control);
    for (const wchar_t character : win32::wide(utf8)) PostMessageW(target, WM_IME_CHAR, character, 1);
    processEvents();
}

void selectAllText(Window& window, std::string_view control)
{
    if (!takesInput(window)) return;
    HWND target = keyboardTarget(window, control);
    SendMessageW(target, EM_SETSEL, 0, -1);
}

void placeCaret(Window& window, std::string_view control, int position)
{
    if (!takesInput(window)) return;
    HWND target = keyboardTarget(window, control);
    SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(position), position);
}

void pressKey(Window& window, std::string_view control, std::string_view chord)
{
    const std::optional<KeyChord> parsed = parseKeyChord(chord);
    if (!parsed) throw std::logic_error("no key named " + std::string(chord));
    if (!takesInput(window)) return;
    if (!control.empty()) keyboardTarget(window, control);
    pressChord(*parsed, window.impl().hwnd);
}

void pickItem(Window& window, std::string_view combo, int index)
{
    HWND box = window.impl().find(combo, {ControlKind::ComboBox}).hwnd;
    if (!reachable(window, box)) return;
    SetFocus(box);
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    GetComboBoxInfo(box, &parts);
    HWND items = parts.hwndList;
    RECT place{};
    if (items && SendMessageW(items, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&place)) != LB_ERR) {
        SendMessageW(items, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        SendMessageW(items, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&place));
        const int x = (place.left + place.right) / 2;
        const int y = (place.top + place.bottom) / 2;
        // The dropped list follows the mouse, and takes the item the button comes up over.
        SendMessageW(items, WM_MOUSEMOVE, 0, pointAt(x, y));
        SendMessageW(items, WM_LBUTTONDOWN, MK_LBUTTON, pointAt(x, y));
        SendMessageW(items, WM_LBUTTONUP, 0, pointAt(x, y));
    }
    processEvents();
    if (SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    processEvents();
}

void closeWindow(Window& window)
{
    if (!takesInput(window)) return;
    SendMessageW(window.impl().hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    processEvents();
}

void resizeWindow(Window& window, int width, int height)
{
    // The design's sizes count a classic frame: 3 pixels each side and a 19-pixel caption.
    const SIZE whole = window.impl().windowSizeFor({width - 6, height - 25});
    SetWindowPos(window.impl().hwnd, nullptr, 0, 0, whole.cx, whole.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    processEvents();
}

bool dropFiles(Window& window, const std::vector<std::string>& utf8Paths)
{
    HWND target = window.impl().hwnd;
    if (!takesInput(window) || !(GetWindowLongPtrW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) || utf8Paths.empty()) {
        return false;
    }
    // What the file manager hands over: a DROPFILES header, then the paths, each
    // ended by a NUL, the whole by another.
    std::wstring paths;
    for (const std::string& path : utf8Paths) {
        paths += win32::wide(path);
        paths += L'\0';
    }
    paths += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + paths.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!memory) return false;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    RECT client{};
    GetClientRect(target, &client);
    header->pt = {client.right / 2, client.bottom / 2};
    paths.copy(reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES)), paths.size());
    GlobalUnlock(memory);
    // The window frees the drop when it has read it.
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    processEvents();
    return true;
}

std::string shownText(Window& window, std::string_view control)
{
    NativeControl& shown = controlOf(window, control);
    switch (shown.kind) {
    case ControlKind::ComboBox: return window.comboBox(control).itemText(window.comboBox(control).selection());
    case ControlKind::ListView:
        return shown.list->count() == 0 && IsWindowVisible(shown.hwnd) ? win32::utf8(shown.list->hint) : std::string();
    default: return win32::utf8(win32::windowText(shown.hwnd));
    }
}

std::vector<std::string> comboItems(Window& window, std::string_view combo)
{
    const ComboBox box = window.comboBox(combo);
    std::vector<std::string> items;
    for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i));
    return items;
}

int shownRowCount(Window& window, std::string_view list)
{
    return static_cast<int>(SendMessageW(listOf(window, list), LVM_GETITEMCOUNT, 0, 0));
}

std::string shownCell(Window& window, std::string_view list, int row, int column)
{
    // Asked of the list view, which asks its owner for the text as it does to draw it.
    std::wstring text(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const LRESULT length =
        SendMessageW(listOf(window, list), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
    return win32::utf8(text);
}

std::vector<std::string> shownHeaders(Window& window, std::string_view list)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(listOf(window, list), LVM_GETHEADER, 0, 0));
    std::vector<std::string> headers;
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int column = 0; column < columns; ++column) {
        std::wstring text(256, L'\0');
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        headers.push_back(win32::utf8(item.pszText));
    }
    return headers;
}

int shownSelectedRow(Window& window, std::string_view list) { return window.listView(list).selectedRow(); }

bool isEnabled(Window& window, std::string_view control) { return IsWindowEnabled(controlOf(window, control).hwnd) != FALSE; }

Rect controlRect(Window& window, std::string_view control)
{
    RECT place{};
    GetWindowRect(controlOf(window, control).hwnd, &place);
    MapWindowPoints(nullptr, window.impl().hwnd, reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

}  // namespace sg8::driver

namespace sg8::driver {

Rect clientArea(Window& window)
{
    RECT client{};
    GetClientRect(window.impl().hwnd, &client);
    return {0, 0, client.right, client.bottom};
}

}  // namespace sg8::driver

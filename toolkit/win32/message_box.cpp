#include "toolkit/window_rules.h"
#include "toolkit/backend.h"
#include "toolkit/win32/window_impl.h"

#include <commctrl.h>

#include <algorithm>

namespace sg8::backend {

namespace {

UINT iconStyle(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::None: break;
    }
    return 0;
}

/// The box being shown on this thread: its style and whether it is set up yet.
struct ShownBox {
    MessageStyle style = MessageStyle::Ok;
    HHOOK hook = nullptr;
    bool prepared = false;
};

thread_local ShownBox* shownBox = nullptr;

int textWidth(HWND hwnd, const LOGFONTW& font, std::wstring_view text)
{
    HDC dc = GetDC(hwnd);
    HFONT made = CreateFontIndirectW(&font);
    const HGDIOBJ old = SelectObject(dc, made);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(made);
    ReleaseDC(hwnd, dc);
    return size.cx;
}

/// Widens the box to show its whole caption, keeping it and its buttons centred.
void fitCaption(HWND box)
{
    const UINT dpi = GetDpiForWindow(box);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return;
    const std::wstring caption = win32::windowText(box);
    // The caption, the close box and some room on either side.
    const int needed = textWidth(box, metrics.lfCaptionFont, caption) + 2 * metrics.iCaptionWidth +
                       MulDiv(48, static_cast<int>(dpi), 96);
    RECT whole{};
    GetWindowRect(box, &whole);
    const int grow = needed - (whole.right - whole.left);
    if (grow <= 0) return;
    SetWindowPos(box, nullptr, whole.left - grow / 2, whole.top, whole.right - whole.left + grow,
                 whole.bottom - whole.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (!button) continue;
        RECT place{};
        GetWindowRect(button, &place);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(button, nullptr, place.left + grow / 2, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

/// A Yes/No box answers No to Escape and to its close box.
LRESULT CALLBACK yesNoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE) {
        EndDialog(hwnd, IDNO);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, yesNoProc, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK boxHook(int code, WPARAM wParam, LPARAM lParam)
{
    ShownBox* box = shownBox;
    if (code == HCBT_ACTIVATE && box && !box->prepared) {
        box->prepared = true;
        auto hwnd = reinterpret_cast<HWND>(wParam);
        // The program's icon in its caption, as its windows have.
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(win32::applicationIcon(true)));
        // Chinese buttons whatever the system's language.
        SetDlgItemTextW(hwnd, IDOK, L"确定");
        SetDlgItemTextW(hwnd, IDYES, L"是");
        SetDlgItemTextW(hwnd, IDNO, L"否");
        SetDlgItemTextW(hwnd, IDCANCEL, L"取消");
        if (box->style == MessageStyle::YesNo) {
            EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
            SetWindowSubclass(hwnd, yesNoProc, 0, 0);
        }
        fitCaption(hwnd);
    }
    return CallNextHookEx(box ? box->hook : nullptr, code, wParam, lParam);
}

}  // namespace

MessageResult showMessageBox(std::string_view text, MessageStyle style, std::string_view caption, MessageIcon icon)
{
    UINT buttons = MB_OK;
    if (style == MessageStyle::YesNo) buttons = MB_YESNO;
    if (style == MessageStyle::YesNoCancel) buttons = MB_YESNOCANCEL;
    ShownBox box;
    box.style = style;
    ShownBox* outer = shownBox;
    shownBox = &box;
    box.hook = SetWindowsHookExW(WH_CBT, boxHook, nullptr, GetCurrentThreadId());
    // No owner: modal to every window of the program.
    const int answer = MessageBoxW(nullptr, win32::wide(text).c_str(), win32::wide(caption).c_str(),
                                   buttons | iconStyle(icon) | MB_TASKMODAL | MB_SETFOREGROUND);
    if (box.hook) UnhookWindowsHookEx(box.hook);
    shownBox = outer;
    switch (answer) {
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    case IDOK: return MessageResult::Ok;
    default: break;
    }
    return closedBoxAnswer(style);  // Escape or the close box
}

}  // namespace sg8::backend

#include "toolkit/controls.h"

#include "toolkit/typing_limit.h"
#include "toolkit/win32/window_impl.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>

namespace sg8 {

ListView::Row& ListRows::row(int index)
{
    std::optional<ListView::Row>& cells = rows[static_cast<std::size_t>(index)];
    if (!cells) cells = source ? source(index) : ListView::Row();
    return *cells;
}

namespace win32 {

namespace {

/// How much of `inserted` the box takes at its caret under its typing limit.
std::wstring allowedAtCaret(const NativeControl& control, std::wstring_view inserted)
{
    if (control.byteLimit <= 0) return std::wstring(inserted);
    const std::wstring current = windowText(control.hwnd);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(control.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    start = std::min<DWORD>(start, static_cast<DWORD>(current.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(current.size()));
    const std::wstring_view selected = std::wstring_view(current).substr(start, end - start);
    const int newlineBytes = control.kind == ControlKind::MultiLineEditBox ? 2 : 1;
    return std::wstring(wideOf(
        allowedInsertion(utf16Of(current), utf16Of(selected), utf16Of(inserted), control.byteLimit, newlineBytes)));
}

/// Text as the box takes it in: one line for a one-line box, CR LF line breaks for the others.
std::wstring asTyped(const NativeControl& control, std::wstring text)
{
    if (control.kind != ControlKind::MultiLineEditBox) {
        const std::size_t lineEnd = text.find_first_of(L"\r\n");
        if (lineEnd != std::wstring::npos) text.resize(lineEnd);
        return text;
    }
    return withCrLf(text);
}

void replaceSelection(HWND edit, const std::wstring& text)
{
    if (!text.empty()) SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring clipboardText(HWND owner)
{
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::wstring compositionResult(HWND edit)
{
    std::wstring text;
    HIMC context = ImmGetContext(edit);
    if (!context) return text;
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    if (bytes > 0) {
        text.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
        ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
    }
    ImmReleaseContext(edit, context);
    return text;
}

/// The edit boxes' own handling of what the user puts in: typed characters,
/// pastes and input-method text pass through the typing limit; text the
/// program sets is shown whole.
LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    NativeControl& control = *reinterpret_cast<NativeControl*>(data);
    const bool multiLine = control.kind == ControlKind::MultiLineEditBox;
    switch (message) {
    case WM_CHAR: {
        const auto character = static_cast<wchar_t>(wParam);
        // Keys that make no text in a box: Enter in a one-line box, Escape,
        // Ctrl+Backspace. The box would beep or show a box-shaped character.
        if ((!multiLine && (character == L'\r' || character == L'\n')) || character == 0x1B || character == 0x7F) {
            return 0;
        }
        if (control.byteLimit <= 0) break;
        if (IS_HIGH_SURROGATE(character)) {
            control.pendingHigh = character;
            return 0;
        }
        std::wstring typed;
        if (IS_LOW_SURROGATE(character) && control.pendingHigh) {
            typed = {control.pendingHigh, character};
        } else if (character == L'\r') {
            typed = L"\r\n";
        } else if (character >= 0x20 || character == L'\t') {
            typed = std::wstring(1, character);
        }
        control.pendingHigh = 0;
        if (typed.empty()) break;  // Backspace, Ctrl+A, Ctrl+C, Ctrl+V, ...
        if (allowedAtCaret(control, typed).size() != typed.size()) return 0;
        if (typed.size() == 2 && typed[0] != L'\r') {
            replaceSelection(hwnd, typed);
            return 0;
        }
        break;
    }
    case WM_IME_CHAR: {
        if (control.byteLimit <= 0) break;
        // The characters an input method commits arrive together: one insertion, cut as a whole.
        std::wstring committed(1, static_cast<wchar_t>(wParam));
        MSG next;
        while (PeekMessageW(&next, hwnd, WM_IME_CHAR, WM_IME_CHAR, PM_REMOVE)) {
            committed += static_cast<wchar_t>(next.wParam);
        }
        replaceSelection(hwnd, allowedAtCaret(control, asTyped(control, committed)));
        return 0;
    }
    case WM_IME_COMPOSITION: {
        if (control.byteLimit <= 0 || !(lParam & GCS_RESULTSTR)) break;
        replaceSelection(hwnd, allowedAtCaret(control, asTyped(control, compositionResult(hwnd))));
        const LPARAM rest = lParam & ~LPARAM{GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE | GCS_RESULTREADCLAUSE};
        if (rest) return DefSubclassProc(hwnd, message, wParam, rest);
        return 0;
    }
    case WM_PASTE:
        if (control.byteLimit <= 0) break;
        replaceSelection(hwnd, allowedAtCaret(control, asTyped(control, clipboardText(hwnd))));
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, editProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void drawHint(HWND hwnd, const std::wstring& hint, HRGN clip)
{
    RECT area{};
    GetClientRect(hwnd, &area);
    auto header = reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
    if (header && IsWindowVisible(header)) {
        RECT headerPlace{};
        GetWindowRect(header, &headerPlace);
        area.top += headerPlace.bottom - headerPlace.top;
    }
    InflateRect(&area, -4, -4);
    HDC dc = GetDC(hwnd);
    if (clip) SelectClipRgn(dc, clip);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT needed = area;
    DrawTextW(dc, hint.c_str(), static_cast<int>(hint.size()), &needed, kFormat | DT_CALCRECT);
    const int height = needed.bottom - needed.top;
    area.top += std::max(0, static_cast<int>(area.bottom - area.top - height) / 2);
    DrawTextW(dc, hint.c_str(), static_cast<int>(hint.size()), &area, kFormat);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd, dc);
}

/// The list view's hint: drawn in its middle while it has no rows.
LRESULT CALLBACK listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    NativeControl& control = *reinterpret_cast<NativeControl*>(data);
    switch (message) {
    case WM_PAINT: {
        if (control.list->count() > 0 || control.list->hint.empty()) break;
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetUpdateRgn(hwnd, update, FALSE);
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (kind != NULLREGION && kind != ERROR) drawHint(hwnd, control.list->hint, update);
        DeleteObject(update);
        return result;
    }
    case WM_SIZE:
        if (control.list->count() == 0) InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, listProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void limitTypingOf(NativeControl& control)
{
    SetWindowSubclass(control.hwnd, editProc, 0, reinterpret_cast<DWORD_PTR>(&control));
}

void drawHintOf(NativeControl& control)
{
    SetWindowSubclass(control.hwnd, listProc, 0, reinterpret_cast<DWORD_PTR>(&control));
}

}  // namespace win32

using win32::utf8;
using win32::wide;
using win32::windowText;

std::string EditBox::text() const { return utf8(windowText(native_->hwnd)); }

void EditBox::setText(std::string_view utf8Text)
{
    std::wstring text = wide(utf8Text);
    if (native_->kind == ControlKind::MultiLineEditBox) text = win32::withCrLf(text);
    if (text == windowText(native_->hwnd)) return;
    // One change for the handlers, whatever the control reports while the text is set.
    native_->programSetting = true;
    SetWindowTextW(native_->hwnd, text.c_str());
    native_->programSetting = false;
    if (native_->textChanged) {
        std::function<void()> run = native_->textChanged;
        run();
    }
}

std::string Label::caption() const { return utf8(windowText(native_->hwnd)); }
void Label::setCaption(std::string_view utf8Text) { SetWindowTextW(native_->hwnd, wide(utf8Text).c_str()); }

std::string GroupBox::caption() const { return utf8(windowText(native_->hwnd)); }
void GroupBox::setCaption(std::string_view utf8Text) { SetWindowTextW(native_->hwnd, wide(utf8Text).c_str()); }

void Button::setEnabled(bool enabled) { EnableWindow(native_->hwnd, enabled ? TRUE : FALSE); }
bool Button::isEnabled() const { return IsWindowEnabled(native_->hwnd) != FALSE; }

int ComboBox::count() const { return static_cast<int>(SendMessageW(native_->hwnd, CB_GETCOUNT, 0, 0)); }

int ComboBox::selection() const
{
    const LRESULT index = SendMessageW(native_->hwnd, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void ComboBox::setSelection(std::int64_t index)
{
    const std::int64_t last = count() - 1;
    const std::int64_t chosen = index > last ? last : index < -1 ? -1 : index;
    SendMessageW(native_->hwnd, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

std::int32_t ComboBox::itemNumber(int index) const
{
    if (index < 0 || index >= count()) return -1;
    return static_cast<std::int32_t>(SendMessageW(native_->hwnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::string ComboBox::itemText(int index) const
{
    if (index < 0 || index >= count()) return {};
    const LRESULT length = SendMessageW(native_->hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(native_->hwnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return utf8(text);
}

int ComboBox::addItem(std::string_view utf8Text, std::optional<std::int32_t> number)
{
    const LRESULT index =
        SendMessageW(native_->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(utf8Text).c_str()));
    SendMessageW(native_->hwnd, CB_SETITEMDATA, static_cast<WPARAM>(index), number.value_or(0));
    return static_cast<int>(index);
}

namespace {

/// Clears the selected and the focused row, one by one: asking the list to clear
/// every row at once visits each of them, a stall with 100,000 rows.
void deselectAll(HWND list)
{
    for (const UINT which : {UINT{LVNI_SELECTED}, UINT{LVNI_FOCUSED}}) {
        const auto row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which));
        if (row < 0) continue;
        LVITEMW state{};
        state.stateMask = which == LVNI_SELECTED ? LVIS_SELECTED : LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
}

}  // namespace

int ListView::rowCount() const { return native_->list->count(); }

int ListView::selectedRow() const
{
    return static_cast<int>(SendMessageW(native_->hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::selectRow(int row)
{
    deselectAll(native_->hwnd);
    if (row < 0 || row >= rowCount()) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(native_->hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(native_->hwnd, LVM_SETSELECTIONMARK, 0, row);
    SendMessageW(native_->hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int ListView::insertRow()
{
    ListRows& list = *native_->list;
    const int row = list.count();
    list.rows.emplace_back(ListView::Row());
    SendMessageW(native_->hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(list.count()), LVSICF_NOSCROLL);
    if (row == 0) InvalidateRect(native_->hwnd, nullptr, TRUE);
    return row;
}

void ListView::setCell(int row, int column, std::string_view utf8Text)
{
    ListRows& list = *native_->list;
    if (row < 0 || row >= list.count() || column < 0 ||
        column >= static_cast<int>(list.designedWidths.size())) {
        return;
    }
    ListView::Row& cells = list.row(row);
    if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = std::string(utf8Text);
    SendMessageW(native_->hwnd, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

std::string ListView::cell(int row, int column) const
{
    ListRows& list = *native_->list;
    if (row < 0 || row >= list.count() || column < 0) return {};
    const ListView::Row& cells = list.row(row);
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : std::string();
}

void ListView::clear() { setRows(0, {}); }

void ListView::setRows(int count, RowSource source)
{
    ListRows& list = *native_->list;
    deselectAll(native_->hwnd);
    std::vector<std::optional<ListView::Row>>(static_cast<std::size_t>(std::max(count, 0))).swap(list.rows);
    list.source = std::move(source);
    SendMessageW(native_->hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(list.count()), 0);
    if (list.count() > 0) SendMessageW(native_->hwnd, LVM_ENSUREVISIBLE, 0, FALSE);
    InvalidateRect(native_->hwnd, nullptr, TRUE);
}

void ListView::setEnabled(bool enabled) { EnableWindow(native_->hwnd, enabled ? TRUE : FALSE); }

void ListView::setSortIndicator(int column, SortOrder order)
{
    auto header = reinterpret_cast<HWND>(SendMessageW(native_->hwnd, LVM_GETHEADER, 0, 0));
    if (!header) return;
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < columns; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column && order == SortOrder::Ascending) item.fmt |= HDF_SORTUP;
        if (i == column && order == SortOrder::Descending) item.fmt |= HDF_SORTDOWN;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace sg8

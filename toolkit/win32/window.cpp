#include "toolkit/window.h"

#include "data/fatal.h"
#include "toolkit/application.h"
#include "toolkit/backend.h"
#include "toolkit/win32/window_impl.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

namespace sg8 {

namespace {

constexpr wchar_t kWindowClass[] = L"sg8.Window";
constexpr int kFirstControlId = 100;
// The design's sizes include a fixed single border and a caption bar, as the
// classic frame draws them: 3 pixels each side, a 19-pixel caption. The client
// area is the design's size without that frame, whatever frame the system draws
// around it, so that every control sits and fits where the design puts it.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;
// How far a drop-down list drops, in design pixels.
constexpr int kDropHeight = 200;

constexpr std::initializer_list<ControlKind> kAnyKind{
    ControlKind::Label,    ControlKind::Button,   ControlKind::EditBox,  ControlKind::SearchBox,
    ControlKind::MultiLineEditBox, ControlKind::ComboBox, ControlKind::GroupBox, ControlKind::ListView};

DWORD windowStyle(bool resizable)
{
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (resizable) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    return style;
}

/// The system's dialog font for `dpi` (Microsoft YaHei UI on Chinese Windows).
HFONT dialogFont(int dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        metrics.lfMessageFont = LOGFONTW{};
        metrics.lfMessageFont.lfHeight = -MulDiv(9, dpi, 72);
        lstrcpynW(metrics.lfMessageFont.lfFaceName, L"Microsoft YaHei UI", LF_FACESIZE);
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

/// Makes the selection field of a drop-down list as high as the design's box.
void fitComboHeight(HWND combo, int height)
{
    RECT now{};
    GetWindowRect(combo, &now);
    const auto itemHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int wanted = itemHeight + height - (now.bottom - now.top);
    if (wanted > 0 && wanted != itemHeight) SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
}

void setColumnWidths(NativeControl& control, int dpi)
{
    const std::vector<int>& widths = control.list->designedWidths;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        SendMessageW(control.hwnd, LVM_SETCOLUMNWIDTH, i, MulDiv(widths[i], dpi, 96));
    }
}

/// A resizable window's list view gives its last column the width it gained.
void stretchLastColumn(NativeControl& control, int dpi)
{
    const std::vector<int>& widths = control.list->designedWidths;
    if (widths.empty()) return;
    RECT client{};
    GetClientRect(control.hwnd, &client);
    int others = 0;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
        others += static_cast<int>(SendMessageW(control.hwnd, LVM_GETCOLUMNWIDTH, i, 0));
    }
    const int last = std::max(MulDiv(widths.back(), dpi, 96), static_cast<int>(client.right) - others);
    SendMessageW(control.hwnd, LVM_SETCOLUMNWIDTH, widths.size() - 1, last);
}

HWND makeControl(const ControlDesign& design, const RECT& place, Window::Impl& window, int id)
{
    const wchar_t* kind = WC_STATICW;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD extended = 0;
    std::wstring caption = win32::wide(design.caption);
    switch (design.kind) {
    case ControlKind::Label:
        style |= SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
        break;
    case ControlKind::Button:
        kind = WC_BUTTONW;
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case ControlKind::EditBox:
    case ControlKind::SearchBox:
        kind = WC_EDITW;
        style |= WS_TABSTOP | ES_AUTOHSCROLL | (design.kind == ControlKind::EditBox ? ES_CENTER : ES_LEFT);
        extended = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::MultiLineEditBox:
        kind = WC_EDITW;
        style |= WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
        extended = WS_EX_CLIENTEDGE;
        caption = win32::withCrLf(caption);
        break;
    case ControlKind::ComboBox:
        kind = WC_COMBOBOXW;
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
        caption.clear();
        break;
    case ControlKind::GroupBox:
        kind = WC_BUTTONW;
        style |= BS_GROUPBOX;
        break;
    case ControlKind::ListView:
        kind = WC_LISTVIEWW;
        // The selection shows only while the list has the focus; no header reacts
        // to clicks until a handler is bound.
        style |= WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_NOSORTHEADER;
        extended = WS_EX_CLIENTEDGE;
        caption.clear();
        break;
    }
    const int height = place.bottom - place.top + (design.kind == ControlKind::ComboBox ? window.scaled(kDropHeight) : 0);
    HWND hwnd = CreateWindowExW(extended, kind, caption.c_str(), style, place.left, place.top, place.right - place.left,
                                height, window.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) throw std::runtime_error("the control " + std::string(design.name) + " could not be made");
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(window.font), FALSE);
    return hwnd;
}

void centreOnScreen(HWND hwnd)
{
    RECT whole{};
    GetWindowRect(hwnd, &whole);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = whole.right - whole.left;
    const int height = whole.bottom - whole.top;
    SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<std::string> droppedFiles(HDROP drop)
{
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        files.push_back(win32::utf8(path));
    }
    return files;
}

void listNotification(Window::Impl& window, NativeControl& control, const NMHDR& header, LPARAM lParam)
{
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& info = *reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
        info.item.pszText[0] = L'\0';
        if (info.item.iItem < 0 || info.item.iItem >= control.list->count() || info.item.iSubItem < 0) return;
        const ListView::Row& row =
            dieOnOutOfMemory([&]() -> const ListView::Row& { return control.list->row(info.item.iItem); });
        const auto column = static_cast<std::size_t>(info.item.iSubItem);
        if (column >= row.size()) return;
        control.list->shown = win32::wide(row[column]);
        lstrcpynW(info.item.pszText, control.list->shown.c_str(), info.item.cchTextMax);
        return;
    }
    case NM_DBLCLK:
        if (control.doubleClicked) control.doubleClicked();
        return;
    case LVN_COLUMNCLICK:
        if (control.headerClicked) {
            const int column = reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem;
            const std::weak_ptr<bool> alive = window.alive;
            std::function<void(int)> handler = control.headerClicked;
            dieOnOutOfMemory([&] { handler(column); });
        }
        return;
    default:
        return;
    }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto* window = reinterpret_cast<Window::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id < kFirstControlId || id - kFirstControlId >= static_cast<int>(window->controls.size())) break;
        NativeControl& control = *window->controls[static_cast<std::size_t>(id - kFirstControlId)];
        const WORD code = HIWORD(wParam);
        if (code == BN_CLICKED && control.kind == ControlKind::Button && control.clicked) {
            std::function<void()> run = control.clicked;
            run();
        } else if (code == EN_CHANGE && !control.programSetting && control.textChanged) {
            std::function<void()> run = control.textChanged;
            run();
        }
        return 0;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<NMHDR*>(lParam);
        const auto id = static_cast<int>(header.idFrom);
        if (id < kFirstControlId || id - kFirstControlId >= static_cast<int>(window->controls.size())) break;
        NativeControl& control = *window->controls[static_cast<std::size_t>(id - kFirstControlId)];
        if (control.kind == ControlKind::ListView && header.hwndFrom == control.hwnd) {
            listNotification(*window, control, header, lParam);
        }
        return 0;
    }
    case WM_CLOSE:
        window->requestClose();
        return 0;
    case WM_GETMINMAXINFO:
        if (window->resizable) {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE least = window->windowSizeFor(window->designedClient);
            limits->ptMinTrackSize = {least.cx, least.cy};
        }
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) window->layOut();
        return 0;
    case WM_DPICHANGED: {
        window->applyDpi(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DROPFILES: {
        auto drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::string> files = droppedFiles(drop);
        DragFinish(drop);
        if (window->filesDropped && !files.empty()) {
            std::function<void(std::vector<std::string>)> run = window->filesDropped;
            run(std::move(files));
        }
        return 0;
    }
    case WM_ACTIVATE:
        // The focus comes back to the control that had it (after a message box, say).
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus)) window->lastFocus = focus;
            return 0;
        }
        if (window->lastFocus && IsWindow(window->lastFocus) && IsChild(hwnd, window->lastFocus)) {
            SetFocus(window->lastFocus);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

namespace win32 {

Window::Impl* windowOf(HWND hwnd)
{
    if (!hwnd) return nullptr;
    wchar_t kind[32] = {};
    if (!GetClassNameW(hwnd, kind, 32) || lstrcmpW(kind, kWindowClass) != 0) return nullptr;
    return reinterpret_cast<Window::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void registerClasses()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    kind.lpfnWndProc = windowProc;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    kind.lpszClassName = kWindowClass;
    kind.hIcon = applicationIcon(false);
    kind.hIconSm = applicationIcon(true);
    registered = RegisterClassExW(&kind) != 0;
}

}  // namespace win32

NativeControl& Window::Impl::find(std::string_view control, std::initializer_list<ControlKind> kinds) const
{
    auto found = byName.find(control);
    if (found == byName.end()) throw std::logic_error("no control named " + std::string(control));
    for (ControlKind kind : kinds) {
        if (found->second->kind == kind) return *found->second;
    }
    throw std::logic_error("control " + std::string(control) + " is of another kind");
}

NativeControl& Window::Impl::anyControl(std::string_view control) const { return find(control, kAnyKind); }

NativeControl* Window::Impl::controlOf(HWND child) const
{
    for (; child && child != hwnd; child = GetParent(child)) {
        for (const auto& control : controls) {
            if (control->hwnd == child) return control.get();
        }
    }
    return nullptr;
}

std::function<void()> Window::Impl::guarded(std::function<void()> handler) const
{
    return [alive = std::weak_ptr<bool>(alive), handler = std::move(handler)] {
        if (alive.expired()) return;
        dieOnOutOfMemory([&] { handler(); });
    };
}

bool Window::Impl::handleKey(const KeyChord& chord, HWND target)
{
    const NativeControl* control = controlOf(target);
    const std::string focused = control ? control->name : std::string();
    const bool inMultiLine = control && control->kind == ControlKind::MultiLineEditBox;
    return dispatchKey(keys, chord, focused, inMultiLine, alive);
}

SIZE Window::Impl::windowSizeFor(SIZE client) const
{
    RECT whole{0, 0, scaled(client.cx), scaled(client.cy)};
    AdjustWindowRectExForDpi(&whole, windowStyle(resizable), FALSE, 0, static_cast<UINT>(dpi));
    return {whole.right - whole.left, whole.bottom - whole.top};
}

void Window::Impl::layOut()
{
    if (!hwnd) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    std::map<std::string, RECT, std::less<>> placed;
    for (const auto& entry : controls) {
        NativeControl& control = *entry;
        // The parent's growth, and where the parent's own origin is now.
        SIZE parentNow{client.right, client.bottom};
        SIZE parentDesigned{scaled(designedClient.cx), scaled(designedClient.cy)};
        POINT origin{0, 0};
        POINT designedOrigin{0, 0};
        if (!control.parent.empty()) {
            const RECT& parent = placed.at(control.parent);
            const RECT& parentDesign = byName.at(control.parent)->designed;
            parentNow = {parent.right - parent.left, parent.bottom - parent.top};
            parentDesigned = {scaled(parentDesign.right - parentDesign.left), scaled(parentDesign.bottom - parentDesign.top)};
            origin = {parent.left, parent.top};
            designedOrigin = {parentDesign.left, parentDesign.top};
        }
        const int grownWidth = parentNow.cx - parentDesigned.cx;
        const int grownHeight = parentNow.cy - parentDesigned.cy;
        const Placement anchored = anchoredPlacement(
            {origin.x + scaled(control.designed.left - designedOrigin.x),
             origin.y + scaled(control.designed.top - designedOrigin.y),
             scaled(control.designed.right - control.designed.left),
             scaled(control.designed.bottom - control.designed.top)},
            control.anchors, grownWidth, grownHeight);
        const int width = anchored.width;
        const int height = anchored.height;
        const RECT place{anchored.left, anchored.top, anchored.left + width, anchored.top + height};
        placed[control.name] = place;
        const int shownHeight = control.kind == ControlKind::ComboBox ? height + scaled(kDropHeight) : height;
        SetWindowPos(control.hwnd, nullptr, place.left, place.top, width, shownHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (control.kind == ControlKind::ListView && resizable) stretchLastColumn(control, dpi);
    }
}

void Window::Impl::applyDpi(int newDpi)
{
    dpi = newDpi;
    HFONT old = font;
    font = dialogFont(dpi);
    for (const auto& control : controls) {
        SendMessageW(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (control->kind == ControlKind::ListView) setColumnWidths(*control, dpi);
    }
    if (old) DeleteObject(old);
    for (const auto& control : controls) {
        if (control->kind == ControlKind::ComboBox) {
            fitComboHeight(control->hwnd, scaled(control->designed.bottom - control->designed.top));
        }
    }
}

void Window::Impl::requestClose()
{
    if (closeRequest && !closeRequest()) return;
    // The other windows take input again before this one goes, so that the
    // system hands the activation back to them.
    if (modal) {
        for (HWND other : disabledByModal) {
            if (IsWindow(other)) EnableWindow(other, TRUE);
        }
        disabledByModal.clear();
        modal = false;
    }
    ShowWindow(hwnd, SW_HIDE);
    if (hwnd == win32::mainWindow()) PostQuitMessage(0);
    // Whoever waits for the close may destroy this window: not from inside its own message.
    if (closed) postToWindowThread(closed);
}

Window::Window(const WindowDesign& design) : impl_(std::make_unique<Impl>())
{
    win32::registerClasses();
    Impl& window = *impl_;
    window.name = std::string(design.name);
    window.resizable = design.resizable;
    window.designedClient = {design.width - kFrameWidth, design.height - kFrameHeight};
    window.hwnd = CreateWindowExW(0, kWindowClass, win32::wide(design.caption).c_str(), windowStyle(design.resizable),
                                  0, 0, design.width, design.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  &window);
    if (!window.hwnd) throw std::runtime_error("the window " + window.name + " could not be made");
    window.dpi = static_cast<int>(GetDpiForWindow(window.hwnd));
    if (window.dpi <= 0) window.dpi = 96;
    window.font = dialogFont(window.dpi);
    const SIZE whole = window.windowSizeFor(window.designedClient);
    SetWindowPos(window.hwnd, nullptr, 0, 0, whole.cx, whole.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    int id = kFirstControlId;
    for (const ControlDesign& design_ : design.controls) {
        auto control = std::make_unique<NativeControl>();
        control->kind = design_.kind;
        control->name = std::string(design_.name);
        control->parent = std::string(design_.parent);
        control->anchors = design_.anchors;
        control->byteLimit = design_.byteLimit;
        control->id = id;
        control->window = &window;
        POINT offset{0, 0};
        if (!control->parent.empty()) {
            const NativeControl& group = window.find(control->parent, {ControlKind::GroupBox});
            offset = {group.designed.left, group.designed.top};
        }
        control->designed = {offset.x + design_.left, offset.y + design_.top, offset.x + design_.left + design_.width,
                             offset.y + design_.top + design_.height};
        const RECT place{window.scaled(control->designed.left), window.scaled(control->designed.top),
                         window.scaled(control->designed.right), window.scaled(control->designed.bottom)};
        control->hwnd = makeControl(design_, place, window, id);
        // A control made later lies above those made before it (a group box below
        // what it holds, a label below a list that overlaps it) and draws over them.
        SetWindowPos(control->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        switch (design_.kind) {
        case ControlKind::SearchBox:
            SendMessageW(control->hwnd, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(win32::wide(design_.hint).c_str()));
            [[fallthrough]];
        case ControlKind::EditBox:
        case ControlKind::MultiLineEditBox:
            win32::limitTypingOf(*control);
            break;
        case ControlKind::ComboBox:
            for (const ComboItem& item : design_.items) {
                const LRESULT index =
                    SendMessageW(control->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::wide(item.text).c_str()));
                SendMessageW(control->hwnd, CB_SETITEMDATA, static_cast<WPARAM>(index), item.number.value_or(0));
            }
            SendMessageW(control->hwnd, CB_SETCURSEL, design_.items.empty() ? static_cast<WPARAM>(-1) : 0, 0);
            fitComboHeight(control->hwnd, place.bottom - place.top);
            break;
        case ControlKind::ListView: {
            control->list = std::make_unique<ListRows>();
            control->list->hint = win32::wide(design_.hint);
            SendMessageW(control->hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                         LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
            int column = 0;
            for (const ColumnDesign& columnDesign : design_.columns) {
                std::wstring header = win32::wide(columnDesign.header);
                LVCOLUMNW item{};
                item.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
                item.fmt = LVCFMT_LEFT;
                item.cx = window.scaled(columnDesign.width);
                item.pszText = header.data();
                item.iSubItem = column;
                SendMessageW(control->hwnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
                control->list->designedWidths.push_back(columnDesign.width);
                ++column;
            }
            win32::drawHintOf(*control);
            break;
        }
        case ControlKind::GroupBox:
        case ControlKind::Label:
        case ControlKind::Button:
            break;
        }
        window.byName.emplace(control->name, control.get());
        window.controls.push_back(std::move(control));
        ++id;
    }
    window.layOut();
    centreOnScreen(window.hwnd);
    registerWindow(this);
}

Window::~Window()
{
    unregisterWindow(this);
    *impl_->alive = false;
    if (impl_->modal) {
        for (HWND other : impl_->disabledByModal) {
            if (IsWindow(other)) EnableWindow(other, TRUE);
        }
    }
    if (impl_->hwnd) {
        SetWindowLongPtrW(impl_->hwnd, GWLP_USERDATA, 0);
        if (impl_->hwnd == win32::mainWindow()) win32::setMainWindow(nullptr);
        DestroyWindow(impl_->hwnd);
    }
    if (impl_->font) DeleteObject(impl_->font);
}

const std::string& Window::name() const { return impl_->name; }

EditBox Window::editBox(std::string_view name) const
{
    return EditBox(&impl_->find(name, {ControlKind::EditBox, ControlKind::SearchBox, ControlKind::MultiLineEditBox}));
}
Label Window::label(std::string_view name) const { return Label(&impl_->find(name, {ControlKind::Label})); }
GroupBox Window::groupBox(std::string_view name) const { return GroupBox(&impl_->find(name, {ControlKind::GroupBox})); }
Button Window::button(std::string_view name) const { return Button(&impl_->find(name, {ControlKind::Button})); }
ComboBox Window::comboBox(std::string_view name) const { return ComboBox(&impl_->find(name, {ControlKind::ComboBox})); }
ListView Window::listView(std::string_view name) const { return ListView(&impl_->find(name, {ControlKind::ListView})); }

void Window::bind(std::string_view control, ControlEvent event, std::function<void()> handler)
{
    std::function<void()> run = impl_->guarded(std::move(handler));
    switch (event) {
    case ControlEvent::Clicked:
        impl_->find(control, {ControlKind::Button}).clicked = std::move(run);
        return;
    case ControlEvent::TextChanged:
        impl_->find(control, {ControlKind::EditBox, ControlKind::SearchBox, ControlKind::MultiLineEditBox}).textChanged =
            std::move(run);
        return;
    case ControlEvent::DoubleClicked:
        impl_->find(control, {ControlKind::ListView}).doubleClicked = std::move(run);
        return;
    }
}

void Window::onHeaderClicked(std::string_view list, std::function<void(int column)> handler)
{
    NativeControl& control = impl_->find(list, {ControlKind::ListView});
    const bool clickable = static_cast<bool>(handler);
    control.headerClicked = nullptr;
    if (clickable) {
        control.headerClicked = [alive = std::weak_ptr<bool>(impl_->alive), handler = std::move(handler)](int column) {
            if (alive.expired()) return;
            handler(column);
        };
    }
    const LONG_PTR style = GetWindowLongPtrW(control.hwnd, GWL_STYLE);
    SetWindowLongPtrW(control.hwnd, GWL_STYLE, clickable ? style & ~LONG_PTR{LVS_NOSORTHEADER} : style | LVS_NOSORTHEADER);
    auto header = reinterpret_cast<HWND>(SendMessageW(control.hwnd, LVM_GETHEADER, 0, 0));
    if (header) {
        const LONG_PTR headerStyle = GetWindowLongPtrW(header, GWL_STYLE);
        SetWindowLongPtrW(header, GWL_STYLE,
                          clickable ? headerStyle | HDS_BUTTONS : headerStyle & ~LONG_PTR{HDS_BUTTONS});
        InvalidateRect(header, nullptr, TRUE);
    }
}

void Window::bindKey(std::string_view chord, std::function<bool()> handler) { bindKey("", chord, std::move(handler)); }

void Window::bindKey(std::string_view control, std::string_view chord, std::function<bool()> handler)
{
    const std::optional<KeyChord> parsed = parseKeyChord(chord);
    if (!parsed) throw std::logic_error("no key named " + std::string(chord));
    if (!control.empty()) impl_->anyControl(control);
    impl_->keys.push_back({std::string(control), *parsed, std::move(handler)});
}

void Window::onCloseRequest(std::function<bool()> handler)
{
    impl_->closeRequest = [alive = std::weak_ptr<bool>(impl_->alive), handler = std::move(handler)] {
        if (alive.expired()) return true;
        return dieOnOutOfMemory([&] { return handler(); });
    };
}

void Window::onFilesDropped(std::function<void(std::vector<std::string>)> handler)
{
    DragAcceptFiles(impl_->hwnd, handler ? TRUE : FALSE);
    impl_->filesDropped = nullptr;
    if (!handler) return;
    impl_->filesDropped = [alive = std::weak_ptr<bool>(impl_->alive), handler = std::move(handler)](
                              std::vector<std::string> files) {
        if (alive.expired()) return;
        dieOnOutOfMemory([&] { handler(std::move(files)); });
    };
}

std::string Window::caption() const { return win32::utf8(win32::windowText(impl_->hwnd)); }

void Window::setCaption(std::string_view utf8) { SetWindowTextW(impl_->hwnd, win32::wide(utf8).c_str()); }

void Window::focus(std::string_view control)
{
    NativeControl& target = impl_->anyControl(control);
    SetFocus(target.hwnd);
    if (target.kind == ControlKind::EditBox || target.kind == ControlKind::SearchBox ||
        target.kind == ControlKind::MultiLineEditBox) {
        SendMessageW(target.hwnd, EM_SETSEL, 0, -1);
    }
}

std::string Window::focusedControl() const
{
    const NativeControl* control = impl_->controlOf(GetFocus());
    return control ? control->name : std::string();
}

void Window::show()
{
    ShowWindow(impl_->hwnd, SW_SHOW);
    SetForegroundWindow(impl_->hwnd);
    SetActiveWindow(impl_->hwnd);
    HWND focus = GetFocus();
    if (!focus || !IsChild(impl_->hwnd, focus)) {
        // As a dialog does: the focus starts on the first control that takes it.
        for (const auto& control : impl_->controls) {
            if ((GetWindowLongPtrW(control->hwnd, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(control->hwnd)) {
                SetFocus(control->hwnd);
                break;
            }
        }
    }
}

void Window::showModal(std::function<void()> whenClosed)
{
    impl_->closed = impl_->guarded(std::move(whenClosed));
    if (!impl_->modal) {
        impl_->modal = true;
        HWND owner = nullptr;
        for (Window* other : existingWindows()) {
            HWND hwnd = other->impl().hwnd;
            if (other == this || !IsWindowEnabled(hwnd)) continue;
            if (!owner && IsWindowVisible(hwnd)) owner = hwnd;
            EnableWindow(hwnd, FALSE);
            impl_->disabledByModal.push_back(hwnd);
        }
        // Kept above the window it blocks, and centred over the screen as designed.
        if (owner) SetWindowLongPtrW(impl_->hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
    show();
}

void Window::close()
{
    if (impl_->hwnd) PostMessageW(impl_->hwnd, WM_CLOSE, 0, 0);
}

bool Window::isVisible() const { return impl_->hwnd && IsWindowVisible(impl_->hwnd); }

}  // namespace sg8

#include "toolkit/application.h"

#include "data/fatal.h"
#include "toolkit/win32/window_impl.h"

#include <commctrl.h>
#include <shellapi.h>

#include <deque>
#include <mutex>

namespace sg8 {

namespace {

constexpr wchar_t kTaskWindowClass[] = L"sg8.Tasks";
constexpr UINT kRunTasks = WM_APP + 1;

/// The tasks posted to the window thread: queued here, woken by one message to a
/// hidden message-only window, so that no number of posts fills the thread's queue.
struct Tasks {
    std::mutex lock;
    std::deque<std::function<void()>> queue;
    bool wakePosted = false;
    HWND window = nullptr;
    DWORD thread = 0;
};

Tasks& tasks()
{
    static Tasks instance;
    return instance;
}

HWND runningMainWindow = nullptr;

LRESULT CALLBACK taskWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunTasks) return DefWindowProcW(hwnd, message, wParam, lParam);
    Tasks& state = tasks();
    {
        std::lock_guard<std::mutex> guard(state.lock);
        state.wakePosted = false;
    }
    // The tasks queued now, in order, for a few milliseconds at most. While tasks
    // are left a wake stays posted, so that a task that runs a loop of its own (a
    // message box) still lets the next ones run, and the rest run later.
    const ULONGLONG until = GetTickCount64() + 10;
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> guard(state.lock);
            if (state.queue.empty()) break;
            task = std::move(state.queue.front());
            state.queue.pop_front();
            if (!state.queue.empty() && !state.wakePosted) {
                state.wakePosted = PostMessageW(hwnd, kRunTasks, 0, 0) != 0;
            }
        }
        dieOnOutOfMemory([&] { task(); });
        if (GetTickCount64() >= until) break;
    }
    return 0;
}

void startTaskWindow()
{
    Tasks& state = tasks();
    if (state.window) return;
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    kind.lpfnWndProc = taskWindowProc;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.lpszClassName = kTaskWindowClass;
    RegisterClassExW(&kind);
    state.thread = GetCurrentThreadId();
    state.window = CreateWindowExW(0, kTaskWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.queue.empty()) state.wakePosted = PostMessageW(state.window, kRunTasks, 0, 0) != 0;
}

bool isKeyOfToolkitWindow(const MSG& message, Window::Impl*& window)
{
    if (message.message != WM_KEYDOWN || !message.hwnd) return false;
    window = win32::windowOf(GetAncestor(message.hwnd, GA_ROOT));
    return window != nullptr;
}

/// Tab and Shift+Tab move the focus through the controls in the order they were
/// made (the design's reading order), skipping those that are hidden, disabled or
/// take no focus.
bool moveFocus(Window::Impl& window, const MSG& message)
{
    if (message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    const auto count = static_cast<int>(window.controls.size());
    if (count == 0) return true;
    const NativeControl* focused = window.controlOf(GetFocus());
    int at = backwards ? 0 : -1;
    for (int i = 0; i < count; ++i) {
        if (window.controls[static_cast<std::size_t>(i)].get() == focused) at = i;
    }
    for (int step = 1; step <= count; ++step) {
        const int index = ((at + (backwards ? -step : step)) % count + count) % count;
        NativeControl& next = *window.controls[static_cast<std::size_t>(index)];
        if (!(GetWindowLongPtrW(next.hwnd, GWL_STYLE) & WS_TABSTOP) || !IsWindowVisible(next.hwnd) ||
            !IsWindowEnabled(next.hwnd)) {
            continue;
        }
        SetFocus(next.hwnd);
        // As in dialogs, an edit box entered with Tab has its text selected.
        if (next.kind == ControlKind::EditBox || next.kind == ControlKind::SearchBox ||
            next.kind == ControlKind::MultiLineEditBox) {
            SendMessageW(next.hwnd, EM_SETSEL, 0, -1);
        }
        return true;
    }
    return true;
}

}  // namespace

namespace win32 {

void setMainWindow(HWND hwnd) { runningMainWindow = hwnd; }
HWND mainWindow() { return runningMainWindow; }

void dispatch(MSG& message)
{
    Window::Impl* window = nullptr;
    if (isKeyOfToolkitWindow(message, window)) {
        if (const std::optional<KeyChord> chord = chordOf(message.wParam)) {
            if (window->handleKey(*chord, message.hwnd)) return;
        }
        if (window = win32::windowOf(GetAncestor(message.hwnd, GA_ROOT)); window && moveFocus(*window, message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

std::optional<KeyChord> chordOf(WPARAM virtualKey)
{
    if (GetKeyState(VK_MENU) < 0) return std::nullopt;
    KeyChord chord;
    chord.ctrl = GetKeyState(VK_CONTROL) < 0;
    chord.shift = GetKeyState(VK_SHIFT) < 0;
    switch (virtualKey) {
    case VK_RETURN: chord.key = Key::Enter; return chord;
    case VK_ESCAPE: chord.key = Key::Escape; return chord;
    case VK_TAB: chord.key = Key::Tab; return chord;
    case VK_UP: chord.key = Key::Up; return chord;
    case VK_DOWN: chord.key = Key::Down; return chord;
    case VK_PRIOR: chord.key = Key::PageUp; return chord;
    case VK_NEXT: chord.key = Key::PageDown; return chord;
    case VK_HOME: chord.key = Key::Home; return chord;
    case VK_END: chord.key = Key::End; return chord;
    case VK_BACK: chord.key = Key::Backspace; return chord;
    case VK_DELETE: chord.key = Key::Delete; return chord;
    case VK_F2: chord.key = Key::F2; return chord;
    default: break;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        chord.key = Key::Letter;
        chord.letter = static_cast<char>(virtualKey);
        return chord;
    }
    return std::nullopt;
}

UINT virtualKeyOf(const KeyChord& chord)
{
    switch (chord.key) {
    case Key::Enter: return VK_RETURN;
    case Key::Escape: return VK_ESCAPE;
    case Key::Tab: return VK_TAB;
    case Key::Up: return VK_UP;
    case Key::Down: return VK_DOWN;
    case Key::PageUp: return VK_PRIOR;
    case Key::PageDown: return VK_NEXT;
    case Key::Home: return VK_HOME;
    case Key::End: return VK_END;
    case Key::Backspace: return VK_BACK;
    case Key::Delete: return VK_DELETE;
    case Key::F2: return VK_F2;
    case Key::Letter: return static_cast<UINT>(chord.letter);
    }
    return 0;
}

HICON applicationIcon(bool small)
{
    const int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace win32

struct Application::Impl {};

Application::Application(int&, char**) : impl_(std::make_unique<Impl>())
{
    // The manifest asks for per-monitor awareness; a program without it gets it here.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    win32::registerClasses();
    startTaskWindow();
}

Application::~Application() = default;

std::vector<std::string> Application::arguments() const
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* all = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!all) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(win32::utf8(all[i]));
    LocalFree(all);
    return arguments;
}

int Application::run(Window& window)
{
    window.show();
    win32::setMainWindow(window.impl().hwnd);
    MSG message;
    int result = 0;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            result = static_cast<int>(message.wParam);
            break;
        }
        if (got < 0) break;
        win32::dispatch(message);
    }
    win32::setMainWindow(nullptr);
    return result;
}

void processEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        win32::dispatch(message);
    }
}

void postToWindowThread(std::function<void()> task)
{
    Tasks& state = tasks();
    std::lock_guard<std::mutex> guard(state.lock);
    state.queue.push_back(std::move(task));
    if (!state.wakePosted && state.window) state.wakePosted = PostMessageW(state.window, kRunTasks, 0, 0) != 0;
}

bool onWindowThread()
{
    const Tasks& state = tasks();
    return !state.window || GetCurrentThreadId() == state.thread;
}

}  // namespace sg8

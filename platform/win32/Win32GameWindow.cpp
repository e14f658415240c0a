// GameWindow on the Win32 API.
#include "platform/GameWindow.h"

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

class Win32GameWindow : public GameWindow {
public:
    explicit Win32GameWindow(GameWindowEvents& events) : events_(events) {}
    Win32GameWindow(const Win32GameWindow&) = delete;
    Win32GameWindow& operator=(const Win32GameWindow&) = delete;
    ~Win32GameWindow() override { Destroy(); }

    bool Create(const std::string& className, const std::string& title, int width, int height) {
        HINSTANCE instance = ::GetModuleHandleA(nullptr);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Win32GameWindow::Proc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = className.c_str();
        if (!::RegisterClassExA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
        RECT r{0, 0, width, height};
        ::AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        hwnd_ = ::CreateWindowExA(0, className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, this);
        if (!hwnd_) return false;
        ::ShowWindow(hwnd_, SW_SHOW);
        ::UpdateWindow(hwnd_);
        BringToFront();
        return true;
    }

    WindowHandle Handle() const override { return win32::FromHwnd(hwnd_); }

    bool SetTimer(std::uint32_t id, std::uint32_t intervalMs) override {
        return hwnd_ && ::SetTimer(hwnd_, id, intervalMs, nullptr) != 0;
    }

    bool BringToFront() override {
        if (!hwnd_) return false;
        if (::GetForegroundWindow() == hwnd_) return true;
        ::SetForegroundWindow(hwnd_);
        ::SetActiveWindow(hwnd_);
        ::SetFocus(hwnd_);
        return ::GetForegroundWindow() == hwnd_;
    }

    void SetText(const std::string& text) override {
        text_ = text;
        if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
    }

    void Destroy() override {
        quietly_ = true;
        if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        if (msg == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32GameWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
        try {
            switch (msg) {
                case WM_KEYDOWN:
                    self->events_.OnKeyDown(static_cast<std::uint32_t>(wParam));
                    return 0;
                case WM_TIMER:
                    self->events_.OnTimer(static_cast<std::uint32_t>(wParam), ::GetTickCount());
                    return 0;
                case WM_PAINT:
                    self->Paint();
                    return 0;
                case WM_CLOSE:
                    if (self->events_.OnClose()) ::DestroyWindow(hwnd);
                    return 0;
                case WM_DESTROY:
                    if (!self->quietly_) ::PostQuitMessage(0);
                    return 0;
                case WM_NCDESTROY:
                    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
                    self->hwnd_ = nullptr;
                    break;
                default:
                    if (msg >= WM_APP && msg <= 0xBFFF) {
                        self->events_.OnAppMessage(msg, wParam, lParam);
                        return 0;
                    }
            }
        } catch (...) {
            ::PostQuitMessage(3);
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    // The text in light grey on the black background, in the fixed-pitch system font.
    void Paint() {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd_, &ps);
        RECT r;
        ::GetClientRect(hwnd_, &r);
        ::InflateRect(&r, -8, -8);
        HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(ANSI_FIXED_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0xE0, 0xE0, 0xE0));
        ::DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &r,
                    DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
        ::SelectObject(dc, oldFont);
        ::EndPaint(hwnd_, &ps);
    }

    GameWindowEvents& events_;
    HWND hwnd_ = nullptr;
    std::string text_;
    bool quietly_ = false;  // destroyed by Destroy: the message loop goes on
};

}  // namespace

std::unique_ptr<GameWindow> GameWindow::Create(const std::string& className, const std::string& title, int width,
                                               int height, GameWindowEvents& events) {
    auto window = std::make_unique<Win32GameWindow>(events);
    if (!window->Create(className, title, width, height)) return nullptr;
    return window;
}

int RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void QuitMessageLoop(int exitCode) { ::PostQuitMessage(exitCode); }

}  // namespace platform

// A web pane: the system's WebBrowser control hosted with plain COM when it can be created,
// activated in place and told to navigate; otherwise a read-only text that shows what the pane
// fetched. Which of the two is decided once, when the pane is made: a browser that later fails
// a page shows a short text in its place but never has the page fetched again.

#include "platform/win32/WinApi.h"  // before the other Windows headers
#include <exdisp.h>
#include <exdispid.h>
#include <ole2.h>

#include <mutex>

#include "platform/CallbackFailure.h"
#include "platform/Ports.h"
#include "ui/win32/BrowserSite.h"
#include "ui/win32/ControlView.h"

namespace ui::win32 {

namespace {

constexpr UINT kShowText = WM_APP + 1;      // the text to show has changed
constexpr UINT_PTR kPageTimer = 1;          // a page that reports nothing in time counts as done
constexpr UINT kPageLimitMs = platform::kHttpTimeoutSeconds * 1000;
constexpr UINT kLoadedLimitMs = 5000;       // from a page's arrival to its end
constexpr char kPaneClass[] = "VelomarkWebPane";

class WebPaneView : public ControlView, public platform::PageView, private BrowserEvents {
public:
    WebPaneView(HWND parent, int id, const ui::ControlDesign& row, ui::Control* model) : ControlView(model), name_(row.name) {
        Register();
        Create(parent, id, row, kPaneClass, WS_CLIPCHILDREN);
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        text_ = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
                                  0, 0, 0, hwnd_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ::SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
        // The first navigation proves the browser; the first page waits for its end, which may
        // come at once, inside Create.
        starting_ = true;
        arrived_ = true;  // the start page's end is not a failure
        site_ = BrowserSite::Create(hwnd_, *this);
        if (!site_) {
            starting_ = false;
            ::ShowWindow(text_, SW_SHOWNA);
        } else if (starting_) {
            ::SetTimer(hwnd_, kPageTimer, kLoadedLimitMs, nullptr);
        }
        Fit();
        Bind();
        if (*row.name != '\0') platform::webPanes().SetView(name_, this);
    }

    ~WebPaneView() override {
        if (!name_.empty()) platform::webPanes().SetView(name_, nullptr);
        if (site_) site_->Close();
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }

    // PageView.
    bool SendsRequests() const override { return site_ != nullptr; }

    void Load(const std::string& address, std::function<void()> done) override {
        page_ = address;
        done_ = std::move(done);
        if (!starting_) Start();
    }

    void ShowText(const std::string& text) override {
        {
            std::lock_guard lock(mutex_);
            shown_ = text;
        }
        ::PostMessageA(hwnd_, kShowText, 0, 0);
    }

protected:
    void Show(ui::Property p) override {
        ControlView::Show(p);
        if (p == ui::Property::Bounds) Fit();
    }

private:
    static void Register() {
        static const bool done = [] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &WebPaneView::Proc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = kPaneClass;
            return ::RegisterClassExA(&wc) != 0;
        }();
        (void)done;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        auto* self = reinterpret_cast<WebPaneView*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
        try {
            switch (msg) {
                case WM_SIZE: self->Fit(); return 0;
                case kShowText: self->ShowTextNow(); return 0;
                case WM_TIMER:  // nothing came in time: failed, unless the page had arrived
                    if (wParam == kPageTimer) self->Ended(!self->arrived_);
                    return 0;
                default: break;
            }
        } catch (...) {
            platform::ReportCallbackFailure(std::current_exception());
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    // Fills the pane with the browser and the text.
    void Fit() {
        RECT r;
        ::GetClientRect(hwnd_, &r);
        ::MoveWindow(text_, 0, 0, r.right, r.bottom, TRUE);
        if (site_) site_->Fit(r);
    }

    void ShowTextNow() {
        std::string text;
        {
            std::lock_guard lock(mutex_);
            text = shown_;
        }
        std::string lines;  // the edit control breaks lines at CR LF only
        for (char c : text) {
            if (c == '\n' && (lines.empty() || lines.back() != '\r')) lines += '\r';
            lines += c;
        }
        ::SetWindowTextA(text_, lines.c_str());
        ::ShowWindow(text_, SW_SHOWNA);
        ::SetWindowPos(text_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    void Start() {
        if (!done_) return;
        ::ShowWindow(text_, SW_HIDE);
        arrived_ = false;
        ::SetTimer(hwnd_, kPageTimer, kPageLimitMs, nullptr);
        if (!site_->Navigate(page_)) Ended(true);  // told to, and refused: the page is not sent
    }

    // BrowserEvents: the page arrived (its end is near), or loaded, or failed.
    void PageArrived() override {
        arrived_ = true;
        ::SetTimer(hwnd_, kPageTimer, kLoadedLimitMs, nullptr);
    }
    void PageEnded(bool failed) override { Ended(failed); }

    void Ended(bool failed) {
        ::KillTimer(hwnd_, kPageTimer);
        if (starting_) {
            starting_ = false;
            Start();
            return;
        }
        if (!done_) return;
        // Without a page a blank pane says it; about:blank and the like are blank anyway.
        if (failed) ShowText(platform::IsWebAddress(page_) ? platform::kPageNotShown : "");
        auto done = std::move(done_);
        done_ = nullptr;
        done();
    }

    std::string name_;
    HWND text_ = nullptr;
    BrowserSite* site_ = nullptr;  // nullptr: the pane shows text
    bool starting_ = false;
    bool arrived_ = false;
    std::string page_;  // the page to load or loading
    std::function<void()> done_;
    std::mutex mutex_;
    std::string shown_;
};

}  // namespace

std::unique_ptr<ControlView> MakeWebPaneView(HWND parent, int id, const ui::ControlDesign& row, ui::Control* model) {
    return std::make_unique<WebPaneView>(parent, id, row, model);
}

}  // namespace ui::win32

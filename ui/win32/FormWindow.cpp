// One top-level window per loaded form, made from the form's design and bound to its components.

#include "platform/win32/WinApi.h"  // before the other Windows headers
#include <commctrl.h>
#include <ole2.h>

#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

#include "platform/CallbackFailure.h"
#include "platform/EventLoop.h"
#include "platform/win32/MessageLoop.h"
#include "ui/win32/ControlView.h"
#include "ui/win32/FormViews.h"
#include "ui/win32/MenuBar.h"

namespace ui::win32 {

namespace {

// The command id of the design's first control; the others follow in the design's order.
constexpr int kFirstControlId = 100;

class FormWindow;
// The windows that exist, for the message filter.
std::map<HWND, FormWindow*>& Windows() {
    static std::map<HWND, FormWindow*> windows;
    return windows;
}

class FormWindow : public ui::Form::View, public std::enable_shared_from_this<FormWindow> {
public:
    explicit FormWindow(ui::Form& form) : form_(form) {}
    ~FormWindow() override { Destroy(); }
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window, hidden, with its menu bar and controls.
    void Create();
    platform::WindowHandle Handle() const override {
        return platform::win32::FromHwnd(hwnd_);
    }
    HACCEL Accelerators() const { return menu_ ? menu_->Accelerators() : nullptr; }
    static HWND HandleOf(const ui::Form* form) {
        for (auto& [hwnd, window] : Windows())
            if (&window->form_ == form) return hwnd;
        return nullptr;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Show(ui::Property p);
    void Place();
    void ReportSize();
    void Destroy();
    ControlView* Control(int id) {
        const int index = id - kFirstControlId;
        return index >= 0 && index < static_cast<int>(controls_.size()) ? controls_[static_cast<std::size_t>(index)].get()
                                                                         : nullptr;
    }
    void Publish(const std::string& name, int id) {
        const std::string key = "vm:" + name;
        if (::SetPropA(hwnd_, key.c_str(), reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id))))
            published_.push_back(key);
    }

    ui::Form& form_;
    HWND hwnd_ = nullptr;
    bool closing_ = false;  // the models are no longer told anything
    bool placed_ = false;
    HWND focus_ = nullptr;  // the control that had the keyboard when the window was last active
    std::vector<std::unique_ptr<ControlView>> controls_;
    std::unique_ptr<MenuBar> menu_;
    std::vector<std::string> published_;
    ui::Connection watch_;
};

void FormWindow::Create() {
    const ui::FormDesign& design = *form_.Design();
    const auto faults = ui::DesignFaults(form_);
    if (!faults.empty()) throw std::logic_error(form_.Name() + ": " + faults.front());

    static std::set<std::string> registered;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!registered.count(form_.Name())) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &FormWindow::Proc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = form_.Name().c_str();
        if (!::RegisterClassExA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw std::runtime_error("cannot register the window class " + form_.Name());
        registered.insert(form_.Name());
    }
    const DWORD style = design.resizable ? WS_OVERLAPPEDWINDOW : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, ScaleUp(design.width), ScaleUp(design.height)};
    ::AdjustWindowRectEx(&r, style, !design.menuBar.empty(), WS_EX_CONTROLPARENT);
    ::CreateWindowExA(WS_EX_CONTROLPARENT, form_.Name().c_str(), form_.Caption().c_str(), style, CW_USEDEFAULT,
                      CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, this);
    if (hwnd_ == nullptr)
        throw std::runtime_error("cannot create the window " + form_.Name() + " (error " +
                                 std::to_string(::GetLastError()) + ")");
    Windows()[hwnd_] = this;

    if (!design.menuBar.empty()) {
        menu_ = std::make_unique<MenuBar>(hwnd_, form_, design);
        for (auto& [name, id] : menu_->Ids()) Publish(name, id);
    }
    // The inner size is the design's, whatever the menu bar took.
    RECT inner;
    ::GetClientRect(hwnd_, &inner);
    ::GetWindowRect(hwnd_, &r);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left + ScaleUp(design.width) - inner.right,
                   r.bottom - r.top + ScaleUp(design.height) - inner.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        const ui::ControlDesign& row = design.controls[i];
        const int id = kFirstControlId + static_cast<int>(i);
        ui::Component* model = *row.name != '\0' ? form_.Find(row.name) : nullptr;
        controls_.push_back(MakeControlView(hwnd_, id, row, model));
        if (*row.name != '\0') Publish(row.name, id);
    }
    // A row that overlaps an earlier one lies above it (the controls clip their siblings), while
    // the others keep the design's order, which is the order of the tab key.
    for (std::size_t j = 1; j < design.controls.size(); ++j)
        for (std::size_t i = 0; i < j; ++i)
            if (ui::Overlap(design.controls[i], design.controls[j])) {
                ::SetWindowPos(controls_[j]->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                break;
            }
    ::EnableWindow(hwnd_, form_.Enabled());
    watch_ = form_.Observe([this](ui::Component&, ui::Property p) { Show(p); });
}

void FormWindow::Show(ui::Property p) {
    if (hwnd_ == nullptr) return;
    switch (p) {
        case ui::Property::Caption: ::SetWindowTextA(hwnd_, form_.Caption().c_str()); break;
        case ui::Property::Visible:
            if (!form_.Visible()) {
                ::ShowWindow(hwnd_, SW_HIDE);
                break;
            }
            if (HWND owner = HandleOf(form_.ModalOwner()))
                ::SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
            if (!placed_) Place();
            ::ShowWindow(hwnd_, SW_SHOW);
            ::SetForegroundWindow(hwnd_);
            ReportSize();
            break;
        case ui::Property::Enabled:
            ::EnableWindow(hwnd_, form_.Enabled());
            // The window a modal one gave back the keyboard to.
            if (form_.Enabled() && form_.Visible() && ::GetActiveWindow() == nullptr) ::SetForegroundWindow(hwnd_);
            break;
        case ui::Property::Loaded:
            if (!form_.Loaded()) Destroy();
            break;
        case ui::Property::Bounds:  // an outer size from code; a shown window reports its inner size
            if (form_.Width() > 0 && form_.Height() > 0)
                ::SetWindowPos(hwnd_, nullptr, 0, 0, ScaleUp(form_.Width()), ScaleUp(form_.Height()),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        default: break;
    }
}

// Centres the window over its owner, or on the screen.
void FormWindow::Place() {
    placed_ = true;
    RECT area, me;
    HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    if (owner) ::GetWindowRect(owner, &area);
    else ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(hwnd_, &me);
    const int width = me.right - me.left, height = me.bottom - me.top;
    const int x = std::max(0, static_cast<int>(area.left + (area.right - area.left - width) / 2));
    const int y = std::max(0, static_cast<int>(area.top + (area.bottom - area.top - height) / 2));
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ReportSize() {
    RECT inner;
    ::GetClientRect(hwnd_, &inner);
    form_.Resized(ScaleDown(inner.right), ScaleDown(inner.bottom));
}

void FormWindow::Destroy() {
    if (hwnd_ == nullptr) return;
    closing_ = true;
    watch_.Disconnect();
    menu_.reset();
    controls_.clear();
    for (const std::string& key : published_) ::RemovePropA(hwnd_, key.c_str());
    published_.clear();
    ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        Windows().erase(hwnd);
        self->hwnd_ = nullptr;
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (self->closing_) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    // A handler may unload the form, which releases this window; it stays until the message is done.
    std::shared_ptr<FormWindow> keep = self->weak_from_this().lock();
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (...) {
        platform::ReportCallbackFailure(std::current_exception());
        return 0;
    }
}

LRESULT FormWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (lParam != 0) {
                if (ControlView* c = Control(LOWORD(wParam))) c->OnCommand(HIWORD(wParam));
            } else if (menu_) {
                menu_->Choose(LOWORD(wParam));
            }
            return 0;
        case WM_DRAWITEM:
            if (ControlView* c = Control(static_cast<int>(wParam)))
                if (c->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (ControlView* c = Control(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam))))
                if (HBRUSH brush = c->OnColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && ::IsWindowVisible(hwnd_)) ReportSize();
            return 0;
        case WM_CLOSE:  // the close box
            form_.Close();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd_, focus)) focus_ = focus;
            } else if (focus_ && ::IsWindow(focus_) && ::IsChild(hwnd_, focus_)) {
                ::SetFocus(focus_);
            } else if (HWND first = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE)) {
                ::SetFocus(first);
                // As in a dialog, a text field entered from the keyboard has its text selected.
                if (::SendMessageA(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageA(first, EM_SETSEL, 0, -1);
            }
            return 0;
        default: break;
    }
    return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

// Keyboard shortcuts of the form in front and moves between its controls.
bool FilterMessage(MSG& msg) {
    if (msg.hwnd == nullptr) return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    auto it = Windows().find(root);
    if (it == Windows().end()) return false;
    HACCEL keys = it->second->Accelerators();
    if (keys && ::IsWindowEnabled(root) && ::TranslateAcceleratorA(root, keys, &msg)) return true;
    return ::IsDialogMessageA(root, &msg) != 0;
}

}  // namespace

void InstallFormViews() {
    ::OleInitialize(nullptr);  // the web panes' browsers
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ui::Form::SetViewMaker([](ui::Form& form) -> std::shared_ptr<ui::Form::View> {
        if (form.Design() == nullptr) return nullptr;
        auto window = std::make_shared<FormWindow>(form);
        window->Create();
        return window;
    });
    platform::win32::SetMessageFilter(&FilterMessage);
}

int RunMessageLoop() {
    MSG msg;
    while (!ui::Form::LoadedForms().empty()) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 1;
        platform::win32::DispatchMessageThroughFilter(msg);
        platform::RunHeldDriverActions();
    }
    return 0;
}

}  // namespace ui::win32

// The push button, drawn by the view from its model: the back colour, or the colour while the
// pointer is over it, a raised or pressed edge, the caption, greyed when disabled.

#include "platform/win32/WinApi.h"  // before the other Windows headers
#include <commctrl.h>

#include "platform/CallbackFailure.h"
#include "ui/win32/ControlView.h"

namespace ui::win32 {

namespace {

class PushButtonView : public ControlView {
public:
    PushButtonView(HWND parent, int id, const ui::ControlDesign& row, ui::PushButton* button)
        : ControlView(button), button_(button) {
        Create(parent, id, row, "BUTTON", WS_TABSTOP | BS_OWNERDRAW);
        ::SetWindowSubclass(hwnd_, &PushButtonView::Hover, 0, reinterpret_cast<DWORD_PTR>(this));
        caption_ = row.caption;  // of a button without a model
        Bind();
    }
    ~PushButtonView() override { ::RemoveWindowSubclass(hwnd_, &PushButtonView::Hover, 0); }

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED && button_ != nullptr) button_->Press();
    }

    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        const bool disabled = (item.itemState & ODS_DISABLED) != 0, pressed = (item.itemState & ODS_SELECTED) != 0;
        RECT r = item.rcItem;
        const ui::Color back = !button_ ? ::GetSysColor(COLOR_BTNFACE)
                               : hot_ && !disabled ? button_->Backover()
                                                   : button_->Backcolor();
        HBRUSH brush = ::CreateSolidBrush(ShownColor(back));
        ::FillRect(item.hDC, &r, brush);
        ::DeleteObject(brush);
        ::DrawEdge(item.hDC, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

        const std::string& caption = button_ ? button_->Caption() : caption_;
        HGDIOBJ oldFont = ::SelectObject(item.hDC, MessageFont());
        ::SetBkMode(item.hDC, TRANSPARENT);
        ::SetTextColor(item.hDC, disabled ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
        RECT text = r;
        if (pressed) ::OffsetRect(&text, 1, 1);
        ::DrawTextA(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        ::SelectObject(item.hDC, oldFont);

        if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
            RECT focus = r;
            ::InflateRect(&focus, -ScaleUp(4), -ScaleUp(4));
            ::DrawFocusRect(item.hDC, &focus);
        }
        return true;
    }

protected:
    void Show(ui::Property p) override {
        switch (p) {
            case ui::Property::Caption:
                // Drawn from the model, and the window's text too, which others read.
                SetText(button_->Caption());
                ::InvalidateRect(hwnd_, nullptr, FALSE);
                break;
            case ui::Property::BackColor:
            case ui::Property::BackOver: ::InvalidateRect(hwnd_, nullptr, FALSE); break;
            default: ControlView::Show(p);
        }
    }

private:
    // Tracks the pointer over the button, so that it paints in its colour for that.
    static LRESULT CALLBACK Hover(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) noexcept {
        try {
            auto* self = reinterpret_cast<PushButtonView*>(data);
            if (msg == WM_MOUSEMOVE && !self->hot_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
                ::TrackMouseEvent(&track);
                self->hot_ = true;
                ::InvalidateRect(hwnd, nullptr, FALSE);
            } else if (msg == WM_MOUSELEAVE) {
                self->hot_ = false;
                ::InvalidateRect(hwnd, nullptr, FALSE);
            }
        } catch (...) {
            platform::ReportCallbackFailure(std::current_exception());
        }
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }

    ui::PushButton* button_;
    std::string caption_;
    bool hot_ = false;
};

}  // namespace

std::unique_ptr<ControlView> MakePushButtonView(HWND parent, int id, const ui::ControlDesign& row,
                                                ui::PushButton* model) {
    return std::make_unique<PushButtonView>(parent, id, row, model);
}

}  // namespace ui::win32

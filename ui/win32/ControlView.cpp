#include "ui/win32/ControlView.h"

#include <vector>

#include "platform/Ports.h"
#include "platform/win32/Win32Pictures.h"

namespace ui::win32 {

namespace {
int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = ::GetDC(nullptr);
        int d = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
        if (screen) ::ReleaseDC(nullptr, screen);
        return d > 0 ? d : 96;
    }();
    return dpi;
}
}  // namespace

int ScaleUp(int designPixels) { return ::MulDiv(designPixels, ScreenDpi(), 96); }
int ScaleDown(int screenPixels) { return ::MulDiv(screenPixels, 96, ScreenDpi()); }

HFONT MessageFont() {
    static const HFONT font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return ::CreateFontIndirectA(&metrics.lfMessageFont);
        return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

HFONT FixedPitchFont() {
    static const HFONT font = [] {
        LOGFONTA face{};
        ::GetObjectA(MessageFont(), sizeof face, &face);
        face.lfWidth = 0;
        face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        ::lstrcpynA(face.lfFaceName, "Courier New", LF_FACESIZE);
        HFONT made = ::CreateFontIndirectA(&face);
        return made ? made : static_cast<HFONT>(::GetStockObject(ANSI_FIXED_FONT));
    }();
    return font;
}

COLORREF ShownColor(ui::Color color) {
    return (color & ui::kSystemColor) ? ::GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

std::string WindowText(HWND hwnd) {
    const int n = ::GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd, text.data(), n + 1)));
    return text;
}

ControlView::~ControlView() {
    watch_.Disconnect();
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

void ControlView::Create(HWND parent, int id, const ui::ControlDesign& row, const char* windowClass, DWORD style,
                         DWORD exStyle) {
    hwnd_ = ::CreateWindowExA(exStyle, windowClass, row.caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style | row.style,
                              ScaleUp(row.x), ScaleUp(row.y), ScaleUp(row.width), ScaleUp(row.height + dropHeight_), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr)
        throw std::runtime_error(std::string("cannot create the control ") + row.name + " (error " +
                                 std::to_string(::GetLastError()) + ")");
    HFONT font = (row.look & ui::kFixedPitch) ? FixedPitchFont() : MessageFont();
    ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void ControlView::Bind() {
    if (model_ == nullptr) return;
    for (ui::Property p : {ui::Property::Enabled, ui::Property::Visible, ui::Property::Bounds, ui::Property::Caption,
                           ui::Property::Text, ui::Property::Items, ui::Property::ListIndex, ui::Property::Value,
                           ui::Property::ForeColor, ui::Property::BackColor, ui::Property::Picture})
        Show(p);
    watch_ = model_->Observe([this](ui::Component&, ui::Property p) { Show(p); });
}

void ControlView::Show(ui::Property p) {
    switch (p) {
        case ui::Property::Enabled: ::EnableWindow(hwnd_, model_->Enabled()); break;
        case ui::Property::Visible: ::ShowWindow(hwnd_, model_->Visible() ? SW_SHOWNA : SW_HIDE); break;
        case ui::Property::Bounds: {
            const ui::Bounds& b = model_->Bounds();
            ::SetWindowPos(hwnd_, nullptr, ScaleUp(b.left), ScaleUp(b.top), ScaleUp(b.width),
                           ScaleUp(b.height + dropHeight_), SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        default: break;
    }
}

void ControlView::SetText(const std::string& text) {
    if (WindowText(hwnd_) == text) return;
    Quiet quiet(*this);
    ::SetWindowTextA(hwnd_, text.c_str());
}

namespace {

// A caption with a fore and a back colour.
class LabelView : public ControlView {
public:
    LabelView(HWND parent, int id, const ui::ControlDesign& row, ui::Label* label) : ControlView(label), label_(label) {
        const bool sunken = (row.look & ui::kSunken) != 0;
        Create(parent, id, row, "STATIC", SS_NOPREFIX | (sunken ? SS_CENTER | SS_CENTERIMAGE : 0),
               sunken ? WS_EX_STATICEDGE : 0);
        Bind();
    }
    ~LabelView() override {
        if (brush_) ::DeleteObject(brush_);
    }

    HBRUSH OnColor(HDC dc) override {
        if (label_ == nullptr) return nullptr;
        ::SetTextColor(dc, ShownColor(label_->ForeColor()));
        ::SetBkColor(dc, ShownColor(label_->BackColor()));
        if (!brush_) brush_ = ::CreateSolidBrush(ShownColor(label_->BackColor()));
        return brush_;
    }

protected:
    void Show(ui::Property p) override {
        switch (p) {
            case ui::Property::Caption: SetText(label_->Caption()); break;
            case ui::Property::ForeColor:
            case ui::Property::BackColor:
                if (brush_) ::DeleteObject(brush_);
                brush_ = nullptr;
                ::InvalidateRect(hwnd_, nullptr, TRUE);
                break;
            default: ControlView::Show(p);
        }
    }

private:
    ui::Label* label_;
    HBRUSH brush_ = nullptr;
};

// A bitmap of the design (a resource of the program of that name, or a file in its folder), or
// the picture file that code loaded into the model, through OLE's picture loader. The light grey
// of a design bitmap with a colour table (192, 192, 192) shows as the window's face.
class ImageView : public ControlView {
public:
    ImageView(HWND parent, int id, const ui::ControlDesign& row, ui::Control* model)
        : ControlView(model), image_(dynamic_cast<ui::Image*>(model)) {
        Create(parent, id, row, "STATIC", SS_BITMAP | SS_CENTERIMAGE);
        if (*row.caption != '\0') {
            bitmap_ = static_cast<HBITMAP>(
                ::LoadImageA(::GetModuleHandleA(nullptr), row.caption, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
            if (!bitmap_) {
                const std::string file = platform::environment().ProgramFolder() + "\\" + row.caption;
                bitmap_ = static_cast<HBITMAP>(
                    ::LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_LOADMAP3DCOLORS));
            }
            if (bitmap_) ::SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
        }
        Bind();
    }
    ~ImageView() override {
        if (bitmap_) ::DeleteObject(bitmap_);
    }

protected:
    void Show(ui::Property p) override {
        if (p != ui::Property::Picture) return ControlView::Show(p);
        if (image_ == nullptr || image_->Picture().empty()) return;
        platform::win32::ScopedPicture picture = platform::win32::LoadPictureFile(image_->Picture());
        OLE_HANDLE handle = 0;
        short type = PICTYPE_UNINITIALIZED;
        if (!picture || FAILED(picture.get()->get_Type(&type)) || type != PICTYPE_BITMAP ||
            FAILED(picture.get()->get_Handle(&handle)))
            return;
        // The picture owns its bitmap: the one shown before is dropped only once this one shows.
        ::SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(handle));
        ::InvalidateRect(hwnd_, nullptr, TRUE);
        picture_ = std::move(picture);
    }

private:
    ui::Image* image_;
    HBITMAP bitmap_ = nullptr;
    platform::win32::ScopedPicture picture_;
};

// A group box.
class FrameView : public ControlView {
public:
    FrameView(HWND parent, int id, const ui::ControlDesign& row, ui::Control* model) : ControlView(model) {
        Create(parent, id, row, "BUTTON", BS_GROUPBOX);
        Bind();
    }
};

// An edit field: one line, a password (shown as "*") or a read-only text of several lines, with
// a scroll bar while it has more lines than it shows.
class TextView : public ControlView {
public:
    TextView(HWND parent, int id, const ui::ControlDesign& row, ui::TextBox* text) : ControlView(text), text_(text) {
        DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
        if (row.kind == ui::Kind::PasswordBox) style |= ES_PASSWORD;
        if (row.kind == ui::Kind::MultiLineText) style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
        Create(parent, id, row, "EDIT", style, WS_EX_CLIENTEDGE);
        // Common Controls 6 would show a bullet.
        if (row.kind == ui::Kind::PasswordBox) ::SendMessageA(hwnd_, EM_SETPASSWORDCHAR, '*', 0);
        multiLine_ = row.kind == ui::Kind::MultiLineText;
        Bind();
    }

    void OnCommand(WORD code) override {
        if (code == EN_CHANGE && !quiet_ && text_) text_->Type(WindowText(hwnd_));
    }

protected:
    void Show(ui::Property p) override {
        if (p != ui::Property::Text) return ControlView::Show(p);
        SetText(text_->Text());
        if (multiLine_) {  // the newest lines in sight
            FitScrollBar();
            const auto end = static_cast<WPARAM>(::GetWindowTextLengthA(hwnd_));
            ::SendMessageA(hwnd_, EM_SETSEL, end, static_cast<LPARAM>(end));
            ::SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);
        }
    }

private:
    void FitScrollBar() {
        TEXTMETRICA metrics{};
        HDC dc = ::GetDC(hwnd_);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, old);
        ::ReleaseDC(hwnd_, dc);
        RECT area{};
        ::SendMessageA(hwnd_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        const auto lines = static_cast<LONG>(::SendMessageA(hwnd_, EM_GETLINECOUNT, 0, 0));
        ::ShowScrollBar(hwnd_, SB_VERT, lines * metrics.tmHeight > area.bottom - area.top);
    }

    ui::TextBox* text_;
    bool multiLine_ = false;
};

// A drop-down list, or a drop-down combo whose text can be typed.
class ComboView : public ControlView {
public:
    ComboView(HWND parent, int id, const ui::ControlDesign& row, ui::ComboBox* combo) : ControlView(combo), combo_(combo) {
        const DWORD kind = row.kind == ui::Kind::ComboEdit ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
        dropHeight_ = 200;
        Create(parent, id, row, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_HASSTRINGS | kind);
        editable_ = row.kind == ui::Kind::ComboEdit;
        Bind();
    }

    void OnCommand(WORD code) override {
        if (quiet_ || combo_ == nullptr) return;
        if (code == CBN_SELCHANGE) {
            const auto index = static_cast<int>(::SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
            if (index >= 0) combo_->Pick(index);
        } else if (code == CBN_EDITCHANGE && editable_) {
            combo_->Type(WindowText(hwnd_));
        }
    }

protected:
    void Show(ui::Property p) override {
        switch (p) {
            case ui::Property::Items: {
                Quiet quiet(*this);
                ::SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
                for (int i = 0; i < combo_->ListCount(); ++i)
                    ::SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(combo_->List(i).c_str()));
                ShowSelection();
                break;
            }
            case ui::Property::ListIndex: ShowSelection(); break;
            case ui::Property::Text:
                if (editable_) ShowTypedText();
                break;
            default: ControlView::Show(p);
        }
    }

private:
    void ShowSelection() {
        const int index = combo_->ListIndex();
        if (static_cast<int>(::SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)) != index) {
            Quiet quiet(*this);
            ::SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        // Taking the selection away empties the edit field, also while the user types in it.
        if (editable_) ShowTypedText();
    }

    void ShowTypedText() {
        if (WindowText(hwnd_) == combo_->Text()) return;
        SetText(combo_->Text());
        const auto end = static_cast<WORD>(combo_->Text().size());
        ::SendMessageA(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
    }

    ui::ComboBox* combo_;
    bool editable_ = false;
};

// A round button of a group; the model turns the others off.
class OptionView : public ControlView {
public:
    OptionView(HWND parent, int id, const ui::ControlDesign& row, ui::OptionButton* option)
        : ControlView(option), option_(option) {
        Create(parent, id, row, "BUTTON", WS_TABSTOP | BS_RADIOBUTTON);
        Bind();
    }

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED && !quiet_ && option_) option_->Click();
    }

protected:
    void Show(ui::Property p) override {
        if (p == ui::Property::Value)
            ::SendMessageA(hwnd_, BM_SETCHECK, option_->Value() ? BST_CHECKED : BST_UNCHECKED, 0);
        else
            ControlView::Show(p);
    }

private:
    ui::OptionButton* option_;
};

// A square box, unticked, ticked or greyed; a click ticks or unticks it.
class CheckView : public ControlView {
public:
    CheckView(HWND parent, int id, const ui::ControlDesign& row, ui::CheckBox* check) : ControlView(check), check_(check) {
        Create(parent, id, row, "BUTTON", WS_TABSTOP | BS_3STATE);
        Bind();
    }

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED && !quiet_ && check_) check_->Click();
    }

protected:
    void Show(ui::Property p) override {
        if (p == ui::Property::Value)
            ::SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(check_->Value()), 0);  // the same 0, 1, 2
        else
            ControlView::Show(p);
    }

private:
    ui::CheckBox* check_;
};

}  // namespace

std::unique_ptr<ControlView> MakeControlView(HWND parent, int id, const ui::ControlDesign& row,
                                             ui::Component* model) {
    auto* control = dynamic_cast<ui::Control*>(model);
    switch (row.kind) {
        case ui::Kind::Label: return std::make_unique<LabelView>(parent, id, row, dynamic_cast<ui::Label*>(model));
        case ui::Kind::TextBox:
        case ui::Kind::PasswordBox:
        case ui::Kind::MultiLineText:
            return std::make_unique<TextView>(parent, id, row, dynamic_cast<ui::TextBox*>(model));
        case ui::Kind::ComboList:
        case ui::Kind::ComboEdit: return std::make_unique<ComboView>(parent, id, row, dynamic_cast<ui::ComboBox*>(model));
        case ui::Kind::OptionButton:
            return std::make_unique<OptionView>(parent, id, row, dynamic_cast<ui::OptionButton*>(model));
        case ui::Kind::CheckBox: return std::make_unique<CheckView>(parent, id, row, dynamic_cast<ui::CheckBox*>(model));
        case ui::Kind::PushButton: return MakePushButtonView(parent, id, row, dynamic_cast<ui::PushButton*>(model));
        case ui::Kind::Image: return std::make_unique<ImageView>(parent, id, row, control);
        case ui::Kind::Frame: return std::make_unique<FrameView>(parent, id, row, control);
        case ui::Kind::WebPane: return MakeWebPaneView(parent, id, row, control);
    }
    throw std::logic_error("unknown kind of control");
}

}  // namespace ui::win32

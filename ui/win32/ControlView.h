// The real controls of a form's window, each bound to the model of its design row. A control
// shows every change of its model; the user's actions reach the model through the setters that
// code uses, so both raise the same events. Only the win32/ folders hold code for Win32.
#pragma once
#include <memory>
#include <string>

#include "platform/win32/WinApi.h"
#include "ui/Design.h"
#include "ui/Form.h"

namespace ui::win32 {

// Design units (pixels at 96 DPI) to the screen's pixels and back.
int ScaleUp(int designPixels);
int ScaleDown(int screenPixels);
// The font of every window: the system's message font at the screen's DPI.
HFONT MessageFont();
// The same size in a fixed-pitch face, for rows that ask for it (ui::kFixedPitch).
HFONT FixedPitchFont();
// A model's colour as Windows draws it: a system colour of the scheme is looked up.
COLORREF ShownColor(ui::Color color);
// A window's text.
std::string WindowText(HWND hwnd);

class ControlView {
public:
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    HWND Handle() const { return hwnd_; }
    // A notification (WM_COMMAND code) from the control.
    virtual void OnCommand(WORD code) {}
    // Paints an owner-drawn control. Returns true when it did.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) { return false; }
    // Sets the colours of the control into dc and returns its back brush, or nullptr for the
    // system's colours (WM_CTLCOLOR*).
    virtual HBRUSH OnColor(HDC dc) { return nullptr; }

protected:
    // model may be nullptr (a design-only row).
    ControlView(ui::Control* model) : model_(model) {}
    // Creates the control (a child of parent with the id) at the row's place, in the form's font.
    void Create(HWND parent, int id, const ui::ControlDesign& row, const char* windowClass, DWORD style,
                DWORD exStyle = 0);
    // Shows the whole model and then every change of it.
    void Bind();
    // Shows a change of one property; the base shows enabled, visible and the place.
    virtual void Show(ui::Property p);

    // Sets the control's text unless it shows it already, quietly.
    void SetText(const std::string& text);

    // Holds the control's notifications off as the user's while the view itself changes it.
    class Quiet {
    public:
        explicit Quiet(ControlView& v) : v_(v), was_(v.quiet_) { v_.quiet_ = true; }
        ~Quiet() { v_.quiet_ = was_; }

    private:
        ControlView& v_;
        bool was_;
    };
    bool quiet_ = false;

    ui::Control* model_;
    HWND hwnd_ = nullptr;
    int dropHeight_ = 0;  // a combo box's window also holds its open list

private:
    ui::Connection watch_;
};

// Creates the control of a design row as a child of parent; model is the form's component of the
// row's name (nullptr for none), of the kind the row shows.
std::unique_ptr<ControlView> MakeControlView(HWND parent, int id, const ui::ControlDesign& row, ui::Component* model);

// Kinds that live in files of their own.
std::unique_ptr<ControlView> MakePushButtonView(HWND parent, int id, const ui::ControlDesign& row,
                                                ui::PushButton* model);
std::unique_ptr<ControlView> MakeWebPaneView(HWND parent, int id, const ui::ControlDesign& row, ui::Control* model);

}  // namespace ui::win32

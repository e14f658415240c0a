// A window's design: what each control is and where it stands, as a table beside the window's
// presenter. The view creates the real controls from it and binds each to the model of the
// same name; the presenter never reads it.
#pragma once
#include <span>

namespace ui {

enum class Kind {
    Label,
    TextBox,        // one line
    PasswordBox,    // one line, shown as "*"
    MultiLineText,  // read-only, scrolls
    ComboList,      // drop-down list: the text is always an entry's
    ComboEdit,      // drop-down combo: the text can be typed
    OptionButton,
    CheckBox,
    PushButton,
    Image,          // a picture of the design; caption names its resource or file
    Frame,          // a group box around other controls
    WebPane,        // a web page area
};

// One control: its model's name ("cmdSS(3)" for an array element), kind, place and size in
// pixels at 96 DPI, caption and extra Windows style bits.
struct ControlDesign {
    const char* name;
    Kind kind;
    int x, y, width, height;
    const char* caption = "";
    unsigned style = 0;
};

// The window: client area size in pixels at 96 DPI, whether the user may resize it, and its
// controls in tab order.
struct FormDesign {
    int width, height;
    bool resizable;
    std::span<const ControlDesign> controls;
};

}  // namespace ui

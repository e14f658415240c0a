// A window's design: what each control is and where it stands, as a table beside the window's
// presenter. The view creates the real controls from it and binds each to the model of the
// same name; the presenter reads only the places, which the form copies into its controls.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ui {

class Form;

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
    Image,          // a picture of the design; caption names its bitmap resource or file
    Frame,          // a group box around other controls
    WebPane,        // a web page area; its name is the pane's ("wb")
};

// How a row's control looks beyond its kind (flags).
enum Look : unsigned {
    kPlainLook = 0,
    kFixedPitch = 1u << 0,  // its text in a fixed-pitch font, so that columns of text align
    kSunken = 1u << 1,      // a label in a sunken field, its single line centred
};

// One control: its model's name ("cmdSS(3)" for an array element), kind, place and size in
// pixels at 96 DPI, caption (a text box's first text), extra Windows style bits and its look.
// A row with an empty name is design only (a fixed caption, a frame); a named row binds to the
// form's component of that name. A web pane shows the pages of the web pane port's pane of its
// name, and binds to a WebPane model of that name when the form has one.
struct ControlDesign {
    const char* name;
    Kind kind;
    int x, y, width, height;
    const char* caption = "";
    unsigned style = 0;
    unsigned look = kPlainLook;
};

// A menu item's keyboard shortcut: "Ctrl+X", "Ctrl+Shift+F5", "Alt+1".
struct MenuShortcut {
    const char* item;
    const char* keys;
};

// The window: client area size in pixels at 96 DPI, whether the user may resize it, its
// controls in tab order, the names of the menu bar's menus in order (each menu's items follow
// its model) and the shortcuts of menu items.
struct FormDesign {
    int width, height;
    bool resizable;
    std::span<const ControlDesign> controls;
    std::span<const char* const> menuBar = {};
    std::span<const MenuShortcut> shortcuts = {};
};

// A parsed shortcut: modifier keys and a Windows virtual-key code ('A'..'Z', '0'..'9', F1..F12).
struct Keys {
    bool ctrl = false, shift = false, alt = false;
    std::uint8_t key = 0;
    bool operator==(const Keys&) const = default;
};

// Parses "Ctrl+X" and the like (modifiers in any order, any case); nothing for anything else.
std::optional<Keys> ParseShortcut(const std::string& text);

// The faults of a form's design: a named row whose component is missing or of another kind, a
// menu-bar name or shortcut item that is no menu item of the form, an unreadable shortcut. Empty
// when the design is sound or the form has none.
std::vector<std::string> DesignFaults(const Form& form);

// True when the two rows' rectangles share some area. Where rows overlap, the later one of a
// design lies above the earlier, as in the window designer.
bool Overlap(const ControlDesign& a, const ControlDesign& b);

}  // namespace ui

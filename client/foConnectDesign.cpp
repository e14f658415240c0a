// The connect window's design: a label column on the left, the fields beside it, the ten class
// buttons in two rows of five, and the connect button at the bottom right.
#include <array>

#include "client/foConnect.h"

namespace {

using ui::ControlDesign;
using ui::Kind;

constexpr int kLabelX = 12, kLabelWidth = 108, kFieldX = 124, kFieldWidth = 236;
constexpr int kClassWidth = 44, kClassGap = 4, kClassHeight = 28;

constexpr ControlDesign Caption(const char* name, int y, const char* text) {
    return {name, Kind::Label, kLabelX, y + 3, kLabelWidth, 17, text};
}
constexpr ControlDesign ClassButton(const char* name, int k, const char* code) {
    return {name, Kind::PushButton, kFieldX + (k % 5) * (kClassWidth + kClassGap), 74 + (k / 5) * (kClassHeight + 4),
            kClassWidth, kClassHeight, code};
}

constexpr std::array kControls = {
    Caption("laNickname", 12, "Nickname:"),
    ControlDesign{"nicknameTXT", Kind::TextBox, kFieldX, 12, kFieldWidth, 23},
    Caption("laUserPwd", 41, "Password:"),
    ControlDesign{"edUserPwd", Kind::PasswordBox, kFieldX, 41, kFieldWidth, 23},
    Caption("laCat", 76, "Car class:"),
    ClassButton("cmdCat(1)", 0, "A8"),
    ClassButton("cmdCat(2)", 1, "N4"),
    ClassButton("cmdCat(3)", 2, "A6"),
    ClassButton("cmdCat(4)", 3, "A7"),
    ClassButton("cmdCat(5)", 4, "A5"),
    ClassButton("cmdCat(6)", 5, "S20"),
    ClassButton("cmdCat(7)", 6, "S16"),
    ClassButton("cmdCat(8)", 7, "N3"),
    ClassButton("cmdCat(9)", 8, "N1"),
    ClassButton("cmdCat(10)", 9, "OS"),
    Caption("laCar", 144, "Car:"),
    ControlDesign{"cmbCar", Kind::ComboList, kFieldX, 144, kFieldWidth, 23},
    Caption("laTyre", 176, "Tyres:"),
    ControlDesign{"optTyre(0)", Kind::OptionButton, kFieldX, 178, 110, 20, "Tyre set 1"},
    ControlDesign{"optTyre(1)", Kind::OptionButton, kFieldX + 120, 178, 110, 20, "Tyre set 2"},
    Caption("laPwd", 210, "Rally password:"),
    ControlDesign{"edPwd", Kind::TextBox, kFieldX, 210, kFieldWidth, 23},
    ControlDesign{"laPwdHint", Kind::Label, kFieldX, 237, kFieldWidth, 17, "Leave it empty for free practice"},
    ControlDesign{"connectCMD", Kind::PushButton, kFieldX + kFieldWidth - 100, 268, 100, 32, "Enter!"},
};

}  // namespace

const ui::FormDesign& foConnect::DesignTable() {
    static const ui::FormDesign design{kFieldX + kFieldWidth + 12, 312, false, kControls};
    return design;
}

// The setup chooser's design: a row per slot (surface, choice, "Select:" and "Default"), then
// the start a setup file must have, in a fixed-pitch box, and the save button.
#include <array>

#include "client/SetupFRM.h"

namespace {

using ui::ControlDesign;
using ui::Kind;

constexpr int kRowY = 12, kRowStep = 34, kChoiceX = 112, kChoiceWidth = 196, kButtonWidth = 72;

constexpr std::array<ControlDesign, 4> Slot(int i, const char* surface, const char* label, const char* select,
                                            const char* reset) {
    const int y = kRowY + i * kRowStep;
    return {{
        {"", Kind::Label, 12, y + 5, 96, 17, surface},
        {label, Kind::Label, kChoiceX, y + 2, kChoiceWidth, 23, "", 0, ui::kSunken},
        {select, Kind::PushButton, kChoiceX + kChoiceWidth + 8, y, kButtonWidth, 27, "Select:"},
        {reset, Kind::PushButton, kChoiceX + kChoiceWidth + 8 + kButtonWidth + 6, y, kButtonWidth, 27, "Default"},
    }};
}

constexpr auto kGravel = Slot(0, "Gravel setup:", "laSetup(0)", "cmdSetupNew(0)", "cmdDefaultNew(0)");
constexpr auto kTarmac = Slot(1, "Tarmac setup:", "laSetup(1)", "cmdSetupNew(1)", "cmdDefaultNew(1)");
constexpr auto kSnow = Slot(2, "Snow setup:", "laSetup(2)", "cmdSetupNew(2)", "cmdDefaultNew(2)");

constexpr int kWidth = kChoiceX + kChoiceWidth + 8 + 2 * kButtonWidth + 6 + 12;
constexpr int kNoteY = kRowY + 3 * kRowStep + 8;

constexpr std::array kControls = {
    kGravel[0], kGravel[1], kGravel[2], kGravel[3], kTarmac[0], kTarmac[1], kTarmac[2], kTarmac[3],
    kSnow[0],   kSnow[1],   kSnow[2],   kSnow[3],
    ControlDesign{"", Kind::Label, 12, kNoteY, 296, 17, "WARNING: SETUPS FILES MUST START WITH:"},
    // The first two lines of a valid setup file.
    ControlDesign{"txtSetupStart", Kind::MultiLineText, 12, kNoteY + 20, 296, 44,
                  "((\"CarSetup\"\r\n Car             (\"Car\"", 0, ui::kFixedPitch},
    ControlDesign{"cmdStart", Kind::PushButton, kWidth - 12 - 2 * kButtonWidth - 6, kNoteY + 32,
                  2 * kButtonWidth + 6, 32, "Save setups"},
};

}  // namespace

const ui::FormDesign& SetupFRM::DesignTable() {
    static const ui::FormDesign design{kWidth, kNoteY + 20 + 44 + 12, false, kControls};
    return design;
}

// The main window's design. Along the top, the event's title and the chosen car; on the left,
// the selectors of the next stage in labelled rows, the setup, repair and start buttons, then the
// car classes and the car (free practice only); on the right, the stage text with the car picture
// over it; a status row of fields (current stage, countdown, start offset, rank, last stage,
// clock); below, the SS buttons in a column at the left edge and the status page
// filling the rest, as the window's resize keeps it.
#include <array>

#include "client/foMain.h"

namespace {

using ui::ControlDesign;
using ui::Kind;

constexpr int kMargin = 8, kRowHeight = 23, kLabelWidth = 72;
constexpr int kFieldX = kMargin + kLabelWidth + 4;
constexpr int kTextX = 604, kTextWidth = 330, kTextHeight = 210;  // MainTXT, as the resize sets it
constexpr int kWidth = kTextX + kTextWidth + kMargin, kHeight = 720;
constexpr int kStatusY = 268, kStatusHeight = 22, kLowerY = 300;
constexpr int kStageButtonWidth = 44, kStageButtonHeight = 19, kStageButtonStep = 21;
constexpr int kPaneX = 56;  // the status page's left in event mode
constexpr int kClassWidth = 44, kClassStep = 48, kClassHeight = 26;

constexpr int Row(int k) { return 40 + k * 31; }

// A selector's caption, left of its field.
constexpr ControlDesign Caption(int x, int y, int width, const char* text, const char* name = "") {
    return {name, Kind::Label, x, y + 4, width, 17, text};
}
constexpr ControlDesign Combo(const char* name, int x, int y, int width, unsigned look = ui::kPlainLook) {
    return {name, Kind::ComboList, x, y, width, kRowHeight, "", 0, look};
}
// A field of the status row, and the picture before it.
constexpr ControlDesign Field(const char* name, int x, int width) {
    return {name, Kind::Label, x, kStatusY, width, kStatusHeight, "", 0, ui::kSunken};
}
constexpr ControlDesign Picture(const char* name, int x, const char* bitmap) {
    return {name, Kind::Image, x, kStatusY + 3, 16, 16, bitmap};
}
constexpr ControlDesign ClassButton(int k, const char* name, const char* code) {
    return {name, Kind::PushButton, kFieldX + k * kClassStep, Row(5), kClassWidth, kClassHeight, code};
}
constexpr ControlDesign StageButton(int n, const char* name, const char* caption) {
    return {name, Kind::PushButton, 6, kLowerY + (n - 1) * kStageButtonStep, kStageButtonWidth, kStageButtonHeight,
            caption};
}

constexpr std::array kControls = {
    ControlDesign{"laRally", Kind::Label, kMargin, 10, 588, 22},
    ControlDesign{"laCarDescr", Kind::Label, kTextX, 8, kTextWidth, 24, "", 0, ui::kSunken},
    Caption(kMargin, Row(0), kLabelWidth, "Country:"),
    Combo("cmbCountry", kFieldX, Row(0), 150),
    Caption(kFieldX + 160, Row(0), 48, "Stage:"),
    Combo("cmbStage", kFieldX + 212, Row(0), 300, ui::kFixedPitch),  // names padded to align the lengths
    Caption(kMargin, Row(1), kLabelWidth, "Sky:"),
    Combo("cmbWeather", kFieldX, Row(1), 236),
    ControlDesign{"optWeather(0)", Kind::OptionButton, kFieldX + 252, Row(1) + 2, 124, 20, "Good Conditions"},
    ControlDesign{"optWeather(2)", Kind::OptionButton, kFieldX + 380, Row(1) + 2, 124, 20, "Bad Conditions"},
    Caption(kMargin, Row(2), kLabelWidth, "Humidity:"),
    Combo("cmbHumid", kFieldX, Row(2), 90),
    Caption(kFieldX + 104, Row(2), 68, "Tyre wear:"),
    Combo("cmbWear", kFieldX + 176, Row(2), 90),
    Caption(kFieldX + 280, Row(2), 56, "Surface:"),
    Combo("cmbSurface", kFieldX + 340, Row(2), 92),
    Caption(kMargin, Row(3), kLabelWidth, "Tyres:"),
    Combo("cmbTyre", kFieldX, Row(3), 120),
    Caption(kFieldX + 134, Row(3), 56, "Damage:"),
    Combo("cmbDamage", kFieldX + 194, Row(3), 110),
    ControlDesign{"cmdSetup", Kind::PushButton, kFieldX, Row(4), 96, 28, "Setups"},
    ControlDesign{"laSetup", Kind::Label, kFieldX + 104, Row(4) + 3, 120, 22, "", 0, ui::kSunken},
    ControlDesign{"cmdRepair", Kind::PushButton, kFieldX + 236, Row(4), 96, 28, "Repair"},
    ControlDesign{"cmdStart", Kind::PushButton, kFieldX + 392, Row(4), 120, 28, "START"},
    Caption(kMargin, Row(5) + 2, kLabelWidth, "Car class:", "laCat"),
    ClassButton(0, "cmdCat(1)", "A8"),
    ClassButton(1, "cmdCat(2)", "N4"),
    ClassButton(2, "cmdCat(3)", "A6"),
    ClassButton(3, "cmdCat(4)", "A7"),
    ClassButton(4, "cmdCat(5)", "A5"),
    ClassButton(5, "cmdCat(6)", "S20"),
    ClassButton(6, "cmdCat(7)", "S16"),
    ClassButton(7, "cmdCat(8)", "N3"),
    ClassButton(8, "cmdCat(9)", "N1"),
    ClassButton(9, "cmdCat(10)", "OS"),
    Caption(kMargin, Row(6) + 3, kLabelWidth, "Car:", "laCar"),
    ControlDesign{"cmbCar", Kind::ComboEdit, kFieldX, Row(6) + 3, 250, kRowHeight},
    ControlDesign{"nicknameTXT", Kind::TextBox, kFieldX + 262, Row(6) + 3, 150, kRowHeight},
    ControlDesign{"MainTXT", Kind::MultiLineText, kTextX, 40, kTextWidth, kTextHeight, "", 0, ui::kFixedPitch},
    ControlDesign{"wbCar", Kind::WebPane, kTextX, 40, kTextWidth, kTextHeight},
    Field("laCurrentStage", kMargin, 64),  // wide enough for "Select SS!!"
    Picture("imCDown", 78, "countdown"),
    Field("laCDown", 98, 144),
    Picture("imDelay", 250, "delay"),
    Field("laDelay", 270, 64),
    Picture("imRank", 342, "rank"),
    Field("laRank", 362, 48),
    Field("laLastStage", 418, 316),
    Field("laTime", kTextX + kTextWidth - 192, 192),
    StageButton(1, "cmdSS(1)", "SS1"),
    StageButton(2, "cmdSS(2)", "SS2"),
    StageButton(3, "cmdSS(3)", "SS3"),
    StageButton(4, "cmdSS(4)", "SS4"),
    StageButton(5, "cmdSS(5)", "SS5"),
    StageButton(6, "cmdSS(6)", "SS6"),
    StageButton(7, "cmdSS(7)", "SS7"),
    StageButton(8, "cmdSS(8)", "SS8"),
    StageButton(9, "cmdSS(9)", "SS9"),
    StageButton(10, "cmdSS(10)", "SS10"),
    StageButton(11, "cmdSS(11)", "SS11"),
    StageButton(12, "cmdSS(12)", "SS12"),
    StageButton(13, "cmdSS(13)", "SS13"),
    StageButton(14, "cmdSS(14)", "SS14"),
    StageButton(15, "cmdSS(15)", "SS15"),
    StageButton(16, "cmdSS(16)", "SS16"),
    StageButton(17, "cmdSS(17)", "SS17"),
    StageButton(18, "cmdSS(18)", "SS18"),
    StageButton(19, "cmdSS(19)", "SS19"),
    StageButton(20, "cmdSS(20)", "SS20"),
    ControlDesign{"wb", Kind::WebPane, kPaneX, kLowerY, kWidth - kPaneX, kHeight - kLowerY},
    ControlDesign{"Picture9", Kind::Image, kPaneX, kLowerY, kWidth - kPaneX, kHeight - kLowerY, "flag"},
};

constexpr const char* kMenuBar[] = {"File", "Utility", "HotLaps", "Replays", "Community", "TestingMode"};
constexpr ui::MenuShortcut kShortcuts[] = {
    {"Exit", "Ctrl+X"},          {"SkinSelector", "Ctrl+S"}, {"SaveTimes", "Ctrl+T"},
    {"CamSettings", "Ctrl+K"},   {"UploadResults", "Ctrl+U"}, {"HotLap", "Ctrl+H"},
};

}  // namespace

const ui::FormDesign& foMain::DesignTable() {
    static const ui::FormDesign design{kWidth, kHeight, true, kControls, kMenuBar, kShortcuts};
    return design;
}

void foMain::Form_Resize() {
    // Each step on its own: a size the window is too small for is refused and skipped.
    auto step = [](auto&& f) {
        try {
            f();
        } catch (const ui::ControlError&) {
        }
    };
    step([&] { MainTXT.SetHeight(210); });
    step([&] { MainTXT.SetWidth(330); });
    step([&] { wbCar.SetBounds(MainTXT.Bounds()); });
    step([&] { FillWithStatusPage(); });
}

void foMain::FillWithStatusPage() {
    if (const int width = ScaleWidth() - wb.Left(); width >= 0) wb.SetWidth(width);
    if (const int height = ScaleHeight() - wb.Top(); height >= 0) wb.SetHeight(height);
}

// The main window: the selectors of the next stage, the car-class buttons and car list, the
// special-stage buttons, the labels, the menus and the four timers. One instance per program,
// created (loaded, hidden) on first use.
#pragma once
#include <cstdint>

#include "ui/Design.h"
#include "ui/Form.h"

class foMain : public ui::Form {
public:
    // The program's main window; the first call loads it.
    static foMain& Instance();

    foMain();

    // The window's design (client/foMainDesign.cpp).
    static const ui::FormDesign& Design();

    // Labels.
    ui::Label laCarDescr{"laCarDescr"}, laSetup{"laSetup"}, laRally{"laRally"}, laDelay{"laDelay"},
        laRank{"laRank"}, laCDown{"laCDown"}, laCurrentStage{"laCurrentStage"}, laTime{"laTime"},
        laLastStage{"laLastStage"};
    // Pictures.
    ui::Image imDelay{"imDelay"}, imRank{"imRank"}, imCDown{"imCDown"}, Picture9{"Picture9"};
    // Text boxes; MainTXT holds the stage lines.
    ui::TextBox nicknameTXT{"nicknameTXT"}, MainTXT{"MainTXT"};

    // Selectors.
    ui::ComboBox cmbCountry{"cmbCountry"}, cmbStage{"cmbStage"}, cmbWeather{"cmbWeather"}, cmbWear{"cmbWear"},
        cmbHumid{"cmbHumid"}, cmbDamage{"cmbDamage"}, cmbSurface{"cmbSurface"}, cmbTyre{"cmbTyre"};
    ui::ComboBox cmbCar{"cmbCar", ui::ComboBox::Style::DropdownCombo};
    ui::ControlArray<ui::OptionButton> optWeather{"optWeather", {0, 2}};

    // Web panes: the status page and the car picture.
    ui::WebPane wb{"wb"}, wbCar{"wbCar"};

    // Push buttons.
    ui::PushButton cmdSetup{"cmdSetup"}, cmdRepair{"cmdRepair"}, cmdStart{"cmdStart"};
    ui::ControlArray<ui::PushButton> cmdSS{"cmdSS", 1, 20};
    ui::ControlArray<ui::PushButton> cmdCat{"cmdCat", 1, 10};

    // Menu bar and items.
    ui::MenuItem File{"File"}, Exit{"Exit"};
    ui::MenuItem Utility{"Utility"}, SkinSelector{"SkinSelector"}, SaveTimes{"SaveTimes"},
        CamSettings{"CamSettings"}, UploadResults{"UploadResults"};
    ui::MenuItem HotLaps{"HotLaps"}, HotLap{"HotLap"};
    ui::MenuItem Replays{"Replays"};
    ui::ControlArray<ui::MenuItem> R{0, 15, [](int k) { return std::string("R").append(std::to_string(k)); }};
    ui::MenuItem Community{"Community"}, webVLMK{"webVLMK"}, Chat{"Chat"};
    ui::MenuItem TestingMode{"TestingMode"};
    // The menu bar, in order.
    std::vector<ui::MenuItem*> menuBar;

    // Timers: stage monitor, host-menu driver, patch and flag poller, clock.
    ui::Timer tMain{"tMain"}, mnuTimer{"mnuTimer"}, pTimer{"pTimer"}, tOra{"tOra"};

    // Set-up after the log-in (client/foMainSetup.cpp): shows the window in event mode (an
    // event password was typed) or free practice, fills the selectors, remembers the host's
    // display settings, shows the status page and closes the connect window.
    void Carica();
    // Fills cmbCar with the cars of the class and selects the class's remembered car.
    void FillCarCombo(std::int16_t category);

    // Event procedures that a selection made by the fillers runs.
    void cmbCountry_Click();
    void cmbStage_Click();
    void cmbWeather_Click();
    void cmbHumid_Click();
    void cmbWear_Click();
    void cmbDamage_Click();
    void cmbTyre_Click();
    void cmbCar_Click();
    void cmbCar_Change();
    void optWeather_Click(int index);
    void cmdCat_Click(int category);
    void cmdSS_Click(int n);
    void cmdSetup_Click();
    void cmdRepair_Click();
    // Keeps the stage text and car picture at their size and the status page filling the window.
    void Form_Resize();

    // Fills the surface list by the rule of gCountry, then of gStageId.
    void FillSurfaceCombo();
    // Makes gStageId the stage of the host: its host track id, sky list, humidity list (by the
    // rule of gCountry and the stage) and surface list.
    void ApplyStageId();
    // Puts special stage n (1..20) of the roadbook into the selectors and makes it the current
    // one; its button is used up (client/foMainStages.cpp).
    void ApplyEventStage(std::int16_t n);
    // Shows the time to the driver's own start of the current special stage in laCDown.
    void UpdateStageCountdown(std::int16_t n);

private:
    // The state of the controls before the set-up (client/foMainSetup.cpp).
    void ShowAsDesigned();

    ui::OptionGroup weatherOptions_;
};

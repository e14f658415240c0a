// The main window: the selectors of the next stage, the car-class buttons and car list, the
// SS buttons, the labels, the menus and the four timers. One instance per program,
// created (loaded, hidden) on first use.
#pragma once
#include <cstdint>

#include "services/StageChoice.h"
#include "ui/Design.h"
#include "ui/Form.h"

class foMain : public ui::Form {
public:
    // The program's main window; the first call loads it.
    static foMain& Instance();

    foMain();

    // The window's design (client/foMainDesign.cpp).
    static const ui::FormDesign& DesignTable();

    // Menus and exit (client/foMainMenus.cpp). The unload handler runs with cancel 0 when the
    // window is closed, with 3 from a start whose data-file check failed; 1 keeps it open.
    void Form_Unload(int& cancel);
    void Exit_Click();
    void SkinSelector_Click();
    void SaveTimes_Click();
    void CamSettings_Click();
    void UploadResults_Click();
    void HotLap_Click();
    // Replays in the display modes 0 .. 15.
    void R0_Click(), R1_Click(), R2_Click(), R3_Click(), R4_Click(), R5_Click(), R6_Click(), R7_Click(),
        R8_Click(), R9_Click(), R10_Click(), R11_Click(), R12_Click(), R13_Click(), R14_Click(), R15_Click();
    void webVLMK_Click();
    void Chat_Click();

    // Host start, replay and hot-lap mode (client/foMainStart.cpp).
    void cmdStart_Click();
    // Prepares the host folder for the current choice and starts the host.
    void StartGame();
    // Writes the host's saved display settings back and switches the three host timers on.
    void WriteHostDisplaySettings();
    // Starts the host for a replay in display mode k (0..15), the host timers off.
    void StartReplay(std::int16_t k);
    void ToggleHotLapMode();

    // The timers: the stage monitor (client/StageMonitor.cpp), the host-menu driver
    // (client/HostMenuDriver.cpp), the patch and flag poller and the clock (client/HostPoller.cpp).
    void tMain_Timer();
    void mnuTimer_Timer();
    void pTimer_Timer();
    void tOra_Timer();

    // Labels.
    ui::Label laCarDescr{"laCarDescr"}, laSetup{"laSetup"}, laRally{"laRally"}, laDelay{"laDelay"},
        laRank{"laRank"}, laCDown{"laCDown"}, laCurrentStage{"laCurrentStage"}, laTime{"laTime"},
        laLastStage{"laLastStage"};
    // The captions of the car-class buttons and the car list, shown with them.
    ui::Label laCat{"laCat"}, laCar{"laCar"};
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
    // Gives the status page wb the rest of the window right of and below its corner; a window
    // too small for it leaves that size as it was.
    void FillWithStatusPage();

    // Fills the surface list by the rule of gCountry, then of gStageId.
    void FillSurfaceCombo();
    // Makes gStageId the stage of the host: its host track id, sky list, humidity list (by the
    // rule of gCountry and the stage) and surface list.
    void ApplyStageId();
    // Puts SS n (1..20) of the roadbook into the selectors and makes it the current
    // one; its button is used up (client/foMainStages.cpp).
    void ApplyEventStage(std::int16_t n);
    // Shows the time to the driver's own start of the current SS in laCDown.
    void UpdateStageCountdown(std::int16_t n);

    // The choice the selectors hold now: what the next start takes.
    vm::StageChoice ChoiceNow() const;
    // What the host now running is driven with and reports: the choice its start fixed, or,
    // for a host that no start opened, the choice now.
    vm::StageChoice HostRunChoice() const;

private:
    // The state of the controls before the set-up (client/foMainSetup.cpp).
    void ShowAsDesigned();

    ui::OptionGroup weatherOptions_;
    bool exiting_ = false;  // the driver confirmed the exit

    // The stage monitor (client/StageMonitor.cpp): the start of a host run (logged, reported,
    // its menus patched), its end (a retirement when it ended during a started stage), and the
    // finish: the stage line, the log and the result.
    void HandleHostRunStart();
    void HostRunEnded();
    void RecordFinish();
    // Closes a host left open by an earlier start, terminating it when it does not go, and
    // ends its run. Returns false when it is still there (client/foMainStart.cpp).
    bool CloseRunningHost();
    // Enables the start of an SS that was picked before the running one's finish.
    void ArmPickedStage();
    // Enables the start button for the SS picked, once per armed stage.
    void ArmStart();
};

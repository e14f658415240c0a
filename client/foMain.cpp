#include "client/foMain.h"

#include <utility>

#include "client/EventFlow.h"
#include "client/ProgramWindow.h"

foMain& foMain::Instance() { return vm::ProgramWindow<foMain>(); }

foMain::foMain() : ui::Form("foMain") {
    for (ui::Component* c : std::initializer_list<ui::Component*>{
             &laCarDescr, &laSetup, &laRally, &laDelay, &laRank, &laCDown, &laCurrentStage, &laTime, &laLastStage,
             &imDelay, &imRank, &imCDown, &Picture9, &nicknameTXT, &MainTXT, &cmbCountry, &cmbStage, &cmbWeather,
             &cmbWear, &cmbHumid, &cmbDamage, &cmbSurface, &cmbTyre, &cmbCar, &wb, &wbCar})
        Add(*c);
    Add(laCat);
    Add(laCar);
    Add(optWeather);
    for (ui::Component* c : std::initializer_list<ui::Component*>{&cmdSetup, &cmdRepair, &cmdStart}) Add(*c);
    Add(cmdSS);
    Add(cmdCat);

    // Menus, with the captions of the window's design.
    auto menu = [this](ui::MenuItem& m, const char* caption) -> ui::MenuItem& {
        m.SetCaption(caption);
        Add(m);
        return m;
    };
    menuBar = {&File, &Utility, &HotLaps, &Replays, &Community, &TestingMode};
    menu(File, "File").Add(menu(Exit, "Exit"));
    menu(Utility, "Utility");
    using Captioned = std::pair<ui::MenuItem*, const char*>;
    for (auto [item, caption] : std::initializer_list<Captioned>{{&SkinSelector, "Skin Selector"},
                                                                 {&SaveTimes, "Save Times"},
                                                                 {&CamSettings, "Cam Settings"},
                                                                 {&UploadResults, "Upload Results"}})
        Utility.Add(menu(*item, caption));
    menu(HotLaps, "HotLaps").Add(menu(HotLap, "HotLaps"));
    menu(Replays, "Replays");
    R.ForEach([&](int k, ui::MenuItem& item) {
        const client::ReplayMode mode = client::ReplayModeOf(k);
        item.SetCaption(std::string("Replay ") + mode.xRes + " x " + mode.yRes + " x " + mode.depth +
                        (mode.fullscreen ? " FullScreen" : " Windowed"));
        Add(item);
        Replays.Add(item);
    });
    menu(Community, "Community");
    Community.Add(menu(webVLMK, "Velomark WebSite"));
    Community.Add(menu(Chat, "Official Chat"));
    menu(TestingMode, "Testing Mode!!").SetVisible(false);

    using Ticking = std::pair<ui::Timer*, int>;
    for (auto [timer, ms] : std::initializer_list<Ticking>{{&tMain, 100}, {&mnuTimer, 100}, {&pTimer, 500}, {&tOra, 500}}) {
        timer->SetInterval(ms);
        Add(*timer);
    }

    // The event flow: the timers' handlers, the menu items' actions, the start and the exit.
    tMain.onTimer = [this] { tMain_Timer(); };
    mnuTimer.onTimer = [this] { mnuTimer_Timer(); };
    pTimer.onTimer = [this] { pTimer_Timer(); };
    tOra.onTimer = [this] { tOra_Timer(); };
    using Action = void (foMain::*)();
    using Acting = std::pair<ui::MenuItem*, Action>;
    for (auto [item, action] : std::initializer_list<Acting>{{&Exit, &foMain::Exit_Click},
                                                             {&SkinSelector, &foMain::SkinSelector_Click},
                                                             {&SaveTimes, &foMain::SaveTimes_Click},
                                                             {&CamSettings, &foMain::CamSettings_Click},
                                                             {&UploadResults, &foMain::UploadResults_Click},
                                                             {&HotLap, &foMain::HotLap_Click},
                                                             {&webVLMK, &foMain::webVLMK_Click},
                                                             {&Chat, &foMain::Chat_Click}})
        item->onClick = [this, action = action] { (this->*action)(); };
    static constexpr Action kReplay[] = {
        &foMain::R0_Click,  &foMain::R1_Click,  &foMain::R2_Click,  &foMain::R3_Click,
        &foMain::R4_Click,  &foMain::R5_Click,  &foMain::R6_Click,  &foMain::R7_Click,
        &foMain::R8_Click,  &foMain::R9_Click,  &foMain::R10_Click, &foMain::R11_Click,
        &foMain::R12_Click, &foMain::R13_Click, &foMain::R14_Click, &foMain::R15_Click};
    R.OnClick([this](int k) { (this->*kReplay[k])(); });
    cmdStart.onClick = [this] { cmdStart_Click(); };
    onUnload = [this](int& cancel) { Form_Unload(cancel); };

    optWeather.ForEach([this](int, ui::OptionButton& b) { weatherOptions_.Add(b); });
    optWeather.OnClick([this](int index) { optWeather_Click(index); });
    cmdSS.OnClick([this](int n) { cmdSS_Click(n); });
    cmdCat.OnClick([this](int k) { cmdCat_Click(k); });
    cmdSetup.onClick = [this] { cmdSetup_Click(); };
    cmdRepair.onClick = [this] { cmdRepair_Click(); };
    cmbCountry.onClick = [this] { cmbCountry_Click(); };
    cmbStage.onClick = [this] { cmbStage_Click(); };
    cmbWeather.onClick = [this] { cmbWeather_Click(); };
    cmbHumid.onClick = [this] { cmbHumid_Click(); };
    cmbWear.onClick = [this] { cmbWear_Click(); };
    cmbDamage.onClick = [this] { cmbDamage_Click(); };
    cmbTyre.onClick = [this] { cmbTyre_Click(); };
    cmbCar.onClick = [this] { cmbCar_Click(); };
    cmbCar.onChange = [this] { cmbCar_Change(); };
    onResize = [this] { Form_Resize(); };
    SetDesign(DesignTable());
    ShowAsDesigned();
}

#include "client/foMain.h"

#include <memory>
#include <utility>

#include "services/ProgramState.h"

namespace {

struct MainWindow {
    std::unique_ptr<foMain> form;
};
vm::ProgramWide<MainWindow> mainWindow;

}  // namespace

foMain& foMain::Instance() {
    if (!mainWindow.form) mainWindow.form = std::make_unique<foMain>();
    return *mainWindow.form;
}

foMain::foMain() : ui::Form("foMain") {
    for (ui::Component* c : std::initializer_list<ui::Component*>{
             &laCarDescr, &laSetup, &laRally, &laDelay, &laRank, &laCDown, &laCurrentStage, &laTime, &laLastStage,
             &imDelay, &imRank, &imCDown, &Picture9, &nicknameTXT, &MainTXT, &cmbCountry, &cmbStage, &cmbWeather,
             &cmbWear, &cmbHumid, &cmbDamage, &cmbSurface, &cmbTyre, &cmbCar, &wb, &wbCar})
        Add(*c);
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
    static const int kWidth[] = {640, 800, 1024, 1280}, kHeight[] = {480, 600, 768, 1024};
    R.ForEach([&](int k, ui::MenuItem& item) {
        item.SetCaption("Replay " + std::to_string(kWidth[k % 4]) + " x " + std::to_string(kHeight[k % 4]) + " x " +
                        ((k / 4) % 2 ? "32" : "16") + (k < 8 ? " FullScreen" : " Windowed"));
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

    optWeather.ForEach([this](int index, ui::OptionButton& b) {
        weatherOptions_.Add(b);
        b.onClick = [this, index] { optWeather_Click(index); };
    });
    cmdSS.ForEach([this](int n, ui::PushButton& b) { b.onClick = [this, n] { cmdSS_Click(n); }; });
    cmdCat.ForEach([this](int k, ui::PushButton& b) { b.onClick = [this, k] { cmdCat_Click(k); }; });
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
    SetDesign(Design());
    ShowAsDesigned();
}

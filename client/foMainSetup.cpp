// The main window's set-up after the log-in, and its car list.
#include <limits>

#include "catalogues/CarList.h"
#include "catalogues/SelectorLists.h"
#include "client/Colors.h"
#include "client/EventFlow.h"
#include "client/foConnect.h"
#include "client/foMain.h"
#include "preparation/HostSettings.h"
#include "preparation/ResultRecord.h"
#include "preparation/Roadbook.h"
#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"
#include "services/TextNumbers.h"

using vm::g;

namespace {

// A number of the host's display settings; 0 when the key is missing or holds no 16-bit number.
std::int16_t HostDisplayNumber(const char* key) {
    auto value = vm::ToLong(ReadWrite::ReadINI("Settings", key), g.gDecimalSep);
    using Limits = std::numeric_limits<std::int16_t>;
    if (!value || *value < Limits::min() || *value > Limits::max()) return 0;
    return static_cast<std::int16_t>(*value);
}

}  // namespace

bool client::SelectIfListed(ui::ComboBox& list, std::int32_t index) {
    if (index < 0 || index >= list.ListCount()) return false;
    list.SetListIndex(static_cast<int>(index));
    return true;
}

void foMain::ShowAsDesigned() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{&imDelay, &laDelay, &imRank, &laRank, &imCDown,
                                                              &laCDown, &wbCar, &cmbCar, &laCat, &laCar})
        c->SetVisible(false);
    cmdCat.ForEach([](int, ui::PushButton& b) { b.SetVisible(false); });
    cmdSS.ForEach([](int, ui::PushButton& b) { b.SetEnabled(false); });
    cmdSetup.SetEnabled(false);
    cmdRepair.SetEnabled(false);
    cmbCar.SetEnabled(false);
}

void foMain::Carica() {
    const bool event = !g.gRallyPwd.empty();
    Show();
    g.gClientReady = 1;
    g.gReadyForSS = true;
    g.gStagePhase = 1;
    g.gHostOption = 0;
    g.gTestFlag = g.gTestSwitch ? 1 : 0;
    laCarDescr.SetCaption(g.gCarLabel);

    HotLaps.SetVisible(!event);
    Replays.SetVisible(!event);
    UploadResults.SetEnabled(event);  // the upload needs an event's stage records
    if (g.gTestSwitch) TestingMode.SetVisible(true);
    nicknameTXT.SetVisible(false);
    Picture9.SetVisible(false);

    if (g.gWeather == 0) {
        optWeather[0].SetValue(true);
        optWeather[2].SetValue(false);
    } else if (g.gWeather == 2) {
        optWeather[0].SetValue(false);
        optWeather[2].SetValue(true);
    }
    gFill::FillCombos(cmbCountry, cmbTyre, cmbWear, cmbHumid, cmbDamage);
    // A remembered or served value outside its list leaves the selector: the set-up goes on.
    client::SelectIfListed(cmbTyre, g.gTyreType);
    for (int slot = 0; slot <= 2; ++slot) g.gSetupFile[static_cast<std::size_t>(slot)] = vm::kDefaultSetup;
    laSetup.SetCaption("Default setups");
    HotLap.SetChecked(false);

    g.gIniFile = gFunc::HostFile(gFunc::kHostSettings);
    g.gHostFullscreen = ReadWrite::ReadINI("Settings", "Fullscreen");
    g.gHostDepth = HostDisplayNumber("Depth");
    g.gHostXRes = HostDisplayNumber("XRes");
    g.gHostYRes = HostDisplayNumber("YRes");

    if (event) {
        wb.SetLeft(56);
        FillWithStatusPage();
        cmdSetup.SetEnabled(true);
        cmdRepair.SetEnabled(true);
        cmdStart.SetEnabled(true);
        client::SelectIfListed(cmbDamage, g.gTestSwitch ? 0 : gFunc::rb.gRoadbookDamage);
        g.gWebPage = gFunc::BuildLogUrl(gFunc::kRecordStatus, g.gRallyPwd, g.gDriverName, "", 0, g.gWeather, g.gCar,
                                        g.gCarPlus, g.gDamage, g.gHostOption, g.gTestFlag, g.gHumid, g.gWear,
                                        g.gSkyIndex, g.gCurrentSS, g.gCarCategory);
        wbCar.SetVisible(true);
        wbCar.Navigate(gFunc::CarImageUrl());
        laRally.SetCaption(gFunc::rb.gRoadbookDesc);
        cmdSS[1].SetEnabled(true);
        cmdSS[1].SetBackcolor(client::kChosen);
        laCDown.SetVisible(true);
        imCDown.SetVisible(true);
        // From now on only the SS buttons change the stage's conditions.
        for (ui::Control* c : std::initializer_list<ui::Control*>{&cmbCountry, &cmbStage, &optWeather[0],
                                                                  &optWeather[2], &cmbWeather, &cmbWear, &cmbHumid,
                                                                  &cmbDamage, &cmbSurface})
            c->SetEnabled(false);
        if (g.gStartDelay >= 1) {
            // 32 bits: a long interval times a late rank overflows 16.
            const std::int32_t offset = std::int32_t{g.gStartDelay} * (std::int32_t{g.gStartRank} - 1);
            imDelay.SetVisible(true);
            laDelay.SetVisible(true);
            laDelay.SetCaption("+" + std::to_string(offset) + "\"");
            imRank.SetVisible(true);
            laRank.SetVisible(true);
            laRank.SetCaption(std::to_string(g.gStartRank) + "\xB0");
        }
    } else {
        cmdSetup.SetEnabled(true);
        cmdRepair.SetEnabled(true);
        client::SelectIfListed(cmbCountry, g.gCountry);
        client::SelectIfListed(cmbStage, g.gStage);
        client::SelectIfListed(cmbDamage, g.gDamage);
        if (g.gHostPath.empty()) cmdStart.SetEnabled(false);
        g.gWebPage = "about:blank";
        wbCar.SetVisible(false);
        laRally.SetCaption("TESTING ZONE...");
        laCDown.SetVisible(false);
        wb.SetVisible(false);
        cmbCar.SetVisible(true);
        laCat.SetVisible(true);
        laCar.SetVisible(true);
        cmdCat.ForEach([](int, ui::PushButton& b) { b.SetVisible(true); });
        cmdCat[g.gCarCategory].SetBackcolor(client::kChosen);
        FillCarCombo(static_cast<std::int16_t>(g.gCarCategory));
        cmbCar.SetEnabled(true);
    }
    wb.Navigate(g.gWebPage);
    foConnect::Instance().Unload();
}

void foMain::FillCarCombo(std::int16_t category) { gFill::FillCarList(cmbCar, category); }

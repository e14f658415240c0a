// The stages (SS) of an event: a picked stage's roadbook section fixes the selectors, and
// the countdown to the driver's own start of it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogues/StageCatalogue.h"
#include "client/Colors.h"
#include "client/CurrentStage.h"
#include "client/EventFlow.h"
#include "client/foMain.h"
#include "platform/Ports.h"
#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "services/gLog.h"

using vm::g;

namespace {

constexpr ui::Color kStartNow = 0x80FF80;  // the countdown from the start until 59 s after it: light green

// Selects a roadbook value in a list; a value the list lacks leaves the stage's own selection.
void SelectRoadbookValue(ui::ComboBox& list, std::int32_t value, std::int16_t n) {
    if (client::SelectIfListed(list, value)) return;
    gLog::WriteLogTimed("SS" + std::to_string(n) + ": " + list.Name() + " has no entry " + std::to_string(value) +
                        ", the stage's own is kept");
}

// Two digits at least.
std::string TwoDigits(std::int64_t v) { return v < 10 ? '0' + std::to_string(v) : std::to_string(v); }

}  // namespace

void foMain::cmdSS_Click(int n) {
    ApplyEventStage(static_cast<std::int16_t>(n));
    ArmStart();
}

void foMain::ArmStart() {
    // The start button once per armed SS; the stage monitor arms the next.
    if (!g.gHostPath.empty() && g.gReadyForSS) {
        cmdStart.SetEnabled(true);
        g.gReadyForSS = false;
    }
}

void foMain::ApplyEventStage(std::int16_t n) {
    ui::PushButton& button = cmdSS[n];
    button.SetEnabled(false);
    button.SetBackcolor(client::kUsed);

    const gFunc::RoadbookVars& rb = gFunc::rb;
    vm::CurrentStage& cur = vm::curSS;
    cur.gCurSSStage = rb.gRoadbookSS[n];
    cur.gCurSSWeather = rb.gRoadbookWeather[n];
    cur.gCurSSTime = rb.gRoadbookTime[n];
    cur.gCurSSSky = rb.gRoadbookSky[n];
    cur.gCurSSHumid = rb.gRoadbookHumid[n];
    cur.gCurSSSurface = rb.gRoadbookSurface[n];
    // With a start interval and the rank rule, the first five starters get new tyres.
    if (g.gStartDelay != 0 && rb.gRoadbookTip != 0)
        cur.gCurSSWear = g.gStartRank > 5 ? 1 : 0;
    else
        cur.gCurSSWear = rb.gRoadbookWear[n];
    g.gCurrentSS = n;

    laCurrentStage.SetCaption("SS" + std::to_string(n));
    laCurrentStage.SetForeColor(client::kBlack);
    laCurrentStage.SetBackColor(client::kWhite);

    // The country's list, then the stage in it. A stage that no list holds is applied by its id
    // alone, so that the host is never sent to another stage than the roadbook's.
    const gFill::StagePlace place = gFill::PlaceOfStage(cur.gCurSSStage);
    g.gCountry = place.country;
    if (place.index != -1) g.gStage = place.index;
    cmbCountry.SetListIndex(g.gCountry);
    if (place.index != -1) {
        cmbStage.SetListIndex(g.gStage);
        g.gStageId = cur.gCurSSStage;
    } else {
        gLog::WriteLogTimed("SS" + std::to_string(n) + ": stage " + std::to_string(cur.gCurSSStage) +
                            " is in no stage list, applied by its id");
        cmbStage.SetListIndex(-1);
        g.gStageId = cur.gCurSSStage;
        ApplyStageId();
    }

    optWeather[0].SetValue(false);
    optWeather[2].SetValue(false);
    g.gWeather = cur.gCurSSWeather;
    if (g.gWeather == 0 || g.gWeather == 2) optWeather[g.gWeather].SetValue(true);

    // The roadbook's sky when the stage's list has it, else what the list's filler selected.
    if (int found = cmbWeather.FindStringExact(cur.gCurSSSky); found != -1) cmbWeather.SetListIndex(found);
    if (int sky = cmbWeather.ListIndex(); sky != -1) {
        g.gSkyIndex = static_cast<std::uint8_t>(sky);
        g.gSkyName = cmbWeather.List(sky);
    }

    SelectRoadbookValue(cmbWear, cur.gCurSSWear, n);
    SelectRoadbookValue(cmbHumid, cur.gCurSSHumid, n);
    if (cur.gCurSSSurface != -1)
        SelectRoadbookValue(cmbSurface, cur.gCurSSSurface, n);
    else
        FillSurfaceCombo();
}

void foMain::UpdateStageCountdown(std::int16_t n) {
    // The driver's own start: one start interval per rank after the first.
    std::int64_t start = vm::curSS.gCurSSTime;
    if (g.gStartDelay > 0) start += std::int64_t{g.gStartRank} * g.gStartDelay - g.gStartDelay;
    const platform::LocalTime now = platform::clock().Now();
    const std::int64_t d = start - (now.hour * 3600 + now.minute * 60 + now.second);

    laCDown.SetBackColor(d > -60 && d <= 0 ? kStartNow : client::kWhite);
    const std::int64_t h = d / 3600, m = (d - h * 3600) / 60, s = d - h * 3600 - m * 60;
    std::string caption = h < 0 || m < 0 || s < 0 ? "-" : "";
    caption += TwoDigits(std::llabs(h)) + ":" + TwoDigits(std::llabs(m)) + ":" + TwoDigits(std::llabs(s));
    laCDown.SetCaption(caption + " to SS" + std::to_string(n));
}

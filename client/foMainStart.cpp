// The start of the host: the data-file check, the installation run, the host's settings, the
// plug-ins and the launch, each announced by a progress code; the replay start in one of the
// sixteen display modes; and hot-lap mode.
#include <exception>
#include <optional>
#include <string>

#include "catalogues/FileCheckList.h"
#include "catalogues/TrackTextures.h"
#include "client/Colors.h"
#include "client/EventFlow.h"
#include "client/foMain.h"
#include "platform/Ports.h"
#include "preparation/HostSettings.h"
#include "preparation/InstallRun.h"
#include "preparation/Maps.h"
#include "preparation/Plugins.h"
#include "preparation/ResultRecord.h"
#include "preparation/Roadbook.h"
#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "services/Messages.h"
#include "services/ReadWrite.h"
#include "services/StageState.h"
#include "services/Steps.h"
#include "services/gCheck.h"
#include "services/gLog.h"
#include "services/host/Memory.h"
#include "services/host/qvrHost.h"

using vm::g;
using vm::stage;

namespace {

constexpr unsigned kCritical = platform::kMsgCritical | platform::kMsgOk;
constexpr ui::Color kRed = 0x0000FF;
// How long a start waits for the host that the last start opened to show its window, for an
// earlier host to end when asked to close, and then when terminated.
constexpr std::uint32_t kHostShowMs = 20000, kHostCloseMs = 10000, kHostKillMs = 5000;

// The controls that a start changes, as they were before it. A start that cannot open the host
// puts them back, so that the driver can start again.
class StartControls {
public:
    explicit StartControls(foMain& w) : w_(w) {
        const ui::Label& label = w.laCurrentStage;
        label_ = {label.Caption(), label.ForeColor(), label.BackColor()};
        for (ui::Component* c : Enableable()) enabled_.push_back(c->Enabled());
        const int next = g.gCurrentSS + 1;
        if (next >= 1 && next <= gFunc::kRoadbookStages) {
            const ui::PushButton& b = w.cmdSS[next];
            next_ = Button{next, b.Enabled(), b.Backcolor(), b.Backover()};
        }
    }

    void Restore() const {
        w_.laCurrentStage.SetCaption(label_.caption);
        w_.laCurrentStage.SetForeColor(label_.fore);
        w_.laCurrentStage.SetBackColor(label_.back);
        auto was = enabled_.begin();
        for (ui::Component* c : Enableable()) c->SetEnabled(*was++);
        if (next_) {
            ui::PushButton& b = w_.cmdSS[next_->index];
            b.SetEnabled(next_->enabled);
            b.SetBackcolor(next_->backcolor);
            b.SetBackover(next_->backover);
        }
    }

private:
    std::vector<ui::Component*> Enableable() const { return {&w_.cmdStart, &w_.cmdSetup, &w_.cmdRepair, &w_.cmbTyre}; }

    struct Label {
        std::string caption;
        ui::Color fore = 0, back = 0;
    };
    struct Button {
        int index = 0;
        bool enabled = false;
        ui::Color backcolor = 0, backover = 0;
    };
    foMain& w_;
    Label label_;
    std::vector<bool> enabled_;
    std::optional<Button> next_;
};

void WriteHostSetting(const char* key, const std::string& value) {
    vm::RunStep([&] { (void)ReadWrite::WriteINI("Settings", key, value); });
}

// A display number the set-up could not read (0: missing, or not a number) is no setting of
// the host's: the key goes, as it was, instead of a depth or size of 0 that the host would use.
void WriteHostDisplayNumber(const char* key, std::int16_t value) {
    if (value != 0) {
        WriteHostSetting(key, std::to_string(value));
        return;
    }
    vm::RunStep([&] { (void)ReadWrite::DeleteINI("Settings", key); });
}

}  // namespace

std::int32_t client::ChosenSurface(const ui::ComboBox& surface) {
    const int i = surface.ListIndex();
    return i >= 0 ? surface.ItemData(i) : gFunc::kNoSurface;
}

client::ReplayMode client::ReplayModeOf(int k) {
    static constexpr const char* kWidth[] = {"640", "800", "1024", "1280"};
    static constexpr const char* kHeight[] = {"480", "600", "768", "1024"};
    return {kWidth[k % 4], kHeight[k % 4], (k / 4) % 2 ? "32" : "16", k < 8};
}

vm::StageChoice foMain::ChoiceNow() const {
    vm::StageChoice s;
    s.ss = g.gCurrentSS;
    s.stageId = g.gStageId;
    s.hostTrackId = g.gHostTrackId;
    s.weather = g.gWeather;
    s.skyIndex = g.gSkyIndex;
    s.skyName = g.gSkyName;
    s.humid = g.gHumid;
    s.wear = g.gWear;
    s.damage = g.gDamage;
    s.car = g.gCar;
    s.carPlus = g.gCarPlus;
    s.carCategory = g.gCarCategory;
    s.tyreType = g.gTyreType;
    s.stageLabel = cmbStage.Text();
    s.surface = client::ChosenSurface(cmbSurface);
    s.badConditions = optWeather[2].Value();
    return s;
}

vm::StageChoice foMain::HostRunChoice() const {
    return stage.gStartLaunched || stage.gStartRun ? stage.gStarted : ChoiceNow();
}

namespace {

// While a start waits for an earlier host to go, its button says so and neither it nor a replay
// item can be pressed again; afterwards they are as before.
class WaitingForHost {
public:
    explicit WaitingForHost(foMain& w)
        : w_(w), caption_(w.cmdStart.Caption()), start_(w.cmdStart.Enabled()), replays_(w.Replays.Enabled()) {
        w.cmdStart.SetEnabled(false);
        w.cmdStart.SetCaption(kClosingCaption);
        w.Replays.SetEnabled(false);
        stage.gClosingHost = true;
    }
    ~WaitingForHost() {
        stage.gClosingHost = false;
        w_.cmdStart.SetCaption(caption_);
        w_.cmdStart.SetEnabled(start_);
        w_.Replays.SetEnabled(replays_);
    }
    WaitingForHost(const WaitingForHost&) = delete;
    WaitingForHost& operator=(const WaitingForHost&) = delete;

    static constexpr const char* kClosingCaption = "CLOSING HOST...";

private:
    foMain& w_;
    std::string caption_;
    bool start_, replays_;
};

// In 100 ms steps, the timers running: true once done() holds, false when ms of the clock have
// passed first (also when ticks inside the waits took longer than a step).
template <class Done>
bool WaitUntil(std::uint32_t ms, Done done) {
    const std::uint32_t start = platform::clock().TickCount();
    while (!done()) {
        if (platform::clock().TickCount() - start >= ms) return false;
        Memory::Wait(100);
    }
    return true;
}

// One lookup gives both the answer and the host's window and process: with a second one, a window
// that shows between the two would pass for a host with neither known, which cannot be closed.
bool HostWindowShown() {
    vm::RunStep([] { Memory::GetHostProcess(); });
    return Memory::state.gHostWnd != 0;
}

}  // namespace

bool foMain::CloseRunningHost() {
    const bool shown = HostWindowShown();
    // The last start opened a host that has not shown its window yet: it runs all the same, for as
    // long as a host takes to show.
    const std::uint32_t sinceLaunch = platform::clock().TickCount() - stage.gStartLaunchedAt;
    const bool coming = stage.gStartLaunched && sinceLaunch < kHostShowMs;
    if (!shown && !coming) {
        HostRunEnded();
        return true;
    }
    const WaitingForHost waiting(*this);
    if (!shown) {
        gLog::WriteLogTimed("The host of the last start has not shown yet: it is awaited, to close it");
        if (!WaitUntil(kHostShowMs - sinceLaunch, HostWindowShown)) {
            gLog::WriteLogTimed("The host of the last start did not show: the start goes on");
            stage.gStartLaunched = false;
            HostRunEnded();
            return true;
        }
    }
    // Its process, opened while the window still belongs to it: the host has gone when that has
    // ended, not only its window, since the files it holds open are replaced next.
    platform::ProcessPort& processes = platform::processes();
    const std::uint32_t pid = Memory::state.gHostPid, window = Memory::state.gHostWnd;
    platform::ScopedProcess process(processes,
                                    processes.Open(pid, platform::kProcessSynchronize | platform::kProcessTerminate));
    if (process && platform::desktop().WindowProcessId(window) != pid) process.reset();
    auto ended = [&] { return process ? processes.WaitForExit(process.get(), 0) : !HostWindowShown(); };

    gLog::WriteLogTimed("The host is still open: it is closed before the start");
    vm::RunStep([] { qvrMod::CloseHost(); });
    if (!WaitUntil(kHostCloseMs, ended)) {
        gLog::WriteLogTimed("The host did not close: it is terminated");
        if (process) (void)processes.Terminate(process.get(), 0);
        else vm::RunStep([=] { TestTerminateProcess::KillProcess(pid, window); });
        if (!WaitUntil(kHostKillMs, ended)) return false;
    }
    // The stage monitor may have seen it go inside the waits; with its timer off, it is done here.
    // Either way the client closed it: no retirement.
    HostRunEnded();
    return true;
}

void foMain::cmdStart_Click() { StartGame(); }

void foMain::StartGame() {
    g.gMenuStarted = 0;
    if (g.gHumid > 2) g.gHumid = 0;
    if (g.gWear > 2) g.gWear = 0;
    gLog::WriteLog("Start The Game");
    // The host of an earlier start goes first: nothing of it may be taken for this start's, and
    // its files are replaced below.
    if (!CloseRunningHost()) {
        gLog::WriteLogTimed("Start refused: the host is still running");
        vm::ShowMessage("The host is still running and could not be closed. Close it, then start again.", kCritical,
                        "Error");
        return;
    }
    // What this start opens the host for; picking the next SS meanwhile changes only the next start.
    const vm::StageChoice started = ChoiceNow();
    if (!stage.gReplayFlag) WriteHostDisplaySettings();

    gFunc::SetHostDebugCode("10");
    const int check = gCheck::CheckFileList(vm::fileCheckList);
    gFunc::SetHostDebugCode("20");
    if (check == 0 || check == 1) {
        vm::ShowMessage("Error found in the Velomark utility. Please reinstall!", kCritical, "Error");
        int cancel = 3;
        Form_Unload(cancel);  // ends the program
        return;
    }
    if (check != gCheck::kListPassed) return;

    gFunc::SetHostDebugCode("30");
    (void)gCheck::SwapFolders(vm::folderSwapTable, vm::kLastFolderSwap);
    stage.gStageEnded = false;

    gFunc::SetHostDebugCode("40");
    const std::int16_t nRes =
        gFunc::PrepareHostInstall(static_cast<std::int16_t>(g.gCar), client::ChosenSurface(cmbSurface));
    if (nRes <= 0) {
        vm::ShowMessage("Error found in the Velomark utility. nRes = " + std::to_string(nRes), kCritical, "Error");
        return;
    }

    gFunc::SetHostDebugCode("50");
    gCheck::vars.gPhysicsDate = gCheck::GetFileDate(g.gHostPath + "\\physics.qvz");

    const StartControls before(*this);
    if (!g.gRallyPwd.empty()) {
        laCurrentStage.SetCaption("Select SS!!");
        laCurrentStage.SetBackColor(kRed);
        laCurrentStage.SetForeColor(client::kBlack);
        cmdStart.SetEnabled(false);  // the next SS must be picked first
        if (g.gCurrentSS < gFunc::rb.gSSCount && g.gCurrentSS + 1 >= 1) {
            const int next = g.gCurrentSS + 1;
            cmdSS[next].SetEnabled(true);
            cmdSS[next].SetBackcolor(client::kChosen);
            cmdSS[next].SetBackover(client::kPlainOver);
            // Tyres, setups and repairs only at a service before the stage (any time in testing mode).
            const bool service = gFunc::rb.gRoadbookService[next] == 1;
            if (service || !g.gTestSwitch)
                for (ui::Component* c : std::initializer_list<ui::Component*>{&cmbTyre, &cmdSetup, &cmdRepair})
                    c->SetEnabled(service);
        }
    } else if (g.gHostPath.empty()) {
        for (ui::PushButton* b : {&cmdStart, &cmdSetup, &cmdRepair}) b->SetEnabled(false);
    }
    g.gStagePhase = 1;
    stage.gRetired = false;
    // A stage without splits, or a retirement, shows none of an earlier stage's.
    stage.gSplit1Text.clear();
    stage.gSplit2Text.clear();
    stage.gWeatherMark.clear();

    // The host's settings, its plug-ins and the launch. A failure here leaves the host closed
    // and the controls as before the start, and names its step.
    std::string code;
    std::string failure;
    try {
        gFunc::SetHostDebugCode(code = "60");
        gFunc::WriteHostDefaults(stage.gReplayFlag);  // a replay keeps its display mode
        gFunc::SetHostDebugCode(code = "70");
        if (auto refused = gFunc::QuarantinePlugins()) failure = gFunc::Describe(*refused);
        if (failure.empty()) {
            gFunc::SetHostDebugCode(code = "80");
            if (std::int32_t opened = gFunc::LaunchHost(); opened <= 32)
                failure = "the host could not be opened (" + std::to_string(opened) + ")";
        }
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (!failure.empty()) {
        gLog::WriteLogTimed("Start failed at step " + code + ": " + failure);
        before.Restore();
        vm::ShowMessage("Error found in the Velomark utility. Step " + code + ": " + failure, kCritical, "Error");
        return;
    }

    stage.gResultPending = true;
    qvrMod::upload.gErrUrlStart.clear();
    qvrMod::upload.gErrUrlFinish.clear();
    stage.gStarted = started;
    stage.gStartLaunched = true;
    stage.gStartLaunchedAt = platform::clock().TickCount();
}

void foMain::WriteHostDisplaySettings() {
    g.gIniFile = gFunc::HostFile(gFunc::kHostSettings);
    WriteHostSetting("Fullscreen", g.gHostFullscreen);
    WriteHostDisplayNumber("Depth", g.gHostDepth);
    WriteHostDisplayNumber("XRes", g.gHostXRes);
    WriteHostDisplayNumber("YRes", g.gHostYRes);
    for (ui::Timer* t : {&tMain, &mnuTimer, &pTimer}) t->SetEnabled(true);
}

void foMain::StartReplay(std::int16_t k) {
    if (k < 0 || k > 15) return;
    const client::ReplayMode mode = client::ReplayModeOf(k);
    g.gIniFile = gFunc::HostFile(gFunc::kHostSettings);
    WriteHostSetting("Fullscreen", mode.fullscreen ? "true" : "false");
    WriteHostSetting("Depth", mode.depth);
    WriteHostSetting("XRes", mode.xRes);
    WriteHostSetting("YRes", mode.yRes);
    for (ui::Timer* t : {&tMain, &mnuTimer, &pTimer}) t->SetEnabled(false);
    stage.gReplayFlag = true;
    struct Clear {
        ~Clear() { stage.gReplayFlag = false; }
    } clear;
    vm::RunStep([this] { cmdStart_Click(); });
}

void foMain::ToggleHotLapMode() {
    if (!HotLap.Checked()) {
        stage.gHotLapMode = "HOTLAPS";
        wb.SetVisible(true);
        g.gWebPage = gFunc::HotLapPageUrl();
        // Right of the selectors, over the rest of the window.
        wb.SetLeft(256);
        FillWithStatusPage();
        laRally.SetCaption("HOTLAPS");
        wb.Navigate(g.gWebPage);
        HotLap.SetChecked(true);
    } else {
        stage.gHotLapMode.clear();
        wb.SetVisible(false);
        laRally.SetCaption("TESTING ZONE...");
        HotLap.SetChecked(false);
    }
}

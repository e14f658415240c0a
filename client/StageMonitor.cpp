// The stage monitor: follows the host's window, handles the start of each host run, reads the
// stage state, the splits and the finish while the host is in front, and turns a finish or a
// retirement into the stage line, the run log and the result sent to the server.
#include <string>

#include "client/foMain.h"
#include "preparation/ResultRecord.h"
#include "preparation/ServerClock.h"
#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "services/StageState.h"
#include "services/StageTime.h"
#include "services/Steps.h"
#include "services/TextNumbers.h"
#include "services/gCheck.h"
#include "services/gLog.h"
#include "services/host/HostMap.h"
#include "services/host/Memory.h"
#include "services/host/qvrHost.h"

using vm::g;
using vm::RunStep;
using vm::stage;

namespace {

// The stage state at which the host stands at the start line: splits and finish re-arm.
constexpr float kStartLine = 7.0f;

// The result record of a kind for the stage that was started; time is empty except at a finish.
std::string LogUrl(std::int16_t kind, const std::string& time) {
    const vm::StageChoice& s = stage.gStarted;
    return gFunc::BuildLogUrl(kind, g.gRallyPwd, g.gDriverName, time, s.stageId, s.weather, s.car, s.carPlus,
                              s.damage, g.gHostOption, g.gTestFlag, s.humid, s.wear, s.skyIndex, s.ss,
                              s.carCategory);
}

// A field of the host's game object, looked up afresh.
Memory::Value<float> GameSingle(std::int32_t offset) { return Memory::ReadSingle(qvrMod::GetGameBase() + offset); }
Memory::Value<std::int32_t> GameLong(std::int32_t offset) { return Memory::ReadLong(qvrMod::GetGameBase() + offset); }

// Seconds read from the host as "mm:ss.hh".
std::string StageTime(float seconds) { return qvrMod::FormatTime(vm::SingleToText(seconds, g.gDecimalSep)); }

// Takes split n (1 or 2) from the field offset when passed, the checkpoint count read this tick,
// says the host has just passed its checkpoint and the split was not taken yet. Returns true if
// it was taken. The time is read only then: every read of the host costs the client several
// calls into the system.
bool TakeSplit(int n, Memory::Value<std::int32_t> passed, std::int32_t offset, bool& read, std::string& text) {
    if (read || !passed.ok || passed != n) return false;
    const auto split = GameSingle(offset);
    if (!split.ok || !(split > 0)) return false;
    text = " s" + std::to_string(n) + "[" + StageTime(split) + "]";
    read = true;
    return true;
}

}  // namespace

void foMain::tMain_Timer() {
    RunStep([] { Memory::GetHostProcess(); });
    if (Memory::IsHostRunning()) {
        if (!stage.gHostRunning) {
            // A host is handled from its second tick on. The first host seen after a start is the
            // one that start opened.
            stage.gHostRunning = true;
            if (stage.gStartLaunched) {
                stage.gStartLaunched = false;
                stage.gStartRun = true;
            }
            return;
        }
        if (!stage.gStageRunning) {
            if (g.gClientReady != 1) {
                // No host may run before the driver has logged in.
                TestTerminateProcess::KillProcess(Memory::state.gHostPid, Memory::state.gHostWnd);
                Memory::Wait(1000);
                stage.gHostRunning = false;
                return;
            }
            HandleHostRunStart();
        }
    } else {
        HostRunEnded();
    }
    // Nothing of the stage is read while the driver is in another window.
    if (!Memory::IsHostForeground()) return;

    using namespace hostmap::game;
    // A read that fails changes nothing: a stale value must not look like a finish or a split.
    if (auto state = GameSingle(kStageState); state.ok && state == kStartLine) {
        stage.gFinishSeen = false;
        stage.gSplit1Read = false;
        stage.gSplit2Read = false;
    }
    if (auto finished = GameLong(kFinished); finished.ok && finished == 1 && !stage.gFinishSeen) {
        RunStep([this] { RecordFinish(); });
        stage.gFinishSeen = true;
        return;
    }
    if (stage.gSplit1Read && stage.gSplit2Read) return;
    const auto passed = GameLong(kCheckpoints);
    if (!TakeSplit(1, passed, kSplit1, stage.gSplit1Read, stage.gSplit1Text))
        TakeSplit(2, passed, kSplit2, stage.gSplit2Read, stage.gSplit2Text);
}

void foMain::HandleHostRunStart() {
    const std::uint32_t run = stage.gHostRunsEnded;
    if (stage.gStartRun) {
        const vm::StageChoice& s = stage.gStarted;
        RunStep([&] {
            gLog::WriteLogTimed("Start SS: " + s.stageLabel + " " + std::to_string(s.stageId) + " " +
                                std::to_string(s.weather) + std::to_string(s.damage) + " " +
                                std::to_string(g.gHostOption) + " " + std::to_string(g.gTestFlag) + " " +
                                std::to_string(s.humid) + " " + std::to_string(s.wear) + " " +
                                std::to_string(s.skyIndex));
        });
        std::string address;
        RunStep([&] { address = LogUrl(gFunc::kRecordStart, ""); });
        if (g.gRallyPwd.empty()) address = "about:blank";
        RunStep([&] {
            if (stage.gResultPending && gCheck::CheckPhysicsDate() == 1) wb.Navigate(address);
        });
    } else {
        // A host opened by hand: driven and patched like any, but no stage of the driver's.
        RunStep([] { gLog::WriteLogTimed("A host opened without a start: nothing of it is recorded"); });
    }
    Memory::Wait(1000);
    RunStep([] { qvrMod::PatchHostMenus(); });
    // Only after the waits, inside which this timer's next ticks are dropped; a host run that was
    // ended meanwhile (by code that a timer runs inside them) is not the one seen now.
    if (stage.gHostRunsEnded == run) stage.gStageRunning = true;
}

void foMain::HostRunEnded() {
    if (!stage.gHostRunning && !stage.gStageRunning) return;
    const bool duringStage =
        stage.gStartRun && stage.gStageRunning && stage.gHostRunning && !stage.gFinishSeen && !stage.gStageEnded;
    if (duringStage && stage.gClosingHost) {
        // The client closed it for the next start: the driver did not retire.
        RunStep([] { gLog::WriteLogTimed("The host was closed for the next start during its stage"); });
        stage.gResultPending = false;
    } else if (duringStage) {
        // The host vanished during a started stage.
        const vm::StageChoice& s = stage.gStarted;
        RunStep([] { gLog::WriteLogTimed("RETIRED!"); });
        stage.gRetired = true;
        RunStep([&] {
            MainTXT.SetText(MainTXT.Text() + s.stageLabel + stage.gWeatherMark + stage.gSplit1Text +
                            stage.gSplit2Text + " RETIRED!|\r\n");
        });
        std::string address;
        RunStep([&] { address = LogUrl(gFunc::kRecordRetired, ""); });
        if (!g.gRallyPwd.empty() || !stage.gHotLapMode.empty()) RunStep([&] { wb.Navigate(address); });
        if (!g.gRallyPwd.empty()) {
            // A retired driver takes no further stage of the event; in free practice there is no
            // event to be out of.
            cmdSS.ForEach([](int, ui::PushButton& b) { b.SetEnabled(false); });
            g.gReadyForSS = false;
            cmdStart.SetEnabled(false);
        }
        // Nothing more is sent for this start, also for a host opened again by hand.
        stage.gResultPending = false;
    }
    ++stage.gHostRunsEnded;
    stage.gStageRunning = false;
    stage.gHostRunning = false;
    stage.gStartRun = false;
    // The next host run records a finish and splits of its own only.
    stage.gFinishSeen = false;
    stage.gSplit1Read = stage.gSplit2Read = false;
}

void foMain::RecordFinish() {
    const std::string time = StageTime(GameSingle(hostmap::game::kStageClock));
    const vm::StageChoice& s = stage.gStarted;
    stage.gWeatherMark = std::string(HostRunChoice().badConditions ? "*" : "");
    // One finish is recorded per start, from the host that start opened, and none after a
    // retirement.
    if (!stage.gStartRun || g.gStagePhase != 1 || stage.gRetired) return;
    if (g.gRallyPwd.empty()) {
        if (!stage.gHotLapMode.empty()) RunStep([&] { wb.Navigate(gFunc::HotLapResultUrl(s, time)); });
    } else if (stage.gResultPending && gCheck::CheckPhysicsDate() == 1) {
        std::string address;
        RunStep([&] { address = LogUrl(gFunc::kRecordFinish, time); });
        RunStep([] { gFunc::SetClockFromServer(); });
        RunStep([&] { wb.Navigate(address); });
        stage.gResultPending = false;
        g.gReadyForSS = true;
        ArmPickedStage();
    }
    const std::string splits = stage.gSplit1Text + stage.gSplit2Text;
    RunStep([&] { MainTXT.SetText(MainTXT.Text() + s.stageLabel + stage.gWeatherMark + splits + " end[" + time + "]|\r\n"); });
    RunStep([&] { laLastStage.SetCaption(splits + " end[" + time + "]"); });
    RunStep([&] {
        gLog::WriteLogTimed("End Stage: " + splits + " [" + time + "]");
        gLog::WriteLog(" ");
    });
    stage.gStageEnded = true;
    g.gStagePhase = 0;
}

void foMain::ArmPickedStage() {
    // The driver picked the next SS while this one ran: picking it found the finish
    // not yet recorded, so its start is allowed now.
    if (g.gCurrentSS != stage.gStarted.ss) ArmStart();
}

// The stage monitor on its timer: a host before the log-in, the start of a host run, the
// splits, the finish and what it sends, a second finish, a retirement and a finish while the
// driver is in another window; and a whole event stage through the client's own start.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogues/SelectorLists.h"
#include "platform/Bytes.h"
#include "preparation/ResultRecord.h"
#include "services/Globals.h"
#include "services/StageState.h"
#include "services/gCheck.h"
#include "services/host/HostMap.h"
#include "tests/client/FlowTest.h"

namespace vmtest {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;
using vm::g;
using vm::stage;
using namespace hostmap;

constexpr std::uint32_t kGame = simhost::layout::kGame;

class StageMonitorTest : public FlowTest {
protected:
    StageMonitorTest() {
        g.gStageId = 16;
        g.gWeather = 1;
        g.gDamage = 3;
        g.gHumid = 2;
        g.gWear = 1;
        g.gSkyIndex = 4;
        g.gTestFlag = 1;
    }

    // A host that a start opened, at a menu entry that the menu driver leaves alone, whose
    // stage the test writes; the monitor has handled its start.
    void HostStarted() {
        LaunchedByStart();
        StartHost({.firstMenu = 5, .textsAfterMs = 0});
        MonitorTicks(2);
        ASSERT_TRUE(stage.gStageRunning);
    }
    // What the host's game object shows for the next runMs.
    void Stage(float state, std::uint32_t checkpoints, float split1, float split2, std::uint32_t finished,
               float clock, std::uint32_t runMs = 100) {
        memory().PokeFloat(kGame + game::kStageState, state);
        memory().Poke32(kGame + game::kCheckpoints, checkpoints);
        memory().PokeFloat(kGame + game::kSplit1, split1);
        memory().PokeFloat(kGame + game::kSplit2, split2);
        memory().PokeFloat(kGame + game::kStageClock, clock);
        memory().Poke32(kGame + game::kFinished, finished);
        RunFor(runMs);
    }
    // A stage from the start line to the finish at the clock's seconds, without splits.
    void Finish(float clock) {
        Stage(7.0f, 0, 0, 0, 0, 0);
        Stage(8.0f, 0, 0, 0, 1, clock);
    }
    bool HostAlive() { return os.processes.Find(kHostPid)->running && os.desktop.IsWindow(hostWindow); }
    std::string Line(const std::string& rest) const { return kStageLabel + rest + "|\r\n"; }
};

TEST_F(StageMonitorTest, AHostBeforeTheLogInIsEndedOnItsSecondTickEachTimeItShows) {
    g.gClientReady = 0;
    for (int run = 0; run < 2; ++run) {
        StartHost();
        MonitorTicks(1);
        EXPECT_TRUE(HostAlive()) << run;  // seen
        MonitorTicks(1);
        EXPECT_FALSE(HostAlive()) << run;  // ended
        EXPECT_FALSE(stage.gHostRunning) << run;
        RunFor(500);
    }
    g.gClientReady = 1;
    StartHost({.textsAfterMs = 0});
    RunFor(1500);
    EXPECT_TRUE(HostAlive());
    EXPECT_TRUE(stage.gStageRunning);
}

// The start of a host run: logged, the start record sent in an event (a blank page in free
// practice) when a result is pending for a package the client installed, the menus patched.
TEST_F(StageMonitorTest, TheStartOfAHostRunIsLoggedReportedAndItsMenusPatched) {
    struct Case {
        int line;
        bool event, pending, dated;
        bool sent;
    } cases[] = {
        {__LINE__, true, true, true, true},
        {__LINE__, false, true, true, true},  // about:blank
        {__LINE__, true, false, true, false},
        {__LINE__, true, true, false, false},  // the physics package is not the one installed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        g.gRallyPwd = c.event ? kEventPwd : "";
        stage.gResultPending = c.pending;
        gCheck::vars.gPhysicsDate.reset();
        if (c.dated) PhysicsDated();
        os.webPanes.navigations.clear();
        const std::string record = c.event ? LogAddress(gFunc::kRecordStart) : "about:blank";

        HostStarted();

        EXPECT_EQ(Panes(), c.sent ? std::vector<std::string>{record} : std::vector<std::string>{});
        EXPECT_EQ(memory().Peek(kRoutineA, 2), "\xC7\x05");
        EndHost();
        RunFor(100);
    }
    EXPECT_THAT(RunLog(), HasSubstr(" Start SS: Harwood Forest     [6100m] 16 13 0 1 2 1 4\r\n"));
}

TEST_F(StageMonitorTest, SplitsAreTakenOneATickByTheCheckpointCount) {
    struct Case {
        int line;
        std::uint32_t checkpoints;
        float split1, split2;
        const char *text1, *text2;
    } cases[] = {
        {__LINE__, 0, 65.2f, 0, "", ""},
        {__LINE__, 1, 65.2f, 0, " s1[01:05.20]", ""},
        {__LINE__, 2, 0, 130.37f, "", " s2[02:10.37]"},  // split 2 alone
        {__LINE__, 2, 65.2f, 130.37f, "", " s2[02:10.37]"},
    };
    HostStarted();
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        Stage(7.0f, 0, 0, 0, 0, 0);  // a new stage at the start line
        stage.gSplit1Text.clear();
        stage.gSplit2Text.clear();
        Stage(8.0f, c.checkpoints, c.split1, c.split2, 0, 150, 300);
        EXPECT_EQ(stage.gSplit1Text, c.text1);
        EXPECT_EQ(stage.gSplit2Text, c.text2);
    }
}

TEST_F(StageMonitorTest, OnlyTheStartLineStateReArmsTheSplitsAndTheFinish) {
    HostStarted();
    for (float state : {7.5f, 6.0f, 7.0f}) {
        stage.gFinishSeen = stage.gSplit1Read = stage.gSplit2Read = true;
        Stage(state, 0, 0, 0, 0, 0);
        const bool rearmed = state == 7.0f;
        EXPECT_EQ(stage.gFinishSeen, !rearmed) << state;
        EXPECT_EQ(stage.gSplit1Read, !rearmed) << state;
        EXPECT_EQ(stage.gSplit2Read, !rearmed) << state;
    }
}

// The finish of an event stage: the line, the label, the log, the clock from the server and
// the finish record; one finish per start.
TEST_F(StageMonitorTest, AnEventFinishIsRecordedAndSentOncePerStart) {
    Event(3, 1);
    stage.gResultPending = true;
    PhysicsDated();
    w.optWeather[2].SetValue(true);
    HostStarted();
    os.webPanes.navigations.clear();
    Stage(8.0f, 1, 65.2f, 0, 0, 66);
    Stage(8.0f, 2, 65.2f, 130.37f, 0, 131);
    Stage(8.0f, 2, 65.2f, 130.37f, 1, 181.05f);

    EXPECT_EQ(w.MainTXT.Text(), Line("* s1[01:05.20] s2[02:10.37] end[03:01.05]"));
    EXPECT_EQ(w.laLastStage.Caption(), " s1[01:05.20] s2[02:10.37] end[03:01.05]");
    EXPECT_THAT(Panes(), ElementsAre(LogAddress(gFunc::kRecordFinish, "03:01.05")));
    EXPECT_THAT(os.http.requests, testing::Contains("http://events.test/ora.php"));
    EXPECT_THAT(RunLog(), HasSubstr(" End Stage:  s1[01:05.20] s2[02:10.37] [03:01.05]\r\n \r\n"));
    EXPECT_TRUE(g.gReadyForSS);
    EXPECT_FALSE(stage.gResultPending);
    EXPECT_EQ(g.gStagePhase, 0);

    // The same host runs the stage again: the finish is only marked as seen.
    Finish(170);
    EXPECT_TRUE(stage.gFinishSeen);
    EXPECT_EQ(w.MainTXT.Text(), Line("* s1[01:05.20] s2[02:10.37] end[03:01.05]"));
    EXPECT_EQ(Panes().size(), 1u);

    // The host closed after the finish: no retirement.
    EndHost();
    RunFor(200);
    EXPECT_THAT(RunLog(), Not(HasSubstr("RETIRED!")));
    EXPECT_FALSE(stage.gRetired);
}

TEST_F(StageMonitorTest, AFinishWhileTheDriverIsInAnotherWindowIsHandledWhenTheHostIsBackInFront) {
    HostStarted();
    OtherWindowInFront();
    Stage(8.0f, 0, 0, 0, 1, 181.05f, 500);
    EXPECT_EQ(w.MainTXT.Text(), "");
    os.desktop.foreground = hostWindow;
    RunFor(100);
    EXPECT_EQ(w.MainTXT.Text(), Line(" end[03:01.05]"));
}

// The reads of a host build without the game object's address all fail, and give the values
// read last, whatever they were read from: they are not taken for a finish or a split.
TEST_F(StageMonitorTest, ReadsThatFailAreNoFinishAndNoSplit) {
    for (ui::Timer* t : {&w.mnuTimer, &w.pTimer}) t->SetEnabled(false);
    StartHost({.marker = 0x55, .firstMenu = 5});
    MonitorTicks(2);
    ASSERT_TRUE(stage.gStageRunning);
    Memory::state.lastLong = 1;
    Memory::state.lastSingle = 65.2f;
    MonitorTicks(1);
    EXPECT_EQ(w.MainTXT.Text(), "");
    EXPECT_FALSE(stage.gFinishSeen || stage.gSplit1Read);
}

// A free-practice finish is sent nowhere, except the hot-lap result in hot-lap mode.
TEST_F(StageMonitorTest, AFreePracticeFinishGoesToTheHotLapPageInHotLapModeOnly) {
    g.gCarPlus = 26;
    g.gCarCategory = 1;
    for (bool hotLaps : {false, true}) {
        stage.gHotLapMode = hotLaps ? "HOTLAPS" : "";
        g.gStagePhase = 1;
        stage.gResultPending = true;
        PhysicsDated();
        HostStarted();
        os.webPanes.navigations.clear();
        Finish(181.05f);
        EXPECT_EQ(Panes(), hotLaps ? std::vector<std::string>{"http://events.test/HotLaps/log.php?driver=Ari&stage=16&"
                                                              "wear=1&humid=2&surface=0&time=03%3A01.05&car=26&class=1"}
                                   : std::vector<std::string>{})
            << hotLaps;
        EXPECT_TRUE(stage.gStageEnded) << hotLaps;
        EndHost();
        RunFor(100);
    }
}

// The host vanishes during a started stage: the run log, the line, and in an event or in
// hot-lap mode the retirement record and no further SS.
TEST_F(StageMonitorTest, AHostThatVanishesDuringAStageIsARetirement) {
    struct Case {
        int line;
        bool event, hotLaps;
        bool reported;
        bool outOfTheEvent;  // no further start; in free practice there is no event to be out of
    } cases[] = {
        {__LINE__, true, false, true, true},
        {__LINE__, false, true, true, false},
        {__LINE__, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        g.gRallyPwd = c.event ? kEventPwd : "";
        stage.gHotLapMode = c.hotLaps ? "HOTLAPS" : "";
        stage.gStageEnded = stage.gRetired = false;
        g.gReadyForSS = true;
        w.cmdStart.SetEnabled(true);
        w.cmdSS[2].SetEnabled(true);
        w.MainTXT.SetText("");
        HostStarted();
        Stage(8.0f, 1, 65.2f, 0, 0, 80);
        os.webPanes.navigations.clear();
        EndHost();
        RunFor(100);

        EXPECT_TRUE(stage.gRetired);
        EXPECT_EQ(w.MainTXT.Text(), Line(" s1[01:05.20] RETIRED!"));
        EXPECT_EQ(Panes(), c.reported ? std::vector<std::string>{LogAddress(gFunc::kRecordRetired)}
                                      : std::vector<std::string>{});
        EXPECT_EQ(w.cmdStart.Enabled(), !c.outOfTheEvent);
        EXPECT_EQ(w.cmdSS[2].Enabled(), !c.outOfTheEvent);
        EXPECT_EQ(g.gReadyForSS, !c.outOfTheEvent);
        EXPECT_FALSE(stage.gHostRunning || stage.gStageRunning);
    }
    EXPECT_THAT(RunLog(), HasSubstr(" RETIRED!\r\n"));
}

// The driver picks the next SS while the running one has no recorded finish: its
// start waits for the finish record.
TEST_F(StageMonitorTest, TheFinishRecordLetsAnSSPickedMeanwhileStart) {
    gFill::FillCombos(w.cmbCountry, w.cmbTyre, w.cmbWear, w.cmbHumid, w.cmbDamage);
    for (bool picked : {false, true}) {
        SCOPED_TRACE(picked ? "picked" : "not picked");
        // As the start of SS 1 leaves the client.
        Event(3, 1);
            stage.gResultPending = true;
        g.gStagePhase = 1;
        g.gReadyForSS = false;
        PhysicsDated();
        w.cmdStart.SetEnabled(false);
        w.cmdSS[2].SetEnabled(true);
        HostStarted();
        if (picked) w.cmdSS[2].Press();
        EXPECT_FALSE(w.cmdStart.Enabled());
        Finish(181.05f);
        EXPECT_EQ(w.cmdStart.Enabled(), picked);
        EXPECT_EQ(g.gReadyForSS, !picked);  // armed: picking the next stage enables the start
        EndHost();
        RunFor(100);
    }
}

// A whole SS through the client's start: the host folder prepared, the simulated
// host opened, its menus driven into the stage, the splits and the finish recorded and sent
// once each in order; the client's menu item in the host builds the client's menu, the other
// closes the host after the finish, which is no retirement.
TEST_F(StageMonitorTest, AnEventStageFromTheStartButtonToTheClosedHost) {
    PrepareHostFolder();
    Event(3, 1);
    g.gHostTrackId = 12;
    hostOptions = simhost::Options{.speed = 10, .startLineMs = 500, .routineA = {30}, .routineB = {200}};

    w.cmdStart.Press();
    ASSERT_TRUE(sim);
    RunFor(30000);

    EXPECT_FALSE(os.desktop.IsWindow(hostWindow));
    EXPECT_EQ(w.MainTXT.Text(), Line(" s1[01:05.20] s2[02:10.37] end[03:01.05]"));
    EXPECT_THAT(Panes(), ElementsAre(LogAddress(gFunc::kRecordStart), LogAddress(gFunc::kRecordFinish, "03:01.05")));
    const auto& mem = os.processes.Find(kHostPid)->memory;
    EXPECT_EQ(mem.Peek32(kTrackIdCell), 12u);
    EXPECT_EQ(mem.Peek32(kCarSlotCell), static_cast<std::uint32_t>(g.gCar));
    EXPECT_EQ(mem.Peek32(kFlagCellA), 0u);  // the client's menu was built and the cell cleared
    const std::uint32_t menuB = mem.Peek32(kMenuBPtr);
    EXPECT_EQ(mem.Peek32(menuB + menu::kSelected), mem.Peek32(menuB + menu::kTableB + 4 * simhost::menus::kClientMenuB));
    EXPECT_THAT(RunLog(), Not(HasSubstr("RETIRED!")));
    EXPECT_TRUE(g.gReadyForSS);
}

// The host of the next SS ends in its menus, before its start line: a retirement
// from that stage, which the finish of the stage before does not hide.
TEST_F(StageMonitorTest, AHostThatEndsInItsMenusAfterAnEarlierFinishIsARetirement) {
    gFill::FillCombos(w.cmbCountry, w.cmbTyre, w.cmbWear, w.cmbHumid, w.cmbDamage);
    PrepareHostFolder();
    Event(3, 1);
    g.gHostTrackId = 12;
    hostOptions = simhost::Options{.speed = 10, .startLineMs = 500, .routineB = {200}};
    w.cmdStart.Press();
    RunFor(30000);
    ASSERT_EQ(w.MainTXT.Text(), Line(" s1[01:05.20] s2[02:10.37] end[03:01.05]"));

    w.cmdSS[2].Press();
    hostOptions = simhost::Options{.firstMenu = 5, .textsAfterMs = 0};
    w.cmdStart.Press();
    RunFor(3000);
    ASSERT_TRUE(stage.gStageRunning);
    EndHost();
    RunFor(200);

    EXPECT_THAT(RunLog(), HasSubstr("RETIRED!"));
    ASSERT_FALSE(Panes().empty());
    EXPECT_EQ(Panes().back(), LogAddress(gFunc::kRecordRetired));
    EXPECT_FALSE(w.cmdStart.Enabled());
    EXPECT_FALSE(w.cmdSS[3].Enabled());
}

}  // namespace
}  // namespace vmtest

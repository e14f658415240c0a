// The driver's actions while the client waits: a start closing the last host, the stage
// monitor handling a host's start and waiting for its menus, the host-menu driver between its
// key presses and the exit before it ends. Whatever the driver does meanwhile runs once the wait
// is over, or not at all where it no longer applies: each start opens one host, never while
// another host process runs, and only finished stages are reported.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "catalogues/SelectorLists.h"
#include "catalogues/TrackTextures.h"
#include "client/foCam.h"
#include "platform/EventLoop.h"
#include "preparation/ResultRecord.h"
#include "preparation/Roadbook.h"
#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "services/StageState.h"
#include "tests/client/FlowTest.h"

namespace vmtest {
namespace {

using testing::HasSubstr;
using testing::Not;
using vm::g;
using vm::stage;

enum class Mode { Event, Practice, HotLaps };

class DuringWaitsTest : public FlowTest {
protected:
    DuringWaitsTest() {
        gFill::FillCombos(w.cmbCountry, w.cmbTyre, w.cmbWear, w.cmbHumid, w.cmbDamage);
        gFill::FillTrackTextures();
        PrepareHostFolder();
        g.gDriverName = "Ari";
        // Which of the client's handlers is running, and since when; and whether a host was
        // opened inside one of them, as only a start nested in it would.
        w.tMain.onTimer = [this, monitor = w.tMain.onTimer] {
            const Running running(*this, inMonitor, monitorSince);
            monitor();
        };
        w.mnuTimer.onTimer = [this, driver = w.mnuTimer.onTimer] {
            std::uint32_t since = 0;
            const Running running(*this, inMenuDriver, since);
            driver();
        };
        w.onUnload = [this, unload = w.onUnload](int& cancel) {
            std::uint32_t since = 0;
            const Running running(*this, inExit, since);
            unload(cancel);
        };
    }

    void Enter(Mode mode) {
        if (mode == Mode::Event) {
            Event(3, 0);
            gFunc::rb.gRoadbookSS[2] = 23;
            w.cmdSS[1].SetEnabled(true);
            w.cmdSS[1].Press();
            return;
        }
        // As the set-up leaves free practice: its menus shown.
        for (ui::MenuItem* m : {&w.HotLaps, &w.Replays}) m->SetVisible(true);
        if (mode == Mode::HotLaps) stage.gHotLapMode = "HOTLAPS";
    }

    // A stage to its finish, ten times faster than real time; the host then stays open in its
    // results, or the driver closes it at 200 s.
    static simhost::Options Finishing(bool closes = false, std::uint32_t textsAfterMs = 2000) {
        simhost::Options o{.textsAfterMs = textsAfterMs, .speed = 10, .startLineMs = 500};
        if (closes) o.closeAt = 200;
        return o;
    }
    void Start(simhost::Options host) {
        hostOptions = host;
        w.cmdStart.Press();
    }

    // Runs what the driver does; true when the program ended meanwhile. What the exit's waits
    // held is dropped with its window.
    bool Ends(const std::function<void()>& run) {
        try {
            run();
        } catch (const platform::ProgramExit&) {
            RunFor(1000);
            return true;
        }
        return false;
    }
    std::string TexturesInPlace() const { return fx.H("\\Maps\\track-16_O_textures"); }

    bool inMonitor = false, inMenuDriver = false, inExit = false;
    std::uint32_t monitorSince = 0;
    int opensInsideHandlers = 0;

private:
    class Running {
    public:
        Running(DuringWaitsTest& t, bool& flag, std::uint32_t& since)
            : t_(t), flag_(flag), opened_(t.hostsOpened) {
            flag_ = true;
            since = t.os.clock.ticks;
        }
        ~Running() {
            flag_ = false;
            if (t_.hostsOpened != opened_) ++t_.opensInsideHandlers;
        }

    private:
        DuringWaitsTest& t_;
        bool& flag_;
        int opened_;
    };
};

// The waits, and how the test brings the client into each.
enum class Wait {
    StartClosingTheLastHost,  // a start waits for the host still open to go (slow to close)
    MonitorHandlingAStart,    // the stage monitor's wait after it reported a host's start
    MonitorAwaitingMenus,     // the stage monitor's wait for the host's menu texts
    MenuDriver,               // the host-menu driver between its key presses
    Exit,                     // the exit, answered Yes, before the program ends
};

// What the driver does inside it.
enum class Action { Start, Replay, Exit, CamSettings };

// What the server may receive: the first host's start and finish records, the second's; in
// free practice the emptied pane of each host's start, and a hot lap's result.
enum class Sent { Start1, Finish1, Start2, Finish2, Blank, HotLap };

struct Row {
    int line;
    Wait wait;
    Action action;
    Mode mode;
    std::vector<Sent> sent;
    int hosts;        // the hosts the client opened
    bool ended;       // the program ended
    bool startOn;     // START enabled afterwards
    bool timersOn;    // the host timers run afterwards (off after a replay's start)
    int camEditors;   // the camera editor was opened this many times
};

class DriverDuringWaitsTest : public DuringWaitsTest, public testing::WithParamInterface<Row> {
protected:
    // True while the client is inside the wait.
    bool Inside(Wait wait) const {
        if (!platform::InsideWait()) return false;
        const std::uint32_t handling = os.clock.ticks - monitorSince;
        const bool handlingStart = inMonitor && stage.gHostRunning && !stage.gStageRunning;
        switch (wait) {
            case Wait::StartClosingTheLastHost: return stage.gClosingHost;
            case Wait::MonitorHandlingAStart: return handlingStart && handling < 1000;
            case Wait::MonitorAwaitingMenus: return handlingStart && handling > 1500;
            case Wait::MenuDriver: return inMenuDriver;
            case Wait::Exit: return inExit;
        }
        return false;
    }
    void Act(Action a) {
        switch (a) {
            case Action::Start: w.cmdStart.Press(); break;
            case Action::Replay: w.R[9].Press(); break;
            case Action::Exit:
                os.messageBox.answers = {platform::kAnswerYes};
                w.Exit.Press();
                break;
            case Action::CamSettings: w.CamSettings.Press(); break;
        }
    }
    std::string Address(Sent s, const vm::StageChoice& first, const vm::StageChoice& second) const {
        switch (s) {
            case Sent::Start1: return LogAddress(first, gFunc::kRecordStart);
            case Sent::Finish1: return LogAddress(first, gFunc::kRecordFinish, "03:01.05");
            case Sent::Start2: return LogAddress(second, gFunc::kRecordStart);
            case Sent::Finish2: return LogAddress(second, gFunc::kRecordFinish, "03:01.05");
            case Sent::Blank: return "about:blank";
            case Sent::HotLap: return gFunc::HotLapResultUrl(second, "03:01.05");
        }
        return {};
    }
};

TEST_P(DriverDuringWaitsTest, RunsAfterTheWaitOrNotAtAll) {
    const Row& row = GetParam();
    Enter(row.mode);
    const vm::StageChoice first = w.ChoiceNow();

    // The driver's action, inside the wait; the camera editor is closed after a while.
    bool armed = false, acted = false;
    int editors = 0;
    std::optional<std::uint32_t> editorSince;
    os.desktop.onPump = [&, pump = os.desktop.onPump] {
        if (armed && !acted && Inside(row.wait)) {
            acted = true;
            Act(row.action);
        }
        for (ui::Form* f : std::vector<ui::Form*>(ui::Form::LoadedForms())) {
            if (!dynamic_cast<foCam*>(f)) continue;
            if (!editorSince) {
                ++editors;
                editorSince = os.clock.ticks;
            } else if (os.clock.ticks - *editorSince > 25000) {
                f->Unload();
                editorSince.reset();
            }
        }
        pump();
    };

    bool ended = false;
    switch (row.wait) {
        case Wait::StartClosingTheLastHost:
            // The first host runs to its finish and stays open; the next start has to close it.
            hostClosesAfterMs = 2000;
            Start(Finishing());
            RunFor(30000);
            if (row.mode == Mode::Event) w.cmdSS[2].Press();
            ASSERT_TRUE(w.cmdStart.Enabled());
            armed = true;
            hostOptions = Finishing(true);
            ended = Ends([&] { w.cmdStart.Press(); });
            break;
        case Wait::Exit:
            // The driver leaves while the host runs its stage.
            Start(Finishing());
            RunFor(8000);
            armed = true;
            os.messageBox.answers = {platform::kAnswerYes};
            ended = Ends([&] { w.Exit.Press(); });
            break;
        default:
            armed = true;
            Start(Finishing(true, row.wait == Wait::MonitorAwaitingMenus ? 5000 : 2000));
            break;
    }
    const vm::StageChoice second = w.ChoiceNow();
    ended = Ends([&] { RunFor(60000); }) || ended;
    ASSERT_TRUE(acted);

    EXPECT_EQ(ended, row.ended);
    EXPECT_EQ(hostsOpened, row.hosts);
    EXPECT_EQ(opensInsideHandlers, 0);
    EXPECT_EQ(editors, row.camEditors);
    std::vector<std::string> sent;
    for (Sent s : row.sent) sent.push_back(Address(s, first, second));
    EXPECT_EQ(Panes(), sent);
    EXPECT_THAT(w.MainTXT.Text(), Not(HasSubstr("RETIRED!")));
    EXPECT_THAT(RunLog(), Not(HasSubstr("RETIRED!")));
    EXPECT_EQ(platform::HeldDriverActions(), 0u);
    if (row.ended) {
        // The exit put the texture folders back, and no start moved a variant in after it.
        EXPECT_FALSE(os.files.FolderExists(TexturesInPlace()));
        return;
    }
    EXPECT_EQ(w.cmdStart.Enabled(), row.startOn);
    EXPECT_EQ(w.cmdStart.Caption(), "START");
    EXPECT_EQ(w.tMain.Enabled(), row.timersOn);
}

using enum Sent;
INSTANTIATE_TEST_SUITE_P(
    Table, DriverDuringWaitsTest,
    testing::Values(
        // A second START while the last host closes: the button is off meanwhile.
        Row{__LINE__, Wait::StartClosingTheLastHost, Action::Start, Mode::Event, {Start1, Finish1, Start2, Finish2},
            2, false, false, true, 0},
        Row{__LINE__, Wait::StartClosingTheLastHost, Action::Replay, Mode::Practice, {Blank, Blank}, 2, false, true, true,
            0},
        Row{__LINE__, Wait::StartClosingTheLastHost, Action::Exit, Mode::Event, {Start1, Finish1, Start2}, 2, true,
            false, true, 0},
        Row{__LINE__, Wait::StartClosingTheLastHost, Action::CamSettings, Mode::Event,
            {Start1, Finish1, Start2, Finish2}, 2, false, false, true, 1},
        // The stage monitor handling the start of the host: a START there closes that host
        // afterwards (not a retirement) and opens the next.
        Row{__LINE__, Wait::MonitorHandlingAStart, Action::Start, Mode::HotLaps, {Blank, Blank, HotLap}, 2, false,
            true, true, 0},
        Row{__LINE__, Wait::MonitorHandlingAStart, Action::Replay, Mode::Practice, {Blank}, 2, false, true, false, 0},
        Row{__LINE__, Wait::MonitorHandlingAStart, Action::Exit, Mode::Event, {Start1}, 1, true, false, true, 0},
        // The camera editor opens after the monitor's tick, and the monitor reads the finish
        // while it is open.
        Row{__LINE__, Wait::MonitorHandlingAStart, Action::CamSettings, Mode::Event, {Start1, Finish1}, 1, false,
            false, true, 1},
        Row{__LINE__, Wait::MonitorAwaitingMenus, Action::Start, Mode::HotLaps, {Blank, Blank, HotLap}, 2, false, true,
            true, 0},
        Row{__LINE__, Wait::MonitorAwaitingMenus, Action::CamSettings, Mode::Event, {Start1, Finish1}, 1, false,
            false, true, 1},
        // The host-menu driver between its key presses: nothing of its tick goes to the next host.
        Row{__LINE__, Wait::MenuDriver, Action::Start, Mode::HotLaps, {Blank, Blank, HotLap}, 2, false, true, true, 0},
        Row{__LINE__, Wait::MenuDriver, Action::Replay, Mode::Practice, {Blank}, 2, false, true, false, 0},
        // The exit's waits: the window is gone, and with it what the driver pressed.
        Row{__LINE__, Wait::Exit, Action::Start, Mode::Practice, {Blank}, 1, true, false, false, 0},
        Row{__LINE__, Wait::Exit, Action::Replay, Mode::Practice, {Blank}, 1, true, false, false, 0},
        Row{__LINE__, Wait::Exit, Action::CamSettings, Mode::Practice, {Blank}, 1, true, false, false, 0}),
    [](const testing::TestParamInfo<Row>& info) { return "line" + std::to_string(info.param.line); });

// Starts one after the other, none inside a wait: each closes the host of the last, also one
// whose window has not shown yet, and opens its own only once that host's process has ended.
struct NextStart {
    const char* name;
    Mode mode;
    std::uint32_t showsAfterMs, endsAfterWindowMs;  // the hosts' window shows late, their process ends late
    std::uint32_t nextAfterMs;                      // the second START, after the first
    int finished;                                   // stages finished: sent in hot-lap mode
    const char* logged;                             // how the second start met the first host
};

class OneHostTest : public DuringWaitsTest, public testing::WithParamInterface<NextStart> {};

TEST_P(OneHostTest, EachStartClosesTheLastHostFirstAndOpensOneOfItsOwn) {
    const NextStart& c = GetParam();
    Enter(c.mode);
    hostShowsAfterMs = c.showsAfterMs;
    hostEndsAfterWindowMs = c.endsAfterWindowMs;
    Start(Finishing(true));
    RunFor(c.nextAfterMs);
    // While the start waits for the host, START and the replays say so and cannot be pressed.
    std::vector<std::string> shown;
    os.desktop.onPump = [&, pump = os.desktop.onPump] {
        if (stage.gClosingHost && shown.empty())
            shown = {w.cmdStart.Caption(), w.cmdStart.Enabled() ? "on" : "off", w.Replays.Enabled() ? "on" : "off"};
        pump();
    };
    w.cmdStart.Press();
    RunFor(40000);

    EXPECT_EQ(hostsOpened, 2);
    EXPECT_EQ(shown, (std::vector<std::string>{"CLOSING HOST...", "off", "off"}));
    EXPECT_EQ(w.cmdStart.Caption(), "START");
    EXPECT_TRUE(w.cmdStart.Enabled());
    EXPECT_TRUE(w.Replays.Enabled());
    // Each host that showed reported its start (the pane emptied); only finished laps are sent.
    std::vector<std::string> sent(c.showsAfterMs > c.nextAfterMs ? 1 : 2, "about:blank");
    if (c.mode == Mode::HotLaps)
        sent.insert(sent.end(), c.finished, gFunc::HotLapResultUrl(w.ChoiceNow(), "03:01.05"));
    EXPECT_EQ(Panes(), sent);
    const std::string log = RunLog();
    EXPECT_THAT(log, HasSubstr(c.logged));
    EXPECT_THAT(log, Not(HasSubstr("RETIRED!")));
    EXPECT_THAT(w.MainTXT.Text(), Not(HasSubstr("RETIRED!")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, OneHostTest,
    testing::Values(
        // START twice in quick succession: the first host's window is not there yet.
        NextStart{"BeforeTheWindowShows", Mode::Practice, 1500, 0, 300, 0,
                  "The host of the last start has not shown yet: it is awaited, to close it"},
        // The host's process lingers after its window: the files it holds are replaced only after.
        NextStart{"ProcessLingers", Mode::Practice, 0, 3000, 8000, 0,
                  "The host is still open: it is closed before the start"},
        // Hot laps: START during the stage closes that host, no retirement; the next one's lap is sent.
        NextStart{"HotLapDuringTheStage", Mode::HotLaps, 0, 0, 8000, 1,
                  "The host was closed for the next start during its stage"}),
    [](const testing::TestParamInfo<NextStart>& info) { return std::string(info.param.name); });

// Code that a timer runs inside the stage monitor's waits may end the host run that the
// monitor is handling (here a start, made from code): the monitor must not then take the next
// host run for handled, or that host's start would never be reported.
TEST_F(DuringWaitsTest, AHostRunEndedInsideTheStartHandlingIsNotTakenForTheNext) {
    Enter(Mode::Event);
    const vm::StageChoice ss1 = w.ChoiceNow();
    bool started = false;
    vm::StageChoice ss2;
    os.desktop.onPump = [&, pump = os.desktop.onPump] {
        if (!started && platform::InsideWait() && inMonitor && stage.gHostRunning && !stage.gStageRunning) {
            started = true;
            w.cmdSS_Click(2);
            ss2 = w.ChoiceNow();
            w.StartGame();
        }
        pump();
    };
    Start(Finishing(true));
    RunFor(40000);
    ASSERT_TRUE(started);
    EXPECT_EQ(hostsOpened, 2);
    EXPECT_EQ(Panes(), (std::vector<std::string>{LogAddress(ss1, gFunc::kRecordStart), LogAddress(ss2, gFunc::kRecordStart),
                                                 LogAddress(ss2, gFunc::kRecordFinish, "03:01.05")}));
    EXPECT_THAT(RunLog(), Not(HasSubstr("RETIRED!")));
}

}  // namespace
}  // namespace vmtest

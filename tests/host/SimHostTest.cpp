// The simulated host itself, on the in-process model: its command line, the menu walk the
// client's menu driver relies on, the stage on its clock, the window kept in front and closed
// at its moment, the patched routines, and what its window shows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/AnsiText.h"
#include "platform/Bytes.h"
#include "plugins/HostAddresses.h"
#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"
#include "tests/host/HostFixture.h"

namespace {

using testing::HasSubstr;
using vmtest::HostTest;
using namespace hostmap;
using namespace simhost::layout;
namespace menus = simhost::menus;

TEST(SimHostOptions, NumbersAreDigitsOnlyAndInRange) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
    } cases[] = {
        /* 0 */ {{"--marker", "e8", "--menu", "82", "--lifetime", "4294967295", "--show-after", "4000", "--linger",
                  "6000"}, true},
        /* 1 */ {{"--marker", "0xE8"}, false},
        /* 2 */ {{"--marker", " E8"}, false},
        /* 3 */ {{"--marker", "1FF"}, false},
        /* 4 */ {{"--lifetime", "4294967296"}, false},
        /* 5 */ {{"--texts-after", "-1"}, false},
        /* 6 */ {{"--texts-after", "+1"}, false},
        /* 7 */ {{"--menu", "90"}, false},  // past menu A's table
        /* 8 */ {{"--hang-on-close", "20s"}, false},
        /* 9 */ {{"--stage", "65.2,130.37,181.05", "--speed", "12.5", "--close-at", "100", "--routine-a", "30,20",
                  "--routine-b", "190"}, true},
        /* 10 */ {{"--stage", "181.05"}, true},  // a finish without splits
        /* 11 */ {{"--stage", "130.37,65.2,181.05"}, false},
        /* 12 */ {{"--stage", "65.2,65.2,181.05"}, false},
        /* 13 */ {{"--stage", "1,2,3,4"}, false},  // three splits
        /* 14 */ {{"--stage", "0"}, false},
        /* 15 */ {{"--stage", "65.2,"}, false},
        /* 16 */ {{"--speed", "0"}, false},
        /* 17 */ {{"--speed", "inf"}, false},
        /* 18 */ {{"--close-at", "-1"}, false},
        /* 19 */ {{"--routine-a", "1e3"}, false},
        /* 20 */ {{"--stage"}, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::string error;
        auto options = simhost::ParseOptions(cases[i].args, &error);
        EXPECT_EQ(options.has_value(), cases[i].ok) << "case " << i << ": " << error;
    }
    auto options = simhost::ParseOptions(cases[0].args, nullptr);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->marker, 0xE8);
    EXPECT_EQ(options->firstMenu, 82);
    EXPECT_EQ(options->lifetimeMs, 0xFFFFFFFFu);
    EXPECT_EQ(options->showAfterMs, 4000u);
    EXPECT_EQ(options->lingerMs, 6000u);

    options = simhost::ParseOptions(cases[9].args, nullptr);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->splits, (std::vector<float>{65.2f, 130.37f}));
    EXPECT_EQ(options->finish, 181.05f);
    EXPECT_EQ(options->speed, 12.5f);
    EXPECT_EQ(options->closeAt, 100.0f);
    EXPECT_EQ(options->routineA, (std::vector<float>{30, 20}));
    EXPECT_EQ(options->routineB, (std::vector<float>{190}));
    options = simhost::ParseOptions(cases[10].args, nullptr);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->splits.empty());
}

TEST(SimHostOptions, AFileOfOptionsSplitsAtAnyWhiteSpace) {
    EXPECT_EQ(simhost::SplitWords("  --marker E8\r\n--stage\t65.2,181.05 \n"),
              (std::vector<std::string>{"--marker", "E8", "--stage", "65.2,181.05"}));
    EXPECT_TRUE(simhost::SplitWords(" \r\n").empty());
}

// What the host tells its plug-ins, one line an event.
class StageLog : public simhost::StageEvents {
public:
    void StageStarted(std::int32_t stage, const std::string& name, bool falseStart) override {
        Add("start %d %s %d", stage, name.c_str(), falseStart);
    }
    void CheckpointPassed(float time, std::int32_t checkpoint, const std::string& name) override {
        Add("checkpoint %g %d %s", time, checkpoint, name.c_str());
    }
    void StageEnded(float checkpoint1, float checkpoint2, float finish, const std::string& name) override {
        Add("end %g %g %g %s", checkpoint1, checkpoint2, finish, name.c_str());
    }
    std::vector<std::string> lines;

private:
    template <class... A>
    void Add(const char* format, A... values) {
        char line[128];
        std::snprintf(line, sizeof line, format, values...);
        lines.push_back(line);
    }
};

class SimHostTest : public HostTest {
protected:
    float Float(std::uint32_t address) { return platform::FromLeFloat(memory().Peek(address, 4).data()); }
    std::uint32_t Game(std::int32_t offset) { return memory().Peek32(kGame + offset); }
    float GameFloat(std::int32_t offset) { return Float(kGame + offset); }
    void SetWord(std::uint32_t value) { memory().Poke32(kMenuA + menu::kWordA, value); }
    // Enter from the client, while the host is in front.
    void Enter() {
        Memory::GetHostProcess();
        qvrMod::PressEnter();
    }
    // The host at the start entry, its last tick at elapsedMs, gets Enter: the stage starts.
    void StartStageAt(std::uint32_t elapsedMs) {
        TickHost(elapsedMs);
        Enter();
        ASSERT_EQ(Game(game::kMode), simhost::kModeStage);
    }
    // The host as it starts, telling its plug-ins (events) of the stage.
    void StartTellingHost(simhost::Options options) {
        StartHost(std::move(options));
        sim->Attach(events);
        memory().Poke32(kTrackIdCell, 41);  // as the client sets the stage
    }
    std::uint32_t DrivingFlag() { return memory().Peek32(qvrplugin::kDrivingFlag); }

    StageLog events;
};

// How each entry of the host's menu is left: by Enter, by the word at +0x70 reading 1, or only
// by the client's own selection.
TEST_F(SimHostTest, EachMenuEntryIsLeftTheWayTheClientLeavesIt) {
    enum Action { kTick, kEnter, kWord };
    constexpr int kStage = -1;
    struct Case {
        int at;
        Action action;
        int then;
    } cases[] = {
        /* 0 */ {menus::kMain, kTick, menus::kMain},
        /* 1 */ {menus::kMain, kWord, menus::kCar},
        /* 2 */ {menus::kMain, kEnter, menus::kCar},
        /* 3 */ {menus::kCar, kWord, menus::kCar},
        /* 4 */ {menus::kCar, kEnter, menus::kStageMenu},
        /* 5 */ {menus::kStageMenu, kEnter, menus::kStageMenu},
        /* 6 */ {menus::kStageMenu, kWord, menus::kStageMenu},
        /* 7 */ {menus::kClientStage, kEnter, menus::kBeforeStart},
        /* 8 */ {menus::kClientStage, kWord, menus::kBeforeStart},
        /* 9 */ {menus::kBeforeStart, kEnter, menus::kBeforeStart},
        /* 10 */ {menus::kBeforeStart, kWord, menus::kBeforeStart},
        /* 11 */ {menus::kStart, kWord, menus::kStart},
        /* 12 */ {menus::kStart, kEnter, kStage},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        StartHost({.firstMenu = c.at});
        if (c.action == kEnter) Enter();
        if (c.action == kWord) SetWord(1);
        TickHost(100);
        if (c.then == kStage) {
            EXPECT_EQ(Game(game::kMode), simhost::kModeStage) << "case " << i;
            EXPECT_EQ(GameFloat(game::kStageState), simhost::kStartLineState) << "case " << i;
        } else {
            EXPECT_EQ(sim->MenuIndex(), c.then) << "case " << i;
            EXPECT_EQ(Game(game::kMode), simhost::kModeMenus) << "case " << i;
        }
        EndHost();
    }
}

// The writes and presses of the client's menu driver, in event mode and in free practice, lead
// through the menus into the stage, and only the start entry's Enter starts it.
TEST_F(SimHostTest, TheMenuDriversWritesAndPressesLeadIntoTheStage) {
    for (bool event : {true, false}) {
        StartHost();
        Memory::GetHostProcess();
        const Memory::Address word = qvrMod::GetMenuBase() + menu::kWordA;
        Memory::WriteLong(word, 1);
        Memory::Wait(100);
        ASSERT_EQ(qvrMod::GetMenuIndex(), menus::kCar) << event;
        qvrMod::SetMenuItemA(menus::kCar, -1, 11, -1, 0, 0, 0, 0, false);
        qvrMod::PressEnterDown();
        ASSERT_EQ(qvrMod::GetMenuIndex(), menus::kStageMenu) << event;
        if (event) {
            qvrMod::SetMenuItemA(menus::kClientStage, 82, 4, 0, 0, 0, 0, 0, true);
            for (int i = 0; i < 9; ++i) {
                Memory::Wait(100);
                qvrMod::PressEnter();
            }
        } else {
            qvrMod::SetMenuItemA(menus::kClientStage, 12, 3, 6, 0, 0, 0, 0, true);
            Memory::WriteLong(word, 1);
            Memory::Wait(100);
        }
        EXPECT_EQ(qvrMod::GetMenuIndex(), menus::kBeforeStart) << event;
        EXPECT_FALSE(qvrMod::IsGameStateNotOne()) << event;
        Memory::WriteLong(word, 0);
        qvrMod::SetMenuItemA(menus::kStart, 82, 4, 0, 0, 0, 0, 0, true);
        Memory::Wait(100);
        qvrMod::PressEnter();
        EXPECT_TRUE(qvrMod::IsGameStateNotOne()) << event;
        EndHost();
    }
}

TEST_F(SimHostTest, TheStageRunsOnItsClockFasterThanRealTime) {
    StartHost({.firstMenu = menus::kStart, .speed = 10, .startLineMs = 3000});
    StartStageAt(1000);
    // The clock starts at 4000 ms and runs ten stage seconds a second.
    struct Case {
        std::uint32_t elapsedMs;
        float state, clock;
        std::uint32_t checkpoints;
        float split1, split2;
        std::uint32_t finished;
    } cases[] = {
        /* 0 */ {1000, 7.0f, 0, 0, 0, 0, 0},
        /* 1 */ {3999, 7.0f, 0, 0, 0, 0, 0},
        /* 2 */ {4000, 8.0f, 0, 0, 0, 0, 0},
        /* 3 */ {10000, 8.0f, 60, 0, 0, 0, 0},
        /* 4 */ {10530, 8.0f, 65.3f, 1, 65.2f, 0, 0},
        /* 5 */ {17040, 8.0f, 130.4f, 2, 65.2f, 130.37f, 0},
        /* 6 */ {22100, 8.0f, 181.0f, 2, 65.2f, 130.37f, 0},
        /* 7 */ {22110, 8.0f, 181.05f, 2, 65.2f, 130.37f, 1},  // the finish time, not the tick's
        /* 8 */ {60000, 8.0f, 181.05f, 2, 65.2f, 130.37f, 1},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        TickHost(c.elapsedMs);
        EXPECT_EQ(GameFloat(game::kStageState), c.state) << "case " << i;
        EXPECT_FLOAT_EQ(GameFloat(game::kStageClock), c.clock) << "case " << i;
        EXPECT_EQ(Game(game::kCheckpoints), c.checkpoints) << "case " << i;
        EXPECT_EQ(GameFloat(game::kSplit1), c.split1) << "case " << i;
        EXPECT_EQ(GameFloat(game::kSplit2), c.split2) << "case " << i;
        EXPECT_EQ(Game(game::kFinished), c.finished) << "case " << i;
        EXPECT_EQ(Game(game::kMode), simhost::kModeStage) << "case " << i;
    }
    EXPECT_THAT(sim->StatusText(),
                HasSubstr("Finished: clock 181.05 s, checkpoints 2, split 1 65.20 s, split 2 130.37 s\n"));
}

TEST_F(SimHostTest, OneTickPastEverythingLeavesEveryValueOfTheStage) {
    StartHost({.firstMenu = menus::kStart, .speed = 1000, .startLineMs = 0});
    StartStageAt(0);
    TickHost(1000);
    EXPECT_EQ(Game(game::kCheckpoints), 2u);
    EXPECT_EQ(GameFloat(game::kSplit1), 65.2f);
    EXPECT_EQ(GameFloat(game::kSplit2), 130.37f);
    EXPECT_EQ(GameFloat(game::kStageClock), 181.05f);
    EXPECT_EQ(Game(game::kFinished), 1u);
}

TEST_F(SimHostTest, TheWindowIsKeptInFrontOnlyWhileTheStageRuns) {
    StartHost({.firstMenu = menus::kStart, .speed = 100});
    TickHost(100);
    OtherWindowInFront();
    TickHost(200);
    EXPECT_NE(os.desktop.foreground, hostWindow);  // the menus leave the front alone
    sim->OnEnter();
    for (std::uint32_t ms : {300u, 5000u, 9000u}) {  // start line, running, finished
        OtherWindowInFront();
        TickHost(ms);
        EXPECT_EQ(os.desktop.foreground, hostWindow) << ms;
    }
    EXPECT_EQ(Game(game::kFinished), 1u);
}

// The plug-ins hear of the clock's start, each split and the result, in that order and once
// each; the gear flag lets them shift from the start line to the finish.
TEST_F(SimHostTest, ThePluginsAreToldOfTheStageAndShiftOnlyWhileItRuns) {
    StartTellingHost({.firstMenu = menus::kStart, .speed = 10, .startLineMs = 3000});
    TickHost(500);
    EXPECT_EQ(DrivingFlag(), 0u);  // in the menus
    StartStageAt(1000);
    struct Case {
        std::uint32_t elapsedMs, flag;
        std::size_t events;  // told so far
    } cases[] = {
        /* 0 */ {1000, 1, 0},   // at the start line
        /* 1 */ {4000, 1, 1},   // the clock starts
        /* 2 */ {10530, 1, 2},  // split 1
        /* 3 */ {17040, 1, 3},  // split 2
        /* 4 */ {22110, 0, 4},  // the finish
        /* 5 */ {60000, 0, 4},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        TickHost(cases[i].elapsedMs);
        EXPECT_EQ(DrivingFlag(), cases[i].flag) << "case " << i;
        EXPECT_EQ(events.lines.size(), cases[i].events) << "case " << i;
    }
    EXPECT_THAT(events.lines, testing::ElementsAre("start 41 Track 41 0", "checkpoint 65.2 1 Track 41",
                                                   "checkpoint 130.37 2 Track 41", "end 65.2 130.37 181.05 Track 41"));
}

// The window closes at its moment of the stage: before the finish the driver retired, after it
// the host was left; the finish flag tells which, and the plug-ins hear the result once, a
// retirement as a finish time of 0.
TEST_F(SimHostTest, TheWindowClosesAtItsMomentOfTheStage) {
    for (float closeAt : {100.0f, 190.0f}) {
        events.lines.clear();
        StartTellingHost({.firstMenu = menus::kStart, .speed = 10, .startLineMs = 0, .closeAt = closeAt});
        StartStageAt(0);
        const auto beforeMs = static_cast<std::uint32_t>(closeAt * 100) - 10;
        TickHost(beforeMs);
        ASSERT_TRUE(os.desktop.IsWindow(hostWindow)) << closeAt;
        const std::uint32_t finished = Game(game::kFinished);
        EXPECT_EQ(finished, closeAt > 181.05f ? 1u : 0u) << closeAt;
        TickHost(beforeMs + 20);
        EXPECT_FALSE(os.desktop.IsWindow(hostWindow)) << closeAt;
        EXPECT_FALSE(Memory::IsHostRunning()) << closeAt;
        EXPECT_EQ(DrivingFlag(), 0u) << closeAt;
        EXPECT_EQ(events.lines.back(), closeAt < 181.05f ? "end 65.2 0 0 Track 41" : "end 65.2 130.37 181.05 Track 41")
            << closeAt;
        EXPECT_EQ(std::count_if(events.lines.begin(), events.lines.end(), [](auto& l) { return l.starts_with("end"); }), 1)
            << closeAt;
    }
}

// Each routine runs at each of its moments. Before the client patched it, it is the host's own
// code and sets nothing; patched, it stores 1 into its flag cell.
TEST_F(SimHostTest, TheRoutinesSetTheirFlagCellsOnceTheClientPatchedThem) {
    StartHost({.firstMenu = menus::kStart, .textsAfterMs = 0, .speed = 10, .startLineMs = 0,
               .routineA = {50, 10}, .routineB = {190}});
    StartStageAt(0);
    TickHost(1000);  // routine A at 10 s, unpatched
    EXPECT_EQ(memory().Peek32(kFlagCellA), 0u);
    EXPECT_EQ(memory().Peek(kRoutineA, 2), "\x55\x8B");

    Memory::GetHostProcess();
    qvrMod::PatchHostMenus();
    TickHost(4000);
    EXPECT_EQ(memory().Peek32(kFlagCellA), 0u);  // no moment between 10 s and 40 s
    TickHost(5000);
    EXPECT_EQ(memory().Peek32(kFlagCellA), 1u);
    EXPECT_EQ(memory().Peek32(kFlagCellB), 0u);
    Memory::WriteLong(kFlagCellA, 0);  // the client handled it
    TickHost(19000);
    EXPECT_EQ(memory().Peek32(kFlagCellA), 0u);  // each moment once
    EXPECT_EQ(memory().Peek32(kFlagCellB), 1u);
}

TEST_F(SimHostTest, ItsWindowShowsWhatTheClientGaveIt) {
    StartHost({.textsAfterMs = 0});
    std::string before = sim->StatusText();
    EXPECT_THAT(before, HasSubstr("In the menus: entry 82\nText: Championship\n"));
    EXPECT_THAT(before, HasSubstr("Sky \"clear\", tyre type host's, clock store host's\n"));
    EXPECT_THAT(before, HasSubstr("Menu items: Championship / Load Game, client menu not built"));

    Memory::GetHostProcess();
    qvrMod::PatchHostMenus();
    qvrMod::SetStageParams(41, 1, 2, 3, 0, 1, 2, 2, 3, "10O_N_hazy_partcloud");
    qvrMod::SetMenuItemA(menus::kCar, -1, 11, -1, 0, 0, 0, 0, false);
    qvrMod::BuildClientMenu();
    // The ready text, as the client's poller puts it into the host.
    const std::int32_t game = qvrMod::GetGameBase();
    Memory::WriteLong(game + game::kText2, static_cast<std::int32_t>(kReadyText));
    Memory::WriteLong(game + game::kText1, static_cast<std::int32_t>(kReadyText));
    Memory::WriteString(kReadyText, platform::Cp1252ToUtf16Le(qvrMod::ReadyToSSText("J\xF6rg", 3)));

    std::string after = sim->StatusText();
    EXPECT_THAT(after, HasSubstr("\nText: J\xF6rg\nready to SS3\n"));
    EXPECT_THAT(after, HasSubstr("Stage: track 41, weather 1, damage 3, option 0, set 1, humidity 2, wear 3\n"));
    EXPECT_THAT(after, HasSubstr("Sky \"10O_N_hazy_partcloud\", tyre type 2, clock store NOPs\n"));
    EXPECT_THAT(after, HasSubstr("Car: slot 2, car entry 11, "));
    EXPECT_THAT(after, HasSubstr("Menu items: Goto Velomark / Save Data, client menu built, flag A 0, flag B 0\n"));
}

}  // namespace

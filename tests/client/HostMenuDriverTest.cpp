// The host-menu driver, one tick at a time, on a simulated host standing at a chosen entry of
// its menu: when it keeps out, and what it writes and presses at each entry it acts on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "services/Globals.h"
#include "services/host/HostMap.h"
#include "tests/client/FlowTest.h"

namespace vmtest {
namespace {

using vm::g;
using namespace hostmap;
namespace menus = simhost::menus;

class HostMenuDriverTest : public FlowTest {
protected:
    HostMenuDriverTest() {
        // The driver alone: its ticks are called by the test.
        for (ui::Timer* t : {&w.tMain, &w.mnuTimer, &w.pTimer, &w.tOra}) t->SetEnabled(false);
        os.desktop.onKey = [this, enter = os.desktop.onKey](const platform::NativeDesktop::Key& k) {
            presses.push_back(std::to_string(os.clock.ticks - tickStart) + (k.flags ? " up" : " down"));
            enter(k);
        };
        g.gHostTrackId = 12;
        g.gCar = 2;
    }
    void Host(int entry) {
        StartHost({.firstMenu = entry});
        journalStart = os.processes.journal.size();
    }
    void Tick() {
        tickStart = os.clock.ticks;
        w.mnuTimer_Timer();
    }
    std::uint32_t MenuA() { return memory().Peek32(kMenuAPtr); }
    std::uint32_t EntryA(int i) { return memory().Peek32(MenuA() + menu::kTableA + 4 * i); }
    std::uint32_t WordA() { return memory().Peek32(MenuA() + menu::kWordA); }
    // The writes to the address since the host started.
    int WritesTo(std::uint32_t address) const {
        int n = 0;
        for (std::size_t i = journalStart; i < os.processes.journal.size(); ++i)
            n += os.processes.journal[i].address == address;
        return n;
    }
    // A press as "ms after the tick began" and "down" or "up".
    std::vector<std::string> presses;
    std::uint32_t tickStart = 0;
    std::size_t journalStart = 0;
};

TEST_F(HostMenuDriverTest, NothingHappensUnlessArmedWithTheHostInFrontInItsMenus) {
    struct Case {
        int line;
        int entry;
        bool armed, behind;
        std::uint32_t mode;
    } cases[] = {
        {__LINE__, menus::kCar, false, false, simhost::kModeMenus},  // entry 82 not seen since the start
        {__LINE__, menus::kMain, true, true, simhost::kModeMenus},
        {__LINE__, menus::kMain, true, false, simhost::kModeStage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        Host(c.entry);
        g.gMenuStarted = c.armed ? 1 : 0;
        if (c.behind) OtherWindowInFront();
        memory().Poke32(simhost::layout::kGame + game::kMode, c.mode);
        Tick();
        EXPECT_EQ(os.processes.journal.size(), journalStart);
        EXPECT_TRUE(presses.empty());
        EndHost();
    }
}

TEST_F(HostMenuDriverTest, TheMainMenuArmsTheDriverAndSetsTheWord) {
    Host(menus::kMain);
    Tick();
    EXPECT_EQ(g.gMenuStarted, 1);
    EXPECT_EQ(WordA(), 1u);
    EXPECT_TRUE(presses.empty());
}

// The car entry takes the slot's place in the host's car menu plus 3, then one Enter goes down
// 100 ms later and never up.
TEST_F(HostMenuDriverTest, TheCarEntryTakesTheSlotsValueAndOneEnterKeyDown) {
    const std::uint32_t expected[8] = {10, 7, 11, 5, 8, 4, 6, 9};
    for (int slot = 0; slot < 8; ++slot) {
        Host(menus::kCar);
        g.gMenuStarted = 1;
        g.gCar = slot;
        presses.clear();
        Tick();
        EXPECT_EQ(memory().Peek32(EntryA(menus::kCar) + menu::kEntryValue), expected[slot]) << slot;
        EXPECT_EQ(memory().Peek32(EntryA(menus::kCar) + menu::kEntryValueAgain), expected[slot]) << slot;
        EXPECT_THAT(presses, testing::ElementsAre("100 down")) << slot;
        EndHost();
    }
}

TEST_F(HostMenuDriverTest, InFreePracticeTheStageEntryIsSetWithoutAKey) {
    Host(menus::kStageMenu);
    g.gMenuStarted = 1;
    Tick();
    EXPECT_EQ(memory().Peek32(kTrackIdCell), 12u);
    EXPECT_EQ(memory().Peek32(kCarSlotCell), 2u);
    const std::uint32_t entry = EntryA(menus::kClientStage);
    EXPECT_EQ(memory().Peek32(MenuA() + menu::kSelected), entry);
    EXPECT_EQ(memory().Peek32(entry + menu::kEntryLink), entry);
    EXPECT_EQ(memory().Peek32(entry + menu::kEntryValue), 3u);
    EXPECT_EQ(memory().Peek32(entry + menu::kEntryParameter), 6u);
    EXPECT_EQ(WordA(), 1u);
    EXPECT_TRUE(presses.empty());
}

// In an event the stage entry is confirmed by nine Enter presses 100 ms apart and the stage
// parameters are written again; the host then stands before the start, which the same tick
// sets and confirms.
TEST_F(HostMenuDriverTest, InAnEventNineEntersConfirmTheStageAndTheSameTickStartsIt) {
    Event(3, 1);
    Host(menus::kStageMenu);
    g.gMenuStarted = 1;
    Tick();
    std::vector<std::string> expected;
    for (int i = 1; i <= 9; ++i) {
        expected.push_back(std::to_string(100 * i) + " down");
        expected.push_back(std::to_string(100 * i) + " up");
    }
    // Before the start: entry 10 is selected and confirmed while it stays selected.
    for (int i = 10; i <= 14; ++i) {
        expected.push_back(std::to_string(100 * i) + " down");
        expected.push_back(std::to_string(100 * i) + " up");
    }
    EXPECT_EQ(presses, expected);
    const std::uint32_t stageEntry = EntryA(menus::kClientStage);
    EXPECT_EQ(memory().Peek32(stageEntry + menu::kEntryLink), EntryA(menus::kMain));
    EXPECT_EQ(memory().Peek32(stageEntry + menu::kEntryValue), 4u);
    EXPECT_EQ(memory().Peek32(stageEntry + menu::kEntryParameter), 0u);
    EXPECT_EQ(WritesTo(kTrackIdCell), 3);  // before and after the presses, and before the start
    const std::uint32_t start = EntryA(menus::kStart);
    EXPECT_EQ(memory().Peek32(start + menu::kEntryLink), EntryA(menus::kMain));
    EXPECT_EQ(memory().Peek32(start + menu::kEntryValue), 4u);
    EXPECT_EQ(WordA(), 0u);
    EXPECT_EQ(memory().Peek32(simhost::layout::kGame + game::kMode), simhost::kModeStage);  // the stage began
}

TEST_F(HostMenuDriverTest, BeforeTheStartTheStartEntryIsSetAndConfirmed) {
    Host(menus::kBeforeStart);
    g.gMenuStarted = 1;
    memory().Poke32(MenuA() + menu::kWordA, 1);
    Tick();
    EXPECT_EQ(WordA(), 0u);
    EXPECT_EQ(memory().Peek32(kTrackIdCell), 12u);
    EXPECT_EQ(memory().Peek32(EntryA(menus::kCar) + menu::kEntryValue), 11u);
    EXPECT_EQ(presses.front(), "100 down");
    EXPECT_EQ(memory().Peek32(simhost::layout::kGame + game::kMode), simhost::kModeStage);
}

}  // namespace
}  // namespace vmtest

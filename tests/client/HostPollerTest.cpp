// The patch and flag poller, one tick at a time, on a simulated host in front: the ready text,
// the event patch of each host build, the two flag cells; and the clock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/CurrentStage.h"
#include "services/Globals.h"
#include "services/host/HostMap.h"
#include "tests/client/FlowTest.h"

namespace vmtest {
namespace {

using vm::g;
using namespace hostmap;

constexpr std::uint32_t kGame = simhost::layout::kGame;

class HostPollerTest : public FlowTest {
protected:
    HostPollerTest() {
        for (ui::Timer* t : {&w.tMain, &w.mnuTimer, &w.pTimer, &w.tOra}) t->SetEnabled(false);
        g.gDriverName = "Driver";
    }
    void Host(std::uint8_t marker = kMarkerV3) {
        StartHost({.marker = marker});
        Memory::GetHostProcess();  // as the other timers look the host up
        journalStart = os.processes.journal.size();
    }
    // An ASCII text as the host takes it: a 16-bit unit a character, low byte first, and one
    // 16-bit NUL.
    static std::string Wide(const std::string& ascii) {
        std::string out;
        for (char c : ascii) out.append({c, '\0'});
        return out.append(2, '\0');
    }
    // The bytes of the last write to the address since the host was started.
    std::string WrittenTo(std::uint32_t address) const {
        std::string bytes;
        for (const auto& [at, written] : WritesSince(journalStart))
            if (at == address) bytes = written;
        return bytes;
    }
    int WritesTo(std::uint32_t address) const {
        int n = 0;
        for (std::size_t i = journalStart; i < os.processes.journal.size(); ++i)
            n += os.processes.journal[i].address == address;
        return n;
    }
    std::size_t CloseMessages() const {
        return static_cast<std::size_t>(std::count_if(os.desktop.messages.begin(), os.desktop.messages.end(),
                                                      [](const auto& m) { return m.message == platform::kWmClose; }));
    }
    std::size_t journalStart = 0;
};

TEST_F(HostPollerTest, TheReadyTextIsShownAndAnEventKeepsItsPatch) {
    const std::string hostBytes = "\xF3\x0F\x11";
    for (bool event : {true, false}) {
        g.gRallyPwd = event ? kEventPwd : "";
        g.gCurrentSS = event ? 3 : 0;
        Host();
        w.pTimer_Timer();
        const std::string text = event ? "Driver\nready to SS3" : "Driver\nready to SS0";
        EXPECT_EQ(WrittenTo(kReadyText), Wide(text)) << event;  // and not a byte past it
        EXPECT_EQ(memory().Peek32(kGame + game::kText2), kReadyText) << event;
        EXPECT_EQ(memory().Peek32(kGame + game::kText1), kReadyText) << event;
        EXPECT_EQ(memory().Peek(kEventPatchV3, 3), event ? "\xF3\x90\x90" : hostBytes) << event;
        EndHost();
    }
}

// The event patch goes to each build's own address; only build 3 gets the ready text.
TEST_F(HostPollerTest, EachHostBuildGetsTheEventPatchAtItsOwnAddress) {
    struct Case {
        int line;
        std::uint8_t marker;
        std::uint32_t patched;  // 0: none
    } cases[] = {
        {__LINE__, kMarkerV1, kEventPatchV1},
        {__LINE__, kMarkerV2, kEventPatchV2},
        {__LINE__, kMarkerV3, kEventPatchV3},
        {__LINE__, kMarkerV4, 0},
        {__LINE__, 0x55, 0},
    };
    g.gRallyPwd = kEventPwd;
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        Host(c.marker);
        w.pTimer_Timer();
        for (std::uint32_t a : {kEventPatchV1, kEventPatchV2, kEventPatchV3})
            EXPECT_EQ(memory().Peek(a, 3) == "\xF3\x90\x90", a == c.patched) << std::hex << a;
        EXPECT_EQ(WritesTo(kReadyText), c.marker == kMarkerV3 ? 1 : 0);
        EndHost();
    }
}

TEST_F(HostPollerTest, FlagCellAMakesTheClientsMenuOnce) {
    Host();
    memory().Poke32(kFlagCellA, 1);
    w.pTimer_Timer();
    w.pTimer_Timer();
    const std::uint32_t menuB = memory().Peek32(kMenuBPtr);
    EXPECT_EQ(memory().Peek32(menuB + menu::kSelected),
              memory().Peek32(menuB + menu::kTableB + 4 * simhost::menus::kClientMenuB));
    EXPECT_EQ(WritesTo(menuB + menu::kSelected), 1);
    EXPECT_EQ(memory().Peek32(kFlagCellA), 0u);
    EXPECT_EQ(CloseMessages(), 0u);
}

TEST_F(HostPollerTest, FlagCellBClosesTheHostOnEveryTickUntilItsWindowIsGone) {
    Host();
    memory().Poke32(kFlagCellB, 1);
    w.pTimer_Timer();
    w.pTimer_Timer();
    EXPECT_EQ(CloseMessages(), 2u);
    EXPECT_EQ(memory().Peek32(kFlagCellB), 1u);  // left set: the host ends
    RunFor(10);                                   // the host handles the close
    w.pTimer_Timer();
    EXPECT_EQ(CloseMessages(), 2u);
}

TEST_F(HostPollerTest, NothingIsReadOrWrittenWhileTheHostIsNotInFront) {
    g.gRallyPwd = kEventPwd;
    Host();
    memory().Poke32(kFlagCellA, 1);
    OtherWindowInFront();
    const std::size_t openings = os.processes.opened.size();
    w.pTimer_Timer();
    EXPECT_EQ(os.processes.journal.size(), journalStart);
    EXPECT_EQ(os.processes.opened.size(), openings);
}

// The clock on its timer: the date and time, and in an event with an SS picked the
// countdown to the driver's start of it.
TEST_F(HostPollerTest, TheClockShowsTheTimeAndInAnEventTheCountdown) {
    w.tOra.SetEnabled(true);
    os.regional.dateSeparator = ".";
    vm::curSS.gCurSSTime = 21 * 3600 + 45 * 60 + 2 + 125;  // 125 s from now
    struct Case {
        int line;
        bool event;
        int current;
        const char* countdown;
    } cases[] = {
        {__LINE__, false, 4, ""},
        {__LINE__, true, 0, ""},
        {__LINE__, true, 4, "00:02:05 to SS4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        g.gRallyPwd = c.event ? kEventPwd : "";
        g.gCurrentSS = static_cast<std::int16_t>(c.current);
        w.laTime.SetCaption("");
        w.laCDown.SetCaption("");
        RunFor(600);  // a tick
        EXPECT_EQ(w.laTime.Caption(), "15.03.2007 21:45:02");
        EXPECT_EQ(w.laCDown.Caption(), c.countdown);
    }
}

}  // namespace
}  // namespace vmtest

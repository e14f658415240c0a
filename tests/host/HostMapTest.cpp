// The host version, the base pointers, the menu index and the game mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"
#include "tests/host/HostFixture.h"

namespace {

using vmtest::HostTest;
using namespace simhost::layout;

class HostMapTest : public HostTest {
protected:
    std::uint32_t EntryA(int i) { return memory().Peek32(kMenuA + hostmap::menu::kTableA + 4 * i); }
    void Select(std::uint32_t entry) { memory().Poke32(kMenuA + hostmap::menu::kSelected, entry); }
};

TEST_F(HostMapTest, VersionFollowsTheMarkerByte) {
    struct Case {
        std::uint8_t marker;
        int version;
        bool gameBase;
    } cases[] = {{0x10, 1, false}, {0x8B, 2, false}, {0xE8, 3, true}, {0x00, 4, false}, {0x90, 0, false}};
    for (const Case& c : cases) {
        StartHost({.marker = c.marker});
        EXPECT_EQ(qvrMod::GetHostVersion(), c.version) << int(c.marker);
        std::size_t opens = os.processes.opened.size();
        auto base = qvrMod::GetGameBase();
        EXPECT_EQ(base.ok, c.gameBase) << int(c.marker);
        EXPECT_EQ(base, c.gameBase ? static_cast<std::int32_t>(kGame) : 0) << int(c.marker);
        EXPECT_EQ(qvrMod::GetMenuBase(), c.gameBase ? static_cast<std::int32_t>(kMenuA) : 0) << int(c.marker);
        // Other versions do not read the pointer: only the two marker reads.
        if (!c.gameBase) {
            EXPECT_EQ(os.processes.opened.size(), opens + 2) << int(c.marker);
        }
        EndHost();
    }
}

TEST_F(HostMapTest, NoHostIsVersionZeroEvenAfterAMarkerWasRead) {
    EXPECT_EQ(qvrMod::GetHostVersion(), 0);  // the unread marker would read as 0, version 4
    StartHost();
    EXPECT_EQ(qvrMod::GetHostVersion(), 3);
    EndHost();
    EXPECT_EQ(qvrMod::GetHostVersion(), 0);  // not the stale 3
}

TEST_F(HostMapTest, MenuIndexIsTheLowestTableIndexOfTheSelectedEntry) {
    StartHost();
    EXPECT_EQ(qvrMod::GetMenuIndex(), 82);
    Select(EntryA(10));
    EXPECT_EQ(qvrMod::GetMenuIndex(), 10);
    memory().Poke32(kMenuA + hostmap::menu::kTableA + 4 * 5, EntryA(10));
    EXPECT_EQ(qvrMod::GetMenuIndex(), 5);  // two entries hold it
    Select(EntryA(89));
    EXPECT_EQ(qvrMod::GetMenuIndex(), 89);  // beyond the search
    Select(0x1234);
    EXPECT_EQ(qvrMod::GetMenuIndex(), 89);  // in no entry
}

TEST_F(HostMapTest, MenuIndexMatchesNoMenuWhenTheMenuCannotBeRead) {
    struct Case {
        const char* what;
    } cases[] = {{"no host"}, {"version 2"}, {"menu pointer 0"}, {"host gone"}, {"table unreadable"}};
    for (const Case& c : cases) {
        std::string what = c.what;
        if (what != "no host") StartHost({.marker = std::uint8_t(what == "version 2" ? 0x8B : 0xE8), .firstMenu = 0});
        if (what == "menu pointer 0") memory().Poke32(hostmap::kMenuAPtr, 0);
        // The selection is readable, the entry table runs past the host's memory.
        if (what == "table unreadable") memory().Poke32(hostmap::kMenuAPtr, simhost::kMapEnd - 0x40);
        if (what == "host gone") {
            EXPECT_EQ(qvrMod::GetMenuIndex(), 0);  // a good read first: the cells hold menu 0's values
            EndHost();
        }
        EXPECT_EQ(qvrMod::GetMenuIndex(), qvrMod::kNoMenuIndex) << c.what;
        if (sim) EndHost();
    }
}

TEST_F(HostMapTest, GameStateNotOneUnlessTheModeReadsOne) {
    StartHost();
    EXPECT_FALSE(qvrMod::IsGameStateNotOne());
    memory().Poke32(kGame + hostmap::game::kMode, 2);
    EXPECT_TRUE(qvrMod::IsGameStateNotOne());
    memory().Poke32(kGame + hostmap::game::kMode, 1);
    EXPECT_FALSE(qvrMod::IsGameStateNotOne());
    EndHost();
    EXPECT_TRUE(qvrMod::IsGameStateNotOne());  // the last value read was 1
}

}  // namespace

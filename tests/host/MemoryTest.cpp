// Reads, writes, the window and process lookup, the wait and ending the host.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Bytes.h"
#include "services/host/HostMap.h"
#include "services/host/Memory.h"
#include "tests/host/HostFixture.h"

namespace {

using vmtest::HostTest;
using platform::LeFloat;
using namespace simhost::layout;

class MemoryTest : public HostTest {};

TEST_F(MemoryTest, EachWidthKeepsItsOwnLastValueAndReportsFailure) {
    EXPECT_EQ(Memory::ReadLong(0x1000), 0);
    EXPECT_FALSE(Memory::ReadLong(0x1000).ok);  // no host yet: 0 at every width
    EXPECT_EQ(Memory::ReadSingle(0x1000), 0.0f);
    EXPECT_EQ(Memory::ReadByte(0x1000), 0);

    StartHost();
    Memory::GetHostProcess();
    memory().PokeFloat(kGame + hostmap::game::kStageClock, 181.05f);
    auto mode = Memory::ReadLong(kGame + hostmap::game::kMode);
    EXPECT_TRUE(mode.ok);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(Memory::ReadSingle(kGame + hostmap::game::kStageClock), 181.05f);
    EXPECT_EQ(Memory::ReadByte(hostmap::kMarker), 0xE8);

    // An address the host has not mapped, then no host at all: the last values, marked failed.
    for (bool hostThere : {true, false}) {
        if (!hostThere) EndHost();
        auto l = Memory::ReadLong(0x10);
        auto f = Memory::ReadSingle(0x10);
        auto b = Memory::ReadByte(0x10);
        EXPECT_FALSE(l.ok || f.ok || b.ok);
        EXPECT_EQ(l, 1);
        EXPECT_EQ(f, 181.05f);
        EXPECT_EQ(b, 0xE8);
    }
}

TEST_F(MemoryTest, WritesGiveExactlyTheirBytes) {
    StartHost();
    Memory::GetHostProcess();
    struct Case {
        const char* hex;
        std::string bytes;  // empty: nothing is written
    } cases[] = {
        /* 0 */ {"9090", "\x90\x90"},
        /* 1 */ {"C705040A400001000000C20800", std::string("\xC7\x05\x04\x0A\x40\x00\x01\x00\x00\x00\xC2\x08\x00", 13)},
        /* 2 */ {"b1009090", std::string("\xB1\x00\x90\x90", 4)},
        /* 3 */ {"", ""},
        /* 4 */ {"90G0", ""},  // not hexadecimal: nothing rather than a guess
        /* 5 */ {"909", ""},   // an odd digit: nothing rather than a shorter patch
        /* 6 */ {"+9", ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::size_t mark = os.processes.journal.size();
        Memory::WriteHex(hostmap::kRoutineA, cases[i].hex);
        auto writes = WritesSince(mark);
        if (cases[i].bytes.empty()) {
            EXPECT_TRUE(writes.empty()) << "case " << i;
        } else {
            ASSERT_EQ(writes.size(), 1u) << "case " << i;
            EXPECT_EQ(writes[0].second, cases[i].bytes) << "case " << i;
        }
    }

    std::size_t mark = os.processes.journal.size();
    Memory::WriteString(hostmap::kSkyName, "hazy1");
    Memory::WriteByte(hostmap::kTyreTypeOperand, 2);
    Memory::WriteLong(hostmap::kTrackIdCell, -2);
    Memory::WriteSingle(kGame + hostmap::game::kSplit1, 65.2f);
    EXPECT_EQ(WritesSince(mark), (WriteList{{hostmap::kSkyName, "hazy1"},  // no terminator added
                                                {hostmap::kTyreTypeOperand, "\x02"},
                                                {hostmap::kTrackIdCell, "\xFE\xFF\xFF\xFF"},
                                                {kGame + hostmap::game::kSplit1, LeFloat(65.2f)}}));
    EXPECT_EQ(os.processes.OpenHandles(), 0u);
}

TEST_F(MemoryTest, WrittenBytesBecomeExecuteReadWriteAndStaySo) {
    StartHost();
    Memory::GetHostProcess();
    // Header page (read-only), code (execute-read) and data (read-write) alike.
    for (std::uint32_t address : {hostmap::kFlagCellA, hostmap::kStageClockStore, hostmap::kHumidityCell}) {
        std::size_t mark = os.processes.journal.size();
        Memory::WriteLong(address, 0);
        EXPECT_EQ(WritesSince(mark).size(), 1u) << std::hex << address;
        EXPECT_EQ(memory().Protection(address), platform::kPageExecuteReadWrite) << std::hex << address;
    }
    // The host's own store into the flag cell now succeeds.
    std::int32_t one = 1;
    EXPECT_TRUE(memory().Write(hostmap::kFlagCellA, &one, 4));

    // Once the process has ended its protections are no longer there to query.
    platform::ProcessHandle h = os.processes.Open(kHostPid, platform::kProcessQueryInformation);
    EXPECT_EQ(os.processes.QueryProtection(h, hostmap::kFlagCellA), platform::kPageExecuteReadWrite);
    EndHost();
    EXPECT_FALSE(os.processes.QueryProtection(h, hostmap::kFlagCellA).has_value());
    os.processes.Close(h);
}

TEST_F(MemoryTest, EveryAccessOpensAndClosesItsOwnHandle) {
    StartHost();
    Memory::GetHostProcess();
    Memory::ReadLong(hostmap::kGamePtr);
    Memory::WriteLong(hostmap::kFlagCellA, 0);
    Memory::WriteHex(hostmap::kRoutineA, "9090");
    ASSERT_EQ(os.processes.opened.size(), 3u);
    for (auto& o : os.processes.opened) {
        EXPECT_EQ(o.processId, kHostPid);
        EXPECT_EQ(o.access, 0x438u);
    }
    EXPECT_EQ(os.processes.OpenHandles(), 0u);
}

TEST_F(MemoryTest, LookupFindsTheTopHostWindowAndClearsBothWhenNoneIsLeft) {
    StartHost();
    os.processes.Add(555);
    platform::WindowHandle second = os.desktop.AddWindow(hostmap::kWindowClass, 555);
    Memory::GetHostProcess();
    EXPECT_EQ(Memory::state.gHostWnd, second);
    EXPECT_EQ(Memory::state.gHostPid, 555u);

    os.desktop.RemoveWindow(second);
    EXPECT_TRUE(Memory::IsHostRunning());
    EXPECT_EQ(Memory::state.gHostWnd, second);  // IsHostRunning changes nothing
    Memory::GetHostProcess();
    EXPECT_EQ(Memory::state.gHostWnd, hostWindow);

    EndHost();
    EXPECT_FALSE(Memory::IsHostRunning());
    Memory::GetHostProcess();
    EXPECT_EQ(Memory::state.gHostWnd, 0u);
    EXPECT_EQ(Memory::state.gHostPid, 0u);
}

TEST_F(MemoryTest, NoAccessReachesAProcessThatNoLongerOwnsTheHostWindow) {
    StartHost();
    Memory::GetHostProcess();
    EXPECT_TRUE(Memory::ReadLong(hostmap::kGamePtr).ok);
    std::size_t opens = os.processes.opened.size();

    // The host ends and another program gets its process id; no lookup has run since.
    EndHost();
    platform::NativeAddressSpace& other = os.processes.Add(kHostPid).memory;
    other.Poke32(hostmap::kGamePtr, 0x12345678);
    os.desktop.AddWindow("Notepad", kHostPid);
    EXPECT_FALSE(Memory::ReadLong(hostmap::kGamePtr).ok);
    Memory::WriteLong(hostmap::kGamePtr, 0);
    EXPECT_EQ(other.Peek32(hostmap::kGamePtr), 0x12345678u);

    // After a lookup that finds no host nothing is even opened.
    Memory::GetHostProcess();
    Memory::ReadLong(hostmap::kGamePtr);
    Memory::WriteLong(hostmap::kGamePtr, 0);
    EXPECT_EQ(os.processes.opened.size(), opens + 2);  // only the two refused above
    EXPECT_EQ(os.processes.OpenHandles(), 0u);
}

TEST_F(MemoryTest, AWriteThroughAFailedReadIsSkipped) {
    StartHost();
    Memory::GetHostProcess();
    // Each width's cell now holds a good value, the 4-byte one a writable address...
    ASSERT_EQ(Memory::ReadLong(hostmap::kMenuAPtr), static_cast<std::int32_t>(kMenuA));
    ASSERT_EQ(Memory::ReadByte(hostmap::kMarker), 0xE8);
    memory().PokeFloat(kGame + hostmap::game::kStageClock, 181.05f);
    ASSERT_EQ(Memory::ReadSingle(kGame + hostmap::game::kStageClock), 181.05f);
    std::size_t mark = os.processes.journal.size();
    // ...which a failed read gives again: neither the address nor the value is used.
    Memory::WriteLong(Memory::ReadLong(0x10) + hostmap::menu::kWordA, 1);
    Memory::WriteLong(kMenuA + hostmap::menu::kWordA, Memory::ReadLong(0x10));
    Memory::WriteByte(hostmap::kTyreTypeOperand, Memory::ReadByte(0x10));
    Memory::WriteSingle(kGame + hostmap::game::kSplit1, Memory::ReadSingle(0x10));
    EXPECT_TRUE(WritesSince(mark).empty());
}

TEST_F(MemoryTest, ForegroundIsTheStoredHostWindow) {
    EXPECT_FALSE(Memory::IsHostForeground());  // no host and nothing in front
    StartHost();
    EXPECT_FALSE(Memory::IsHostForeground());  // not looked up yet
    Memory::GetHostProcess();
    EXPECT_TRUE(Memory::IsHostForeground());
    OtherWindowInFront();
    EXPECT_FALSE(Memory::IsHostForeground());
}

TEST_F(MemoryTest, WaitHandlesEventsUntilTheTimeHasPassed) {
    struct Case {
        std::uint32_t startTicks;
        float ms;
        std::uint32_t stepPerEvent;  // time each round of events takes
        bool pumps;
    } cases[] = {
        /* 0 */ {1000, 0, 0, false},
        /* 1 */ {1000, 100, 0, true},
        /* 2 */ {1000, 100, 30, true},
        /* 3 */ {0xFFFFFF00u, 1000, 0, true},  // the tick count wraps during the wait
        /* 4 */ {0xFFFFFFF0u, 100, 7, true},
        /* 5 */ {1000, 0.5f, 0, true},
        /* 6 */ {1000, -5, 0, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        os.clock.ticks = c.startTicks;
        os.desktop.pumps = 0;
        os.desktop.onPump = [&] { os.clock.ticks += c.stepPerEvent; };
        Memory::Wait(c.ms);
        std::uint32_t elapsed = os.clock.ticks - c.startTicks;
        const float wanted = std::max(c.ms, 0.0f);
        EXPECT_GE(elapsed, wanted) << "case " << i;
        EXPECT_LT(elapsed, wanted + c.stepPerEvent + 1) << "case " << i;
        EXPECT_EQ(os.desktop.pumps > 0, c.pumps) << "case " << i;
    }
}

TEST_F(MemoryTest, KillProcessEndsOnlyTheProcessThatStillOwnsTheWindow) {
    struct Case {
        const char* what;
        bool terminated;
        bool opened;  // the process was opened, with every access right
    } cases[] = {
        {"match", true, true},
        {"id 0", false, false},
        {"window 0", false, true},
        {"window gone", false, true},
        {"window of another", false, true},
        {"no such process", false, false},
    };
    for (const Case& c : cases) {
        StartHost();
        std::uint32_t pid = kHostPid;
        platform::WindowHandle window = hostWindow;
        std::string what = c.what;
        if (what == "id 0") pid = 0;
        if (what == "window 0") window = 0;
        if (what == "window gone") os.desktop.RemoveWindow(hostWindow);
        if (what == "window of another") window = OtherWindowInFront();
        if (what == "no such process") pid = 999;
        const std::size_t opens = os.processes.opened.size();
        TestTerminateProcess::KillProcess(pid, window);
        ASSERT_EQ(os.processes.opened.size(), opens + (c.opened ? 1 : 0)) << c.what;
        if (c.opened) {
            EXPECT_EQ(os.processes.opened.back().processId, kHostPid) << c.what;
            EXPECT_EQ(os.processes.opened.back().access, 0x1F0FFFu) << c.what;
        }
        EXPECT_EQ(!os.processes.Find(kHostPid)->running, c.terminated) << c.what;
        EXPECT_EQ(os.processes.Find(kHostPid)->exitCode, c.terminated ? 0u : platform::NativeProcesses::kStillActive)
            << c.what;
        EXPECT_EQ(os.processes.OpenHandles(), 0u) << c.what;
        EndHost();
        os.desktop.windows.clear();
    }
}

}  // namespace

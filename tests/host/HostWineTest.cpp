// The host link against the simulated host running as a real second process (Windows, under
// Wine with a display). Every case starts its own simulated host and ends it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/GameWindow.h"
#include "platform/win32/Win32Adapters.h"
#include "services/Globals.h"
#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"
#include "tests/support/VmTest.h"
#include "tools/simhost/SimHost.h"

namespace {

using namespace hostmap;
using namespace simhost::layout;

// A running simulated host, ended when it goes.
class SimHostRun {
public:
    SimHostRun(platform::ProcessPort& processes, const std::string& args) : processes_(processes) {
        std::string exe = platform::win32::Win32Environment().ProgramFolder() + "\\..\\tools\\simhost\\simhost.exe";
        // A cap on its life, in case this program dies before it can end it.
        handle_ = processes_.Start("\"" + exe + "\" --lifetime 60000 " + args, &pid);
    }
    ~SimHostRun() {
        if (handle_ == 0) return;
        if (!processes_.WaitForExit(handle_, 0)) processes_.Terminate(handle_, 1);
        processes_.WaitForExit(handle_, 10000);
        processes_.Close(handle_);
    }
    SimHostRun(const SimHostRun&) = delete;
    SimHostRun& operator=(const SimHostRun&) = delete;

    // Waits up to timeoutMs for the process to end. Returns true if it has.
    bool Ended(std::uint32_t timeoutMs) { return processes_.WaitForExit(handle_, timeoutMs); }

    std::uint32_t pid = 0;
    platform::WindowHandle window = 0;

private:
    platform::ProcessPort& processes_;
    platform::ProcessHandle handle_ = 0;
};

class WineHostTest : public vmtest::VmTest {
protected:
    WineHostTest() : saved_(platform::ports()) {
        platform::Ports& p = platform::ports();
        p.desktop = &desktop_;
        p.processes = &processes_;
        p.clock = &clock_;
    }
    ~WineHostTest() override { platform::ports() = saved_; }

    // Starts a simulated host and waits for its window.
    std::unique_ptr<SimHostRun> Start(const std::string& args = "") {
        auto run = std::make_unique<SimHostRun>(processes_, args);
        EXPECT_NE(run->pid, 0u) << "simhost did not start";
        Until([&] {
            platform::WindowHandle w = desktop_.FindTopWindow(kWindowClass);
            if (w != 0 && desktop_.WindowProcessId(w) == run->pid) run->window = w;
            return run->window != 0;
        });
        EXPECT_NE(run->window, 0u) << "no simhost window (its exit codes are listed in tools/simhost/SimHostMain.cpp)";
        Memory::GetHostProcess();
        return run;
    }

    // Handles events until the condition holds, at most timeoutMs. Returns the condition.
    template <class F>
    bool Until(F&& condition, std::uint32_t timeoutMs = 10000) {
        const std::uint32_t start = clock_.TickCount();
        while (!condition()) {
            if (clock_.TickCount() - start > timeoutMs) return false;
            Memory::Wait(20);
        }
        return true;
    }

    bool HostInFront(const SimHostRun& run) {
        desktop_.Post(run.window, simhost::kFrontMessage, 0, 0);
        return Until([&] { return desktop_.ForegroundWindow() == run.window; }, 5000);
    }

    std::optional<std::uint32_t> Protection(std::uint32_t address) {
        platform::ScopedProcess p(processes_, processes_.Open(Memory::state.gHostPid, platform::kProcessQueryInformation));
        return processes_.QueryProtection(p.get(), address);
    }

    platform::win32::Win32Desktop desktop_;
    platform::win32::Win32Processes processes_;
    platform::win32::Win32Clock clock_;

private:
    platform::Ports saved_;
};

// A window of this process that counts the keys it gets.
class OtherWindow : public platform::GameWindowEvents {
public:
    void OnKeyDown(std::uint32_t) override { ++keys; }
    int keys = 0;
};

TEST_F(WineHostTest, ReadsWritesAndTheProtectionOfWrittenBytes) {
    auto host = Start("--marker E8");
    EXPECT_EQ(qvrMod::GetHostVersion(), 3);
    EXPECT_EQ(qvrMod::GetGameBase(), static_cast<std::int32_t>(kGame));
    EXPECT_EQ(Memory::ReadLong(kGame + game::kMode), 1);
    EXPECT_EQ(Memory::ReadLong(kStageClockStore), 0x8611'0FF3);

    // The host's code is execute-read and its header page read-only until the client writes.
    EXPECT_EQ(Protection(kRoutineA), platform::kPageExecuteRead);
    EXPECT_EQ(Protection(kFlagCellA), platform::kPageReadOnly);
    Memory::WriteHex(kRoutineA, kSetFlagA);
    Memory::WriteLong(kFlagCellA, 0);
    // Image pages report the copy-on-write form of the same protection.
    for (std::uint32_t address : {kRoutineA, kFlagCellA})
        EXPECT_THAT(Protection(address), testing::AnyOf(platform::kPageExecuteReadWrite, platform::kPageExecuteWriteCopy))
            << std::hex << address;
    EXPECT_EQ(Memory::ReadLong(kRoutineA), 0x0A04'05C7);
    EXPECT_EQ(Memory::ReadByte(kRoutineA + 12), 0x00);
    EXPECT_EQ(Memory::ReadByte(kRoutineA + 11), 0x08);
    Memory::WriteLong(kFlagCellA, 7);
    EXPECT_EQ(Memory::ReadLong(kFlagCellA), 7);
    Memory::WriteSingle(kGame + game::kSplit1, 65.2f);
    EXPECT_EQ(Memory::ReadSingle(kGame + game::kSplit1), 65.2f);

    // Unmapped memory: the last value, marked failed.
    auto stale = Memory::ReadLong(0x10);
    EXPECT_FALSE(stale.ok);
    EXPECT_EQ(stale, 7);
}

TEST_F(WineHostTest, AnotherBuildIsToldApart) {
    auto host = Start("--marker 8B");
    EXPECT_EQ(qvrMod::GetHostVersion(), 2);
    EXPECT_FALSE(qvrMod::GetGameBase().ok);
    EXPECT_EQ(qvrMod::GetMenuIndex(), qvrMod::kNoMenuIndex);
}

TEST_F(WineHostTest, MenuEntriesStageParametersAndMenuPatch) {
    auto host = Start("--menus 82,2,11 --texts-after 1500");
    EXPECT_EQ(qvrMod::GetMenuIndex(), 82);
    qvrMod::SetMenuItemA(10, 82, 4, 0, 0, 0, 0, 0, true);
    EXPECT_EQ(qvrMod::GetMenuIndex(), 10);
    Memory::Value<std::int32_t> entry = Memory::ReadLong(kMenuA + menu::kSelected);
    EXPECT_EQ(Memory::ReadLong(entry + menu::kEntryValueAgain), 4);
    EXPECT_EQ(Memory::ReadLong(entry + menu::kEntryStamp), kMenuAStamp);

    vm::g.gSkyName = "10O_N_hazy_partcloud";
    qvrMod::SetStageParams(41, 1, 2, 3, 0, 1, 2);
    EXPECT_EQ(Memory::ReadLong(kTrackIdCell), 41);
    EXPECT_EQ(Memory::ReadLong(kStageClockStore), static_cast<std::int32_t>(0x90909090));

    EXPECT_EQ(Memory::ReadLong(kMenuTextsPtr), 0);  // not yet
    qvrMod::PatchHostMenus();
    Memory::Value<std::int32_t> table = Memory::ReadLong(kMenuTextsPtr);
    EXPECT_EQ(table, static_cast<std::int32_t>(kTexts));
    EXPECT_EQ(Memory::ReadLong(table + texts::kGoto), static_cast<std::int32_t>(kGotoText));
    EXPECT_EQ(Memory::ReadLong(kGotoText), 0x006F'0047);  // "Go" as UTF-16LE
    EXPECT_EQ(Memory::ReadLong(kTyreTypeCode), static_cast<std::int32_t>(0x9090'00B1));

    qvrMod::BuildClientMenu();
    EXPECT_EQ(Memory::ReadLong(Memory::ReadLong(kMenuBPtr) + menu::kSelected),
              Memory::ReadLong(kMenuB + menu::kTableB + 4 * 17));
}

TEST_F(WineHostTest, TheMenuPatchStopsWaitingWhenTheHostExits) {
    auto host = Start("--texts-after 4294967295 --lifetime 3000");
    qvrMod::PatchHostMenus();
    EXPECT_TRUE(host->Ended(10000));
    EXPECT_FALSE(Memory::ReadLong(kMenuTextsPtr).ok);
}

TEST_F(WineHostTest, EnterReachesTheHostOnlyWhileItIsInFront) {
    auto host = Start("--menus 82,2,11,0");
    ASSERT_TRUE(HostInFront(*host));
    qvrMod::PressEnter();
    EXPECT_TRUE(Until([] { return qvrMod::GetMenuIndex() == 2; }, 5000));

    OtherWindow events;
    auto other = platform::GameWindow::Create("VmOtherWindow", "Other", 200, 100, events);
    ASSERT_TRUE(other);
    ASSERT_TRUE(Until([&] { return other->BringToFront(); }, 5000));
    qvrMod::PressEnter();
    qvrMod::PressEnterDown();
    Memory::Wait(500);
    EXPECT_EQ(events.keys, 0);
    EXPECT_EQ(qvrMod::GetMenuIndex(), 2);

    other.reset();
    ASSERT_TRUE(HostInFront(*host));
    qvrMod::PressEnterDown();  // a key-down alone moves the host too
    EXPECT_TRUE(Until([] { return qvrMod::GetMenuIndex() == 11; }, 5000));
}

TEST_F(WineHostTest, CloseHostEndsTheHost) {
    auto host = Start();
    qvrMod::CloseHost();
    EXPECT_TRUE(host->Ended(10000));
    EXPECT_TRUE(Until([] { return !Memory::IsHostRunning(); }, 5000));
}

TEST_F(WineHostTest, AHungHostNeitherFreezesTheClientNorEscapesTheKill) {
    auto host = Start("--hang-on-close 30000");
    const std::uint32_t start = clock_.TickCount();
    qvrMod::CloseHost();
    EXPECT_LT(clock_.TickCount() - start, 10000u);

    OtherWindow events;
    auto other = platform::GameWindow::Create("VmOtherWindow", "Other", 200, 100, events);
    ASSERT_TRUE(other);
    TestTerminateProcess::KillProcess(host->pid, other->Handle());  // not the host's window
    TestTerminateProcess::KillProcess(host->pid, 0);
    EXPECT_FALSE(host->Ended(500));
    TestTerminateProcess::KillProcess(Memory::state.gHostPid, Memory::state.gHostWnd);
    EXPECT_TRUE(host->Ended(10000));
}

}  // namespace

// The host link against the simulated host running as a real second process (Windows, under
// Wine with a display). Every case starts its own simulated host and ends it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "platform/GameWindow.h"
#include "platform/win32/Win32Adapters.h"
#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"
#include "tests/support/VmTest.h"
#include "tools/simhost/SimHost.h"

namespace {

using namespace hostmap;
using namespace simhost::layout;
namespace menus = simhost::menus;

// The simulated host of this build.
std::string SimHostExe() {
    return platform::win32::Win32Environment().ProgramFolder() + "\\..\\tools\\simhost\\simhost.exe";
}

// A running simulated host, ended when it goes.
class SimHostRun {
public:
    SimHostRun(platform::ProcessPort& processes, const std::string& commandLine) : processes_(processes) {
        handle_ = processes_.Start(commandLine, &pid);
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

    // Starts a simulated host and waits for its window. A cap on its life, in case this program
    // dies before it can end it, goes first; args may give another.
    std::unique_ptr<SimHostRun> Start(const std::string& args = "") {
        return StartCommand('"' + SimHostExe() + "\" --lifetime 60000 " + args);
    }
    std::unique_ptr<SimHostRun> StartCommand(const std::string& commandLine) {
        auto run = std::make_unique<SimHostRun>(processes_, commandLine);
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

    // The game object's fields as the client reads them.
    Memory::Value<std::int32_t> GameLong(std::int32_t offset) {
        return Memory::ReadLong(qvrMod::GetGameBase() + offset);
    }
    Memory::Value<float> GameSingle(std::int32_t offset) {
        return Memory::ReadSingle(qvrMod::GetGameBase() + offset);
    }

    // Enter at the start entry. Returns true once the stage has started.
    bool StartTheStage() {
        qvrMod::PressEnter();
        return Until([] { return qvrMod::IsGameStateNotOne(); });
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
    auto host = Start("--texts-after 1500");
    EXPECT_EQ(qvrMod::GetMenuIndex(), 82);
    qvrMod::SetMenuItemA(10, 82, 4, 0, 0, 0, 0, 0, true);
    EXPECT_EQ(qvrMod::GetMenuIndex(), 10);
    Memory::Value<std::int32_t> entry = Memory::ReadLong(kMenuA + menu::kSelected);
    EXPECT_EQ(Memory::ReadLong(entry + menu::kEntryValueAgain), 4);
    EXPECT_EQ(Memory::ReadLong(entry + menu::kEntryStamp), kMenuAStamp);

    qvrMod::SetStageParams(41, 1, 2, 3, 0, 1, 2, 0, 0, "10O_N_hazy_partcloud");
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
    auto host = Start();
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

// The client's own host link walks the host's menus into the stage and reads its run: the start
// line at exactly 7.0, the splits with their checkpoint count, the finish with the finish time;
// the host keeps its window in front, and the routines the client patched set the flag cells.
TEST_F(WineHostTest, TheClientDrivesTheMenusIntoTheStageAndReadsItsRun) {
    auto host = Start("--texts-after 0 --stage 65.2,130.37,181.05 --speed 40 --routine-a 100 --routine-b 185");
    ASSERT_TRUE(HostInFront(*host));
    Memory::GetHostProcess();
    qvrMod::PatchHostMenus();
    const Memory::Address word = qvrMod::GetMenuBase() + menu::kWordA;
    Memory::WriteLong(word, 1);
    ASSERT_TRUE(Until([] { return qvrMod::GetMenuIndex() == menus::kCar; }));
    qvrMod::SetMenuItemA(menus::kCar, -1, 11, -1, 0, 0, 0, 0, false);
    qvrMod::PressEnterDown();
    ASSERT_TRUE(Until([] { return qvrMod::GetMenuIndex() == menus::kStageMenu; }));
    qvrMod::SetMenuItemA(menus::kClientStage, 82, 4, 0, 0, 0, 0, 0, true);
    ASSERT_TRUE(Until([] { return qvrMod::GetMenuIndex() == menus::kBeforeStart; }));  // the word is still 1
    Memory::WriteLong(word, 0);
    qvrMod::SetMenuItemA(menus::kStart, 82, 4, 0, 0, 0, 0, 0, true);
    ASSERT_TRUE(StartTheStage());

    ASSERT_TRUE(Until([&] { return GameSingle(game::kStageState) == simhost::kStartLineState; }));
    EXPECT_EQ(GameSingle(game::kStageClock), 0.0f);
    OtherWindow events;
    auto other = platform::GameWindow::Create("VmOtherWindow", "Other", 200, 100, events);
    ASSERT_TRUE(other);
    EXPECT_TRUE(other->BringToFront());
    EXPECT_TRUE(Until([] { return Memory::IsHostForeground(); }, 5000));
    other.reset();

    ASSERT_TRUE(Until([&] { return GameLong(game::kCheckpoints) == 1; }, 20000));
    EXPECT_EQ(GameSingle(game::kSplit1), 65.2f);
    EXPECT_GE(GameSingle(game::kStageClock), 65.2f);
    ASSERT_TRUE(Until([&] { return GameLong(game::kCheckpoints) == 2; }));
    EXPECT_EQ(GameSingle(game::kSplit2), 130.37f);
    EXPECT_TRUE(Until([] { return Memory::ReadLong(kFlagCellA) == 1; }));  // routine A ran at 100 s
    ASSERT_TRUE(Until([&] { return GameLong(game::kFinished) == 1; }));
    EXPECT_EQ(GameSingle(game::kStageClock), 181.05f);
    EXPECT_TRUE(qvrMod::IsGameStateNotOne());

    ASSERT_TRUE(Until([] { return Memory::ReadLong(kFlagCellB) == 1; }));
    qvrMod::CloseHost();  // what the client does on flag cell B
    EXPECT_TRUE(host->Ended(10000));
}

// The window closes at its moment during the stage, before the finish: a retirement. A routine
// whose store the host's memory does not allow leaves the host running.
TEST_F(WineHostTest, TheWindowClosesAtItsMomentDuringTheStage) {
    auto host = Start("--menu 10 --stage 65.2,130.37,181.05 --speed 40 --close-at 100 --routine-a 1");
    ASSERT_TRUE(HostInFront(*host));
    Memory::GetHostProcess();
    Memory::WriteHex(kRoutineA, kSetFlagA);  // its flag cell stays in the read-only header page
    ASSERT_TRUE(StartTheStage());

    ASSERT_TRUE(Until([&] { return GameLong(game::kCheckpoints) == 1; }, 20000));
    EXPECT_EQ(Memory::ReadLong(kFlagCellA), 0);
    bool finished = false;
    EXPECT_TRUE(Until([&] {
        finished |= GameLong(game::kFinished) == 1;
        return !Memory::IsHostRunning();
    }));
    EXPECT_FALSE(finished);
    EXPECT_TRUE(host->Ended(10000));
}

// Started without arguments, as the client starts the host, it takes them from the file beside it.
TEST_F(WineHostTest, StartedWithoutArgumentsItTakesThemFromTheFileBesideIt) {
    platform::win32::Win32FileSystem files;
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("vmsimhost-" + std::to_string(stamp))).string();
    ASSERT_EQ(files.CreateFolder(folder), platform::FsStatus::Ok);
    ASSERT_EQ(files.CopyFile(SimHostExe(), folder + "\\Kovarra_SSE.exe"), platform::FsStatus::Ok);
    ASSERT_EQ(files.WriteFile(folder + "\\simhost-args.txt", "--marker 8B\r\n--lifetime 20000\r\n"),
              platform::FsStatus::Ok);
    {
        auto host = StartCommand("\"" + folder + "\\Kovarra_SSE.exe\"");
        EXPECT_EQ(qvrMod::GetHostVersion(), 2);
    }
    EXPECT_EQ(files.DeleteFolder(folder, true), platform::FsStatus::Ok);
}

}  // namespace

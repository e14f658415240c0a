// The launch through the real shell: the simulated host, named as the host's executable in a host
// folder on the real (Wine) file system, reports the car list it finds through the relative path
// "Cars\Cars.ini", which it can only find when started in the host folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/win32/Win32Adapters.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "services/host/HostMap.h"

namespace vmtest {
namespace {

using vm::g;

class LaunchWin32Test : public ::testing::Test {
protected:
    LaunchWin32Test() : saved(platform::ports()) {
        vm::ResetProgramState();
        auto& p = platform::ports();
        p.fileSystem = &files;
        p.profile = &profile;
        p.shell = &shell;
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        host = (std::filesystem::temp_directory_path() / ("vmlaunch-" + std::to_string(stamp))).string();
        (void)files.CreateFolder(host);
        (void)files.CreateFolder(host + "\\Cars");
        simhost = environment.ProgramFolder() + "\\..\\tools\\simhost\\simhost.exe";
        _putenv_s("VM_SIMHOST_REPORT", (host + "\\start-report.txt").c_str());
    }
    ~LaunchWin32Test() override {
        CloseSimulatedHost();
        _putenv_s("VM_SIMHOST_REPORT", "");
        // The host's file stays busy until its process has ended.
        for (int i = 0; i < 50 && files.DeleteFolder(host, true) != platform::FsStatus::Ok; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        platform::ports() = saved;
        vm::ResetProgramState();
    }
    std::string WaitForReport() {
        std::string report = host + "\\start-report.txt";
        for (int i = 0; i < 300 && !files.FileExists(report); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return files.ReadFile(report).value_or("<no report>");
    }
    // Closes the simulated host the shell started, and waits for its process to end.
    void CloseSimulatedHost() {
        for (int i = 0; i < 100; ++i) {
            auto window = desktop.FindTopWindow(hostmap::kWindowClass);
            if (window == 0) return;
            platform::ScopedProcess process(
                processes, processes.Open(desktop.WindowProcessId(window), platform::kProcessSynchronize |
                                                                               platform::kProcessTerminate));
            desktop.Post(window, platform::kWmClose, 0, 0);
            if (process && !processes.WaitForExit(process.get(), 5000)) processes.Terminate(process.get(), 1);
        }
    }

    platform::Ports saved;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Profile profile;
    platform::win32::Win32Shell shell;
    platform::win32::Win32Environment environment;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32Processes processes;
    std::string host, simhost;
};

TEST_F(LaunchWin32Test, TheHostStartsInItsFolderAfterTheMenuCarIndexIsWritten) {
    ASSERT_EQ(files.CopyFile(simhost, host + "\\Kovarra_SSE.exe"), platform::FsStatus::Ok);
    g.gHostPath = host;
    g.gCar = 6;
    gFunc::LaunchHost();
    EXPECT_EQ(WaitForReport(), "[MENU_CAR_INDEX]\r\nINDEX=6\r\n");
}

TEST_F(LaunchWin32Test, OpenFileReportsTheShellsResult) {
    g.gHostPath = host;
    EXPECT_GT(ShellMod::OpenFile(simhost), 32);
    EXPECT_LE(ShellMod::OpenFile(host + "\\missing.exe"), 32);
    WaitForReport();
}

}  // namespace
}  // namespace vmtest

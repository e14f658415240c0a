// The launch through the real shell: a stand-in named as the host's executable, in a host
// folder on the real (Wine) file system, reports the working folder it was started in and the
// menu car index it found.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/AnsiText.h"
#include "platform/win32/Win32Adapters.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "services/ProgramState.h"

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
    }
    ~LaunchWin32Test() override {
        // The stand-in may still be ending; its file stays busy until it has.
        for (int i = 0; i < 50 && files.DeleteFolder(host, true) != platform::FsStatus::Ok; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        platform::ports() = saved;
        vm::ResetProgramState();
    }
    std::string WaitForReport() {
        std::string report = host + "\\launch-probe.txt";
        for (int i = 0; i < 300 && !files.FileExists(report); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return files.ReadFile(report).value_or("<no report>");
    }

    platform::Ports saved;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Profile profile;
    platform::win32::Win32Shell shell;
    platform::win32::Win32Environment environment;
    std::string host;
};

TEST_F(LaunchWin32Test, TheHostStartsInItsFolderAfterTheMenuCarIndexIsWritten) {
    ASSERT_EQ(files.CopyFile(environment.ProgramFolder() + "\\vm_launch_probe.exe", host + "\\Kovarra_SSE.exe"),
              platform::FsStatus::Ok);
    g.gHostPath = host;
    g.gCar = 6;
    gFunc::LaunchHost();
    std::string report = WaitForReport();
    auto lineEnd = report.find('\n');
    ASSERT_NE(lineEnd, std::string::npos) << report;
    EXPECT_TRUE(platform::EqualsNoCase(report.substr(0, lineEnd), host)) << report;
    EXPECT_EQ(report.substr(lineEnd + 1), "[MENU_CAR_INDEX]\r\nINDEX=6\r\n");
}

TEST_F(LaunchWin32Test, OpenFileReportsTheShellsResult) {
    g.gHostPath = host;
    EXPECT_GT(ShellMod::OpenFile(environment.ProgramFolder() + "\\vm_launch_probe.exe"), 32);
    EXPECT_LE(ShellMod::OpenFile(host + "\\missing.exe"), 32);
    WaitForReport();  // let the stand-in finish before its folder goes
}

}  // namespace
}  // namespace vmtest

// The host folder's start on real files, through the Win32 file system, profile and digest
// adapters (and the zip layer on them): two starts on the fixture, with this build's
// shifter.dll in the Plugins folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/Ports.h"
#include "platform/win32/Win32Adapters.h"
#include "plugins/PluginDigests.h"
#include "services/Globals.h"
#include "tests/preparation/InstallTestSupport.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

class InstallWin32Test : public VmTest {
protected:
    InstallWin32Test()
        : base((std::filesystem::temp_directory_path() /
                ("vminstall-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
                   .string()),
          fx(base) {
        auto& p = platform::ports();
        p.fileSystem = &files;
        p.profile = &profile;
        p.md5 = &md5;
        (void)files.CreateFolder(base);
    }
    ~InstallWin32Test() override { (void)files.DeleteFolder(base, true); }

    platform::win32::Win32FileSystem files;
    platform::win32::Win32Profile profile;
    platform::FileSystemMd5 md5{files};
    platform::win32::Win32Environment environment;
    std::string base;
    HostFixture fx;
};

TEST_F(InstallWin32Test, TwoStartsPrepareTheHostFolderAndKeepItsOriginals) {
    ASSERT_TRUE(vm::build::kPluginDigestsBuilt);
    fx.Build();
    ASSERT_EQ(files.CopyFile(environment.ProgramFolder() + "\\shifter.dll", fx.H("\\Plugins\\shifter.dll")),
              platform::FsStatus::Ok);
    fx.Choose({});
    Originals originals(fx, base + "\\scratch");
    const std::string ourShifter = Content(fx.H("\\Plugins\\shifter.dll"));

    for (int start = 1; start <= 2; ++start) {
        StartOutcome out = StartHost(vm::build::kShifterMd5);
        EXPECT_EQ(out.run, 1) << "start " << start;
        EXPECT_FALSE(out.plugins) << "start " << start << ": " << gFunc::Describe(*out.plugins);
        originals.ExpectRecoverable("start " + std::to_string(start));
    }

    auto package = ArchiveFiles(fx.H("\\physics.qvz"), base + "\\scratch");
    auto classFiles = fx.ClassPackageFiles(1);
    EXPECT_EQ(package["Physics/c_xsara/car.ini"], classFiles["Physics\\C4\\car.ini"]);
    EXPECT_EQ(package["Physics/c_xsara/setups/d_gravel.lsp"], classFiles["Physics\\C4\\setups\\d_tarmac.lsp"]);
    EXPECT_EQ(package.count("Physics/C4/car.ini"), 0u);
    EXPECT_FALSE(files.FolderExists(fx.H("\\Physics")));
    EXPECT_NE(Content(fx.H("\\Cars\\Cars.ini")).find("[Car00]\r\nfilename=\"Cars\\C4\\C4.sgc\"\r\n"), std::string::npos);
    EXPECT_EQ(Content(fx.H("\\Cars\\Cars_Ostrani.ini")), Content(fx.H("\\Cars\\Cars.ini")));
    // The profile writer under Wine drops the blank in front of a value, which readers trim anyway.
    std::string tracks = Content(fx.H("\\Maps\\Tracks.ini"));
    for (auto at = tracks.find("= "); at != std::string::npos; at = tracks.find("= ")) tracks.erase(at + 1, 1);
    EXPECT_EQ(tracks, "[Map12]\r\nTrackName=\"Maps\\track-16\"\r\nParticles=\"Maps\\ps_montblanc\"\r\n");

    // Our build's shifter stays; the case variant Z.DLL stays; foreign files go aside.
    EXPECT_EQ(Content(fx.H("\\Plugins\\shifter.dll")), ourShifter);
    EXPECT_EQ(Content(fx.H("\\Plugins\\Z.DLL")), "their Z");
    EXPECT_EQ(Content(fx.H("\\Plugins\\VLMK-BKP\\foreign.dll")), "foreign");
    EXPECT_FALSE(files.FileExists(fx.H("\\Plugins\\readme.txt")));
}

}  // namespace
}  // namespace vmtest

// The plug-in whitelist on the fixture's Plugins folder: listed, foreign and case-variant names,
// a shifter.dll of another build and of ours, older copies and a failure the caller sees.
#include <gtest/gtest.h>

#include "platform/AnsiText.h"
#include "platform/Md5.h"
#include "platform/Ports.h"
#include "preparation/Plugins.h"
#include "services/Globals.h"
#include "tests/support/HostFixture.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;
using Files = std::map<std::string, std::string>;

class PluginsTest : public VmTest {
protected:
    PluginsTest() {
        fx.Build();
        fx.Choose({});
    }
    std::string P(const std::string& name) const { return fx.H("\\Plugins\\") + name; }
    Files Plugins() { return TreeOf(os.files, fx.H("\\Plugins")); }

    HostFixture fx{"C:\\vm"};
};

TEST_F(PluginsTest, ForeignFilesAndAnotherBuildsShifterAreMovedAside) {
    // By default the digest of this build's shifter decides (none natively).
    EXPECT_EQ(gFunc::QuarantinePlugins(), std::nullopt);
    EXPECT_EQ(Plugins(), (Files{{"avviora.dll", "our avviora"},
                                {"light.dll", "their light"},
                                {"presets/", ""},
                                {"presets/p.ini", "a subfolder's file"},
                                {"qvr_rx.dll", "their rx"},
                                {"shifter.ini", "[Keys]\r\n"},
                                {"VLMK-BKP/", ""},
                                {"VLMK-BKP/foreign.dll", "foreign"},
                                {"VLMK-BKP/readme.txt", "foreign text"},
                                {"VLMK-BKP/shifter.dll", "a shifter of another build"},
                                {"Z.DLL", "their Z"}}));
}

TEST_F(PluginsTest, OurShifterIsKeptWhateverTheCaseOfItsName) {
    const std::string ours = "our shifter build";
    ASSERT_EQ(os.files.DeleteFile(P("shifter.dll"), true), platform::FsStatus::Ok);
    Put(P("Shifter.DLL"), ours);
    EXPECT_EQ(gFunc::QuarantinePlugins(platform::Md5Hex(ours)), std::nullopt);
    EXPECT_EQ(Get(P("Shifter.DLL")), ours);
    // The digest is compared as the build wrote it, in lower case.
    EXPECT_EQ(gFunc::QuarantinePlugins(platform::AnsiUpper(platform::Md5Hex(ours))), std::nullopt);
    EXPECT_EQ(Get(P("VLMK-BKP\\Shifter.DLL")), ours);
}

TEST_F(PluginsTest, OnlyListedFilesLeaveTheFolderAsItWasAndTheBackupFolderIsMade) {
    for (const char* name : {"foreign.dll", "readme.txt", "shifter.dll"})
        ASSERT_EQ(os.files.DeleteFile(P(name), true), platform::FsStatus::Ok);
    Files before = Plugins();
    EXPECT_EQ(gFunc::QuarantinePlugins(), std::nullopt);
    before["VLMK-BKP/"] = "";
    EXPECT_EQ(Plugins(), before);
}

TEST_F(PluginsTest, EachStartMovesAForeignFileAgainOverItsOlderCopy) {
    Put(P("VLMK-BKP\\foreign.dll"), "an older copy");
    EXPECT_EQ(gFunc::QuarantinePlugins(), std::nullopt);
    EXPECT_EQ(Get(P("VLMK-BKP\\foreign.dll")), "foreign");
    Put(P("foreign.dll"), "back again");
    EXPECT_EQ(gFunc::QuarantinePlugins(), std::nullopt);
    EXPECT_EQ(Get(P("VLMK-BKP\\foreign.dll")), "back again");
    EXPECT_FALSE(os.files.FileExists(P("foreign.dll")));
}

TEST_F(PluginsTest, AFailureReachesTheCallerAndLeavesTheLaterFilesInPlace) {
    Put(P("VLMK-BKP\\foreign.dll"), "an older copy, write-protected");
    ASSERT_EQ(os.files.SetAttributes(P("VLMK-BKP\\foreign.dll"), platform::kAttrReadOnly), platform::FsStatus::Ok);
    auto failure = gFunc::QuarantinePlugins();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->operation, "DeleteFile");
    EXPECT_EQ(failure->path, P("VLMK-BKP\\foreign.dll"));
    // The listing runs by name: foreign.dll stops it before readme.txt and shifter.dll.
    EXPECT_EQ(Get(P("foreign.dll")), "foreign");
    EXPECT_EQ(Get(P("readme.txt")), "foreign text");
    EXPECT_EQ(Get(P("shifter.dll")), "a shifter of another build");

    g.gHostPath.clear();
    failure = gFunc::QuarantinePlugins();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->operation, "host folder");
}

}  // namespace
}  // namespace vmtest

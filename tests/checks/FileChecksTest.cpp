// The data-file check list, digest checks, file dates and the host executable check.
#include <gtest/gtest.h>

#include <regex>

#include "catalogues/FileCheckList.h"
#include "plugins/PluginDigests.h"
#include "services/Globals.h"
#include "services/gCheck.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::fileCheckList;
using vm::g;

const char* kAbcMd5 = "900150983cd24fb0d6963f7d28e17f72";  // of "abc"
const std::string kBlankDigest(32, ' ');

class FileChecksTest : public VmTest {
protected:
    FileChecksTest() {
        g.gHostPath = "C:\\Kovarra";
        g.gWinDir = "C:\\WINDOWS";
    }
    bool IsDigest(const std::string& s) { return std::regex_match(s, std::regex("[0-9a-f]{32}")); }
};

TEST_F(FileChecksTest, NormalListTakesThePackagesFromTheSystemFolderWithDigests) {
    gFill::FillFileCheckList();
    EXPECT_EQ(fileCheckList[0].path, "") << "entry 0 is for testing mode only";
    for (int i = 1; i <= vm::kCheckScripts; ++i) {
        const auto& e = fileCheckList[i];
        EXPECT_EQ(e.status, "INIT") << i;
        if (i != vm::kCheckAvviora || vm::build::kPluginDigestsBuilt) {
            EXPECT_TRUE(IsDigest(e.md5)) << i << ": " << e.md5;
        }
        const char* folder = (i == vm::kCheckZPlugin || i == vm::kCheckAvviora) ? "C:\\Kovarra\\Plugins\\"
                                                                               : "C:\\WINDOWS\\system32\\";
        EXPECT_EQ(e.path.rfind(folder, 0), 0u) << i << ": " << e.path;
    }
    for (int i = vm::kCheckScripts + 1; i <= vm::kLastFileCheck; ++i) EXPECT_EQ(fileCheckList[i].path, "") << i;
    EXPECT_EQ(fileCheckList[1].path, "C:\\WINDOWS\\system32\\dx32v78.dll");
    EXPECT_EQ(fileCheckList[1].md5, "73045855654cbdea06c028479508ae55");
    EXPECT_EQ(fileCheckList[vm::kCheckZPlugin].path, "C:\\Kovarra\\Plugins\\Z.dll");
    EXPECT_EQ(fileCheckList[vm::kCheckAvviora].path, "C:\\Kovarra\\Plugins\\avviora.dll");
    EXPECT_EQ(fileCheckList[vm::kCheckAvviora].md5, vm::build::kAvvioraMd5) << "our own build's digest";
    for (int shared : {6, 8, 9}) {
        EXPECT_EQ(fileCheckList[shared].path, fileCheckList[2].path) << shared << " shares the N4 package";
        EXPECT_EQ(fileCheckList[shared].md5, fileCheckList[2].md5) << shared;
    }
}

TEST_F(FileChecksTest, TestingListTakesThePackagesFromTheHostFolderWithoutDigests) {
    g.gTestSwitch = true;
    gFill::FillFileCheckList();
    for (int i = 0; i <= vm::kCheckGravelMaterials; ++i) {
        EXPECT_EQ(fileCheckList[i].path.rfind("C:\\Kovarra\\", 0), 0u) << i << ": " << fileCheckList[i].path;
        EXPECT_EQ(fileCheckList[i].status, "") << i;
        EXPECT_EQ(fileCheckList[i].md5, "") << i;
    }
    EXPECT_EQ(fileCheckList[0].path, "C:\\Kovarra\\fisiche_OS.qvz");
    EXPECT_EQ(fileCheckList[vm::kCheckGravelMaterials].path, "C:\\Kovarra\\mat_g.zip");
    std::array<vm::FileCheck, 21> testing = fileCheckList;
    g.gTestSwitch = false;
    gFill::FillFileCheckList();
    const auto& normal = fileCheckList;
    for (int i : {vm::kCheckZPlugin, vm::kCheckAvviora, vm::kCheckScripts}) {
        EXPECT_EQ(testing[i].path, normal[i].path) << i;
        EXPECT_EQ(testing[i].md5, normal[i].md5) << i;
        EXPECT_EQ(testing[i].status, "INIT") << i;
    }
}

TEST_F(FileChecksTest, CheckFileListReportsEachEntryAndFailsOnAnyMismatch) {
    Put("C:\\data\\good.bin", "abc");
    Put("C:\\data\\bad.bin", "abd");
    std::array<vm::FileCheck, 21> list{};
    list[3] = {"C:\\data\\bad.bin", "INIT", kAbcMd5};
    list[5] = {"C:\\data\\good.bin", "INIT", "900150983CD24FB0D6963F7D28E17F72"};  // upper case never matches
    list[7] = {"C:\\data\\none.bin", "INIT", kAbcMd5};
    list[16] = {"C:\\data\\good.bin", "INIT", kAbcMd5};
    list[17] = {"C:\\data\\bad.bin", "INIT", kAbcMd5};  // not verified here
    EXPECT_EQ(gCheck::CheckFileList(list), gCheck::kListFailed);
    EXPECT_EQ(list[3].status, platform::Md5Hex("abd") + "error!");
    EXPECT_EQ(list[5].status, std::string(kAbcMd5) + "error!");
    EXPECT_EQ(list[7].status, kBlankDigest + "error!") << "a missing file matches nothing";
    EXPECT_EQ(list[16].status, "OK!");
    EXPECT_EQ(list[17].status, "INIT");

    g.gTestSwitch = true;  // the statuses still tell, but the list passes
    list[3].status = "INIT";
    EXPECT_EQ(gCheck::CheckFileList(list), gCheck::kListPassed);
    EXPECT_EQ(list[3].status, platform::Md5Hex("abd") + "error!");
}

TEST_F(FileChecksTest, CheckFileListPassesWhenEveryVerifiedEntryMatches) {
    std::array<vm::FileCheck, 21> list{};
    EXPECT_EQ(gCheck::CheckFileList(list), gCheck::kListPassed) << "no path: nothing to verify";
    Put("C:\\data\\good.bin", "abc");
    list[0] = list[16] = {"C:\\data\\good.bin", "INIT", kAbcMd5};
    EXPECT_EQ(gCheck::CheckFileList(list), gCheck::kListPassed);
    EXPECT_EQ(list[0].status, "OK!");
}

TEST_F(FileChecksTest, FileDateTextLeavesOutTheHourAndLeadingZeros) {
    struct Case {
        platform::LocalTime written;
        const char* text;
    };
    const Case cases[] = {
        /* 0 */ {{2007, 12, 1, 14, 5, 9}, "1/12/2007**5.9"},
        /* 1 */ {{2007, 12, 1, 15, 5, 9}, "1/12/2007**5.9"},
        /* 2 */ {{2010, 3, 28, 0, 40, 0}, "28/3/2010**40.0"},
    };
    for (const auto& c : cases) {
        Put("C:\\Kovarra\\physics.qvz", "p");
        ASSERT_TRUE(os.files.SetLastWriteTime("C:\\Kovarra\\physics.qvz", c.written));
        EXPECT_EQ(gCheck::GetFileDate("C:\\Kovarra\\physics.qvz").value_or("<none>"), c.text) << c.text;
    }
    EXPECT_FALSE(gCheck::GetFileDate("C:\\Kovarra\\none.qvz").has_value());
    EXPECT_TRUE(os.messageBox.shown.empty());
}

TEST_F(FileChecksTest, BlankFileNameForADateShowsTheMessage) {
    EXPECT_FALSE(gCheck::GetFileDate("   ").has_value());
    ASSERT_EQ(os.messageBox.shown.size(), 1u);
    EXPECT_EQ(os.messageBox.shown[0].text, "Non \xE8 stato selezionato nessun file");
    EXPECT_EQ(os.messageBox.shown[0].title, "Velomark");
    EXPECT_EQ(os.messageBox.shown[0].style, platform::kMsgOk);
}

TEST_F(FileChecksTest, PhysicsDateCheckNeedsTheSameDateOnBothSides) {
    const char* physics = "C:\\Kovarra\\physics.qvz";
    EXPECT_EQ(gCheck::CheckPhysicsDate(), 0) << "missing now and at the start: no match";
    Put(physics, "p");
    ASSERT_TRUE(os.files.SetLastWriteTime(physics, {2007, 12, 1, 14, 5, 9}));
    gCheck::vars.gPhysicsDate = gCheck::GetFileDate(physics);
    EXPECT_EQ(gCheck::CheckPhysicsDate(), 1);
    ASSERT_TRUE(os.files.SetLastWriteTime(physics, {2007, 12, 1, 14, 5, 10}));
    EXPECT_EQ(gCheck::CheckPhysicsDate(), 0);
    ASSERT_EQ(os.files.DeleteFile(physics, false), platform::FsStatus::Ok);
    EXPECT_EQ(gCheck::CheckPhysicsDate(), 0);
}

TEST_F(FileChecksTest, HostExeCheckLooksForTheSseExecutable) {
    EXPECT_EQ(gCheck::CheckHostExe(), 0);
    Put("C:\\Kovarra\\Kovarra.exe", "");
    EXPECT_EQ(gCheck::CheckHostExe(), 0);
    Put("C:\\Kovarra\\kovarra_sse.EXE", "");
    EXPECT_EQ(gCheck::CheckHostExe(), 1);
}

}  // namespace
}  // namespace vmtest

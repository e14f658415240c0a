#include <gtest/gtest.h>

#include <cstdlib>

#include "catalogues/CarTable.h"
#include "preparation/CarSkin.h"
#include "preparation/ResultRecord.h"
#include "preparation/Results.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

const char* kCarList = "C:\\Kovarra\\Cars\\Cars.ini";

class CarSkinTest : public VmTest {
protected:
    CarSkinTest() {
        g.gHostPath = "C:\\Kovarra";
        g.gCarCategory = 1;
        g.gCatCars[1].id = 41;
        car().skinsIni = "Cars\\Impreza\\skins.ini";
        Put("C:\\Kovarra\\Cars\\Impreza\\skins.ini", "[Skin3]\r\nCode=blue_wrc\r\n[Skin4]\r\n");
    }
    vm::CarEntry& car() { return vm::cars.carTable[41]; }
};

TEST_F(CarSkinTest, TheChosenSkinsNumberAndCode) {
    Put(kCarList, "[Skins]\r\nSkin41=3\r\n");
    gFunc::LoadCarSkin();
    EXPECT_EQ(car().skinNumber, 3);
    EXPECT_EQ(car().skinCode, "blue_wrc");
    EXPECT_EQ(g.gIniFile, "C:\\Kovarra\\Cars\\Impreza\\skins.ini");
}

TEST_F(CarSkinTest, NoUsableEntryIsTheDefaultSkin) {
    struct Case {
        int line;
        std::string carList;
    };
    const Case cases[] = {
        {__LINE__, "[Skins]\r\nSkin40=3\r\n"},   // no entry for this car
        {__LINE__, "[Skins]\r\nSkin41=\r\n"},    // an empty one
        {__LINE__, "[Skins]\r\nSkin41=red\r\n"}, // not a whole number
        {__LINE__, "[Skins]\r\nSkin41=2.5\r\n"},
    };
    for (const Case& c : cases) {
        car().skinNumber = 7;  // from an earlier lookup
        car().skinCode = "old";
        Put(kCarList, c.carList);
        gFunc::LoadCarSkin();
        EXPECT_EQ(car().skinNumber, 0) << "case at line " << c.line;
        EXPECT_EQ(car().skinCode, "") << "case at line " << c.line;
    }
}

TEST_F(CarSkinTest, AMissingCodeIsEmpty) {
    Put(kCarList, "[Skins]\r\nSkin41=4\r\n");
    gFunc::LoadCarSkin();
    EXPECT_EQ(car().skinNumber, 4);
    EXPECT_EQ(car().skinCode, "");
}

TEST_F(CarSkinTest, AClassOutsideTheTableUsesCarZero) {
    Put(kCarList, "[Skins]\r\nSkin0=2\r\n");
    g.gCarCategory = 11;
    gFunc::LoadCarSkin();
    EXPECT_EQ(vm::cars.carTable[0].skinNumber, 2);
}

// Each id outside the catalogue has a skin entry, but no car to set: the table stays as it was
// and no car's skin list is read. The loader runs in a child process, so that a write outside
// the table fails this check instead of the whole program.
TEST_F(CarSkinTest, AnIdOutsideTheCatalogueSetsNoCar) {
#ifdef _WIN32
    GTEST_SKIP() << "the child process would be a new program that leaves its scratch folder behind";
#endif
    Put(kCarList, "[Skins]\r\nSkin-1=4\r\nSkin1000=4\r\nSkin5000=4\r\n");
    const vm::CarCatalogue before = vm::cars;
    for (std::int32_t id : {-1, 1000, 5000}) {
        g.gCatCars[1].id = id;
        EXPECT_EXIT(
            {
                gFunc::LoadCarSkin();
                bool unchanged = g.gIniFile == kCarList;
                for (int i = 0; i < vm::kCarIds; ++i)
                    unchanged = unchanged && vm::cars.carTable[i].skinNumber == before.carTable[i].skinNumber &&
                                vm::cars.carTable[i].skinCode == before.carTable[i].skinCode;
                std::_Exit(unchanged ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << "id " << id;
    }
}

class ResultsTest : public VmTest {
protected:
    ResultsTest() {
        os.environment.programFolder = "C:\\Velomark";
        MakeFolders(os.files, "C:\\Velomark");
        os.clock.now = {2026, 12, 8, 7, 45, 12, 0};
        g.gDriverName = "Ari";
        g.gCarLabel = "[A8] Citro\xEBn Xsara";
    }
    // The one message box shown so far.
    void ExpectMessage(const std::string& text, const std::string& title, unsigned style) {
        ASSERT_EQ(os.messageBox.shown.size(), 1u);
        EXPECT_EQ(os.messageBox.shown[0].text, text);
        EXPECT_EQ(os.messageBox.shown[0].title, title);
        EXPECT_EQ(os.messageBox.shown[0].style, style);
    }
};

TEST_F(ResultsTest, UploadSendsStartThenFinishInOneAddress) {
    g.gUrlError = "http://127.0.0.1:8080/err.php?user=";
    g.gUrlLog = "http://127.0.0.1:8080/log.php?user=";
    (void)gFunc::BuildLogUrl(gFunc::kRecordStart, "pw", "Ari", "", 10, 0, 4, 55, 3, 0, 0, 0, 1, 2, 1, 1);
    (void)gFunc::BuildLogUrl(gFunc::kRecordFinish, "pw", "Ari", "03:01.05", 10, 0, 4, 55, 3, 0, 0, 0, 1, 2, 1, 1);
    os.webPanes.navigations.clear();
    gFunc::UploadStageTime();
    ASSERT_EQ(os.webPanes.navigations.size(), 1u);
    const auto& sent = os.webPanes.navigations[0];
    EXPECT_EQ(sent.pane, "wb");
    EXPECT_EQ(sent.address, qvrMod::upload.gErrUrlStart + qvrMod::upload.gErrUrlFinish);
    EXPECT_EQ(sent.address.rfind("http://127.0.0.1:8080/err.php?user=Ari&msg0=", 0), 0u);
    EXPECT_NE(sent.address.find("&pwd0=pw&msg2="), std::string::npos);
    EXPECT_EQ(sent.address.substr(sent.address.size() - 8), "&pwd2=pw");
    EXPECT_TRUE(os.messageBox.shown.empty());
}

TEST_F(ResultsTest, UploadRefusesWithoutBothRecords) {
    struct Case {
        const char* start;
        const char* finish;
    } cases[] = {
        /* 0 */ {"http://x/err.php?user=Ari&msg0=41&pwd0=pw", ""},  // a start, then a retirement
        /* 1 */ {"", "&msg2=43&pwd2=pw"},                           // a finish kept from an earlier stage
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        qvrMod::upload.gErrUrlStart = cases[i].start;
        qvrMod::upload.gErrUrlFinish = cases[i].finish;
        os.messageBox.shown.clear();
        gFunc::UploadStageTime();
        EXPECT_TRUE(os.webPanes.navigations.empty());
        ExpectMessage("Error! you haven't the correct logs", "Upload stage time",
                      platform::kMsgCritical | platform::kMsgOk);
    }
}

TEST_F(ResultsTest, TimesLogLayoutAndName) {
    gFunc::SaveTimesLog("Harwood Forest     [6100m]* s1[01:05.20] s2[02:10.37] end[03:01.05]|\r\n");
    EXPECT_EQ(Get("C:\\Velomark\\qvrLog_20261208_074512.txt"),
              "[driver]\r\nAri\r\n[A8] Citro\xEBn Xsara\r\n[log]\r\n\r\n"
              "Harwood Forest     [6100m]* s1[01:05.20] s2[02:10.37] end[03:01.05]|\r\n\r\n");
    ExpectMessage("File qvrLog_20261208_074512.txt saved!", "Saving times", platform::kMsgInformation | platform::kMsgOk);
}

TEST_F(ResultsTest, TimesLogOfTheSameSecondOverwritesAndAnEmptyBoxKeepsTheHeader) {
    gFunc::SaveTimesLog("first|\r\n");
    gFunc::SaveTimesLog("");
    EXPECT_EQ(Get("C:\\Velomark\\qvrLog_20261208_074512.txt"), "[driver]\r\nAri\r\n[A8] Citro\xEBn Xsara\r\n[log]\r\n\r\n\r\n");
}

TEST_F(ResultsTest, ATimesLogThatCannotBeWrittenIsNotReportedAsSaved) {
    Put("C:\\Velomark\\qvrLog_20261208_074512.txt", "kept");
    (void)os.files.SetAttributes("C:\\Velomark\\qvrLog_20261208_074512.txt", platform::kAttrReadOnly);
    gFunc::SaveTimesLog("x|\r\n");
    EXPECT_EQ(Get("C:\\Velomark\\qvrLog_20261208_074512.txt"), "kept");
    ExpectMessage("File qvrLog_20261208_074512.txt not saved!", "Saving times", platform::kMsgCritical | platform::kMsgOk);
}

TEST_F(ResultsTest, OpenUrlAsksTheShellWithTheFormAsOwnerAndIgnoresFailure) {
    os.shell.result = 2;  // no browser
    gFunc::OpenUrl(0x1234, "http://www.velomark-rally.net");
    platform::RecordingShell::Call open{0x1234, "open", "http://www.velomark-rally.net", "", "", platform::kShowNormal};
    EXPECT_EQ(os.shell.calls, std::vector<platform::RecordingShell::Call>{open});
    EXPECT_TRUE(os.messageBox.shown.empty());
}

}  // namespace
}  // namespace vmtest

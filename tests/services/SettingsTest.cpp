#include <gtest/gtest.h>

#include "services/Globals.h"
#include "services/ReadWrite.h"
#include "services/Settings.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

const char* kIni = "C:\\Velomark\\velomark.ini";

class SettingsTest : public VmTest {
protected:
    SettingsTest() {
        os.environment.programFolder = "C:\\Velomark";
        MakeFolders(os.files, "C:\\Velomark");
    }
    void DecimalSep(const std::string& sep) {
        os.registry.SetString(platform::RegRoot::CurrentUser, "Control Panel\\International", "sDecimal", sep);
    }
};

TEST_F(SettingsTest, MissingFileGivesTheDefaults) {
    os.registry.SetString(platform::RegRoot::LocalMachine, qvrMod::kHostInstallKey, "", "C:\\Kovarra");
    os.environment.variables["WINDIR"] = "C:\\WINNT";
    qvrMod::LoadSettings();
    EXPECT_EQ(g.gHostPath, "C:\\Kovarra");
    EXPECT_EQ(g.gWinDir, "C:\\WINNT");  // SystemRoot empty
    EXPECT_EQ(g.gStageId, 10);
    EXPECT_EQ(g.gCountry, 0);
    EXPECT_EQ(g.gDriverName, "Driver");
    EXPECT_EQ(g.gDriverPwd, "");
    EXPECT_EQ(g.gStepCam, 0);
    EXPECT_EQ(g.gWebBase, qvrMod::kLiveWebBase);
    EXPECT_EQ(g.gUrlRank, std::string(qvrMod::kLiveWebBase) + "/rank.php?user=");
    EXPECT_EQ(g.gPhysicsBkpFile, "C:\\Kovarra\\physics_bkp_by_Velomark.qvz");
    EXPECT_EQ(g.gPhysicsBkpDir, "C:\\Kovarra\\physics_bkp_by_Velomark");
    EXPECT_EQ(g.gScriptsBkpFile, "C:\\Kovarra\\scripts_bkp_by_Velomark.qvz");
    EXPECT_EQ(g.gScriptsBkpDir, "C:\\Kovarra\\scripts_bkp_by_Velomark");
    EXPECT_EQ(g.gIniFile, kIni);
    EXPECT_EQ(Get(kIni), "<missing>");  // loading writes nothing
}

TEST_F(SettingsTest, LoadsEveryKey) {
    os.environment.variables["SystemRoot"] = "C:\\Windows";
    os.environment.variables["WINDIR"] = "C:\\Other";
    std::string game = "[GAME]\r\nCOUNTRY=3\r\nSTAGE=7\r\nWEATHER=1\r\nCAR=5\r\nDAMAGE=2\r\nSTAGEID=41\r\n"
                       "TYRE_TYPE=1\r\nTYRE=4\r\nSTEP_CAM=0.5\r\n";
    for (int k = 1; k <= 10; ++k)
        game += "CAR" + std::to_string(k) + "=" + std::to_string(k % 8) + "\r\nCAR" + std::to_string(k) + "_p=" +
                std::to_string(100 + k) + "\r\n";
    Put(kIni, "[MAIN]\r\nW=http://127.0.0.1:8080\r\nNAME=Ari\r\nPWD=p&w d\r\n" + game);
    qvrMod::LoadSettings();
    EXPECT_EQ(g.gWinDir, "C:\\Windows");
    EXPECT_EQ(g.gCountry, 3);
    EXPECT_EQ(g.gStage, 7);
    EXPECT_EQ(g.gWeather, 1);
    EXPECT_EQ(g.gCar, 5);
    EXPECT_EQ(g.gDamage, 2);
    EXPECT_EQ(g.gStageId, 41);
    EXPECT_EQ(g.gTyreType, 1);
    EXPECT_EQ(g.gTyre, 4);
    EXPECT_EQ(g.gStepCam, 0.5);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(g.gCatCars[k].slot, k % 8);
        EXPECT_EQ(g.gCatCars[k].id, 100 + k);
    }
    EXPECT_EQ(g.gDriverName, "Ari");
    EXPECT_EQ(g.gDriverPwd, "p&w d");
    EXPECT_EQ(g.gUrlHotLaps, "http://127.0.0.1:8080/HotLaps/");
    EXPECT_EQ(g.gUrlTime, "http://127.0.0.1:8080/ora.php");
    EXPECT_EQ(g.gUrlRoadbook, "http://127.0.0.1:8080/roadbook/qvr-race.ini");
    EXPECT_EQ(g.gUrlDriver, "http://127.0.0.1:8080/driver.php?driver=");
    EXPECT_EQ(g.gUrlLog, "http://127.0.0.1:8080/log.php?user=");
    EXPECT_EQ(g.gUrlCarImage, "http://127.0.0.1:8080/img_car.php?driver=");
    EXPECT_EQ(g.gUrlError, "http://127.0.0.1:8080/err.php?user=");
}

TEST_F(SettingsTest, StageIdZeroOrMissingBecomesTen) {
    for (const char* content : {"[GAME]\r\nSTAGEID=0\r\n", "[GAME]\r\nCOUNTRY=1\r\n"}) {
        SCOPED_TRACE(content);
        vm::ResetProgramState();
        Put(kIni, content);
        qvrMod::LoadSettings();
        EXPECT_EQ(g.gStageId, 10);
    }
}

TEST_F(SettingsTest, BadNumberKeepsItsValueAndLaterKeysAreRead) {
    Put(kIni, "[GAME]\r\nCOUNTRY=abc\r\nSTAGE=4\r\nTYRE=70000\r\n");
    g.gCountry = 2;
    g.gTyre = 3;
    qvrMod::LoadSettings();
    EXPECT_EQ(g.gCountry, 2);
    EXPECT_EQ(g.gStage, 4);
    EXPECT_EQ(g.gTyre, 3);  // out of 16-bit range
}

TEST_F(SettingsTest, StepCamUsesAPointWhateverTheRegionalSeparator) {
    for (const char* sep : {".", ",", ""}) {
        SCOPED_TRACE(std::string("separator '") + sep + "'");
        vm::ResetProgramState();
        DecimalSep(sep);
        Put(kIni, "[GAME]\r\nSTEP_CAM=0.25\r\n");
        qvrMod::LoadSettings();
        EXPECT_EQ(g.gStepCam, 0.25);
        qvrMod::SaveSettings();
        EXPECT_NE(Get(kIni).find("STEP_CAM=0.25\r\n"), std::string::npos);
    }
}

TEST_F(SettingsTest, SettingsFileFollowsTheProgramFolder) {
    struct Case {
        const char* folder;
        const char* file;
    } cases[] = {{"C:\\", "C:\\velomark.ini"}, {"D:\\", "D:\\velomark.ini"}, {"C:\\Games", "C:\\Games\\velomark.ini"}};
    for (const auto& c : cases) {
        os.environment.programFolder = c.folder;
        EXPECT_EQ(qvrMod::ProgramFile("velomark.ini"), c.file);
    }
}

TEST_F(SettingsTest, SaveWritesEveryKeyButTheWebBase) {
    Put(kIni, "[MAIN]\r\nW=http://example.test\r\n");
    qvrMod::LoadSettings();
    g.gDriverName = "";
    g.gDriverPwd = "secret";
    g.gCountry = 1;
    g.gStage = 2;
    g.gWeather = 1;
    g.gCar = 6;
    g.gCatCars[3] = {2, 42};
    g.gDamage = 3;
    g.gStageId = 16;
    g.gTyre = 2;
    g.gTyreType = 1;
    g.gStepCam = 1.5;
    qvrMod::SaveSettings();
    EXPECT_EQ(g.gDriverName, "Driver");  // the file keeps the empty name
    std::string expected = "[MAIN]\r\nW=http://example.test\r\nNAME=\r\nPWD=secret\r\n[GAME]\r\nCOUNTRY=1\r\nSTAGE=2\r\n"
                           "WEATHER=1\r\nCAR=6\r\n";
    for (int k = 1; k <= 10; ++k) expected += "CAR" + std::to_string(k) + (k == 3 ? "=2\r\n" : "=0\r\n");
    for (int k = 1; k <= 10; ++k) expected += "CAR" + std::to_string(k) + (k == 3 ? "_p=42\r\n" : "_p=0\r\n");
    expected += "DAMAGE=3\r\nSTAGEID=16\r\nTYRE=2\r\nTYRE_TYPE=1\r\nSTEP_CAM=1.5\r\n";
    EXPECT_EQ(Get(kIni), expected);

    vm::ResetProgramState();
    qvrMod::LoadSettings();  // and it loads back
    EXPECT_EQ(g.gDriverName, "Driver");
    EXPECT_EQ(g.gCatCars[3].id, 42);
    EXPECT_EQ(g.gStepCam, 1.5);
}

TEST_F(SettingsTest, WriteRefusesMoreThan255Characters) {
    g.gIniFile = kIni;
    ASSERT_EQ(ReadWrite::WriteINI("MAIN", "NAME", "first"), 1);
    EXPECT_EQ(ReadWrite::WriteINI("MAIN", "NAME", std::string(256, 'n')), -1);
    EXPECT_EQ(ReadWrite::WriteINI("MAIN", std::string(256, 'k'), "v"), -1);
    ASSERT_EQ(os.messageBox.shown.size(), 2u);
    EXPECT_EQ(os.messageBox.shown[0].text, "Can't write more than 255 characters for key or value.");
    EXPECT_EQ(os.messageBox.shown[0].title, "Velomark");
    EXPECT_EQ(os.messageBox.shown[0].style, platform::kMsgOk);
    EXPECT_EQ(ReadWrite::ReadINI("MAIN", "NAME"), "first");
    EXPECT_EQ(ReadWrite::WriteINI("MAIN", "NAME", std::string(255, 'n')), 1);
    EXPECT_EQ(ReadWrite::ReadINI("MAIN", "NAME"), std::string(254, 'n'));  // reads stop at 254
}

}  // namespace
}  // namespace vmtest

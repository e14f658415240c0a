#include <gtest/gtest.h>

#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

const char* kHostIni = "C:\\Kovarra\\Kovarra.ini";
const char* kGhost = "C:\\Kovarra\\Cars\\GhostCarSettings.ini";
const char* kAudio = "C:\\Kovarra\\audio.ini";
const char* kCars = "C:\\Kovarra\\Cars\\cars.ini";

// A host folder whose Kovarra.ini is read-only, whose Cars folder lacks GhostCarSettings.ini,
// and which has no audio.ini.
class HostSettingsTest : public VmTest {
protected:
    HostSettingsTest() {
        os.environment.programFolder = "C:\\Velomark";
        g.gHostPath = "C:\\Kovarra";
        FreshHostFolder();
    }
    void FreshHostFolder() {
        (void)os.files.DeleteFolder("C:\\Kovarra", true);
        Put(kHostIni, "[Settings]\r\nRunIntro=true\r\nFullscreen=false\r\nXRes=1024\r\n");
        Put(kCars, "[MENU_CAR_INDEX]\r\nINDEX=2\r\n");
        (void)os.files.SetAttributes(kHostIni, platform::kAttrReadOnly);
    }
};

TEST_F(HostSettingsTest, DefaultsAreWrittenIntoReadOnlyAndMissingFiles) {
    struct Case {
        bool testSwitch;
        const char* hostIni;
    } cases[] = {
        /* 0 */ {false, "[Settings]\r\nRunIntro=false\r\nFullscreen=true\r\nXRes=1024\r\n"},
        /* 1 */ {true, "[Settings]\r\nRunIntro=false\r\nFullscreen=false\r\nXRes=1024\r\n"},  // as the host had it
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        FreshHostFolder();
        g.gTestSwitch = cases[i].testSwitch;
        gFunc::WriteHostDefaults(false);
        EXPECT_EQ(Get(kHostIni), cases[i].hostIni) << "case " << i;
        EXPECT_EQ(Get(kGhost), "[Settings]\r\nMaxOpacity=0.0\r\n") << "case " << i;
        EXPECT_EQ(Get(kAudio), "[OPTIONS::SOUNDS]\r\nNumberChannels=8\r\n") << "case " << i;
        EXPECT_EQ(g.gIniFile, kAudio) << "case " << i;
    }
}

TEST_F(HostSettingsTest, EachProgressCodeReplacesTheLastInAReadOnlyFile) {
    g.gIniFile = "C:\\Velomark\\velomark.ini";
    gFunc::SetHostDebugCode("10");
    (void)os.files.SetAttributes(kHostIni, platform::kAttrReadOnly);
    gFunc::SetHostDebugCode("124");
    EXPECT_EQ(Get(kHostIni), "[Settings]\r\nRunIntro=true\r\nFullscreen=false\r\nXRes=1024\r\n[Velomark]\r\nDebug=124\r\n");
    EXPECT_EQ(g.gIniFile, "C:\\Velomark\\velomark.ini");
}

TEST_F(HostSettingsTest, HostFilesStayInTheHostFolderWhenTheClientRunsFromADriveRoot) {
    os.environment.programFolder = "C:\\";
    gFunc::SetHostDebugCode("20");
    gFunc::WriteHostDefaults(false);
    EXPECT_EQ(Get(kAudio), "[OPTIONS::SOUNDS]\r\nNumberChannels=8\r\n");
    EXPECT_EQ(Get(kGhost), "[Settings]\r\nMaxOpacity=0.0\r\n");
    EXPECT_NE(Get(kHostIni).find("Debug=20"), std::string::npos);
    EXPECT_FALSE(os.files.FileExists("C:\\KovarraKovarra.ini"));
    EXPECT_FALSE(os.files.FileExists("C:\\Kovarraaudio.ini"));
}

TEST_F(HostSettingsTest, LaunchWritesTheMenuCarIndexBeforeOpeningTheHost) {
    std::vector<std::string> carsAtOpen;
    os.shell.onExecute = [&](const platform::RecordingShell::Call&) { carsAtOpen.push_back(Get(kCars)); };
    g.gCar = 5;
    gFunc::LaunchHost();
    gFunc::LaunchHost();  // written anew, also when unchanged
    ASSERT_EQ(carsAtOpen.size(), 2u);
    EXPECT_EQ(carsAtOpen[0], "[MENU_CAR_INDEX]\r\nINDEX=5\r\n");
    EXPECT_EQ(carsAtOpen[1], "[MENU_CAR_INDEX]\r\nINDEX=5\r\n");
    EXPECT_EQ(g.gIniFile, kCars);
    platform::RecordingShell::Call open{platform::kDesktopOwner, "Open", "C:\\Kovarra\\Kovarra_SSE.exe", "",
                                        "C:\\Kovarra", platform::kShowNormal};
    EXPECT_EQ(os.shell.calls, (std::vector<platform::RecordingShell::Call>{open, open}));
}

}  // namespace
}  // namespace vmtest

// The start button on a built host folder: the steps and their progress codes, the failures
// that stop a start, the buttons an event start leaves, the replay modes and hot-lap mode.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "catalogues/FileCheckList.h"
#include "client/Colors.h"
#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "preparation/ResultRecord.h"
#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "services/StageState.h"
#include "services/gCheck.h"
#include "tests/client/FlowTest.h"
#include "tests/support/FaultyFileSystem.h"

namespace vmtest {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using vm::g;
using vm::stage;

class StartTest : public FlowTest {
protected:
    StartTest() {
        PrepareHostFolder();
        g.gHostFullscreen = "true";
        g.gHostDepth = 32;
        g.gHostXRes = 1024;
        g.gHostYRes = 768;
    }
    // The progress codes of the start itself, without the installation run's own.
    std::vector<std::string> StartCodes() const {
        std::vector<std::string> out;
        for (const auto& c : codes.codes)
            if (c.size() == 2) out.push_back(c);
        return out;
    }
    // The host was opened this many times.
    std::size_t Launches() const { return os.shell.calls.size(); }
    std::string HostSettings() { return Get(fx.H("\\Kovarra.ini")); }
    std::string TexturesInPlace() const { return fx.H("\\Maps\\track-16_O_textures"); }
};

TEST_F(StartTest, EachStepIsAnnouncedAndTheHostIsOpened) {
    g.gHumid = 5;
    g.gWear = 2;
    g.gMenuStarted = 1;
    stage.gSplit1Text = " s1[01:00.00]";
    stage.gSplit2Text = " s2[02:00.00]";
    stage.gWeatherMark = "*";
    stage.gRetired = true;
    g.gStagePhase = 0;
    qvrMod::upload.gErrUrlStart = "kept start";
    qvrMod::upload.gErrUrlFinish = "kept finish";
    std::vector<std::string> installCodes;
    codes.onCode = [&](const std::string& code) {
        if (code.size() == 3) installCodes.push_back(StartCodes().back() + ">" + code);
    };

    w.cmdStart.Press();

    EXPECT_THAT(StartCodes(), ElementsAre("10", "20", "30", "40", "50", "60", "70", "80"));
    ASSERT_FALSE(installCodes.empty());
    EXPECT_EQ(installCodes.front(), "40>100");  // the installation run's codes lie between 40 and 50
    ASSERT_EQ(Launches(), 1u);
    EXPECT_EQ(os.shell.calls[0].file, fx.H("\\Kovarra_SSE.exe"));
    EXPECT_EQ(os.shell.calls[0].folder, fx.host());
    EXPECT_THAT(Get(fx.H("\\Cars\\Cars.ini")), HasSubstr("[MENU_CAR_INDEX]\r\nINDEX=0\r\n"));
    // The saved display settings went back into the host's settings before the start.
    EXPECT_THAT(HostSettings(), HasSubstr("Depth=32\r\nXRes=1024\r\nYRes=768\r\n"));
    EXPECT_THAT(RunLog(), HasSubstr("\r\nStart The Game\r\n"));

    EXPECT_EQ(g.gHumid, 0);  // outside 0..2
    EXPECT_EQ(g.gWear, 2);
    EXPECT_EQ(g.gMenuStarted, 0);
    EXPECT_EQ(g.gStagePhase, 1);
    EXPECT_FALSE(stage.gRetired);
    EXPECT_TRUE(stage.gResultPending);
    EXPECT_EQ(gCheck::vars.gPhysicsDate, gCheck::GetFileDate(fx.H("\\physics.qvz")));
    // Nothing of an earlier stage is shown with the next one's line.
    EXPECT_EQ(stage.gSplit1Text + stage.gSplit2Text + stage.gWeatherMark, "");
    EXPECT_EQ(qvrMod::upload.gErrUrlStart + qvrMod::upload.gErrUrlFinish, "");
    EXPECT_TRUE(w.cmdStart.Enabled());  // free practice leaves the buttons
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StartTest, AFailedDataFileCheckEndsTheProgramWithTheFoldersBackAndTheChoicesSaved) {
    w.cmdStart.Press();
    ASSERT_TRUE(os.files.FolderExists(TexturesInPlace()));  // the tarmac variant was moved in
    vm::fileCheckList[1].md5 = std::string(32, '0');
    g.gCountry = 4;
    codes.codes.clear();

    EXPECT_THROW(w.cmdStart.Press(), platform::ProgramExit);

    EXPECT_THAT(Messages(), ElementsAre("Error|16|Error found in the Velomark utility. Please reinstall!"));
    EXPECT_THAT(StartCodes(), ElementsAre("10", "20"));
    EXPECT_EQ(Launches(), 1u);
    EXPECT_FALSE(os.files.FolderExists(TexturesInPlace()));
    EXPECT_TRUE(os.files.FolderExists(TexturesInPlace() + "_VLMK_T"));
    EXPECT_THAT(Get("C:\\Velomark\\velomark.ini"), HasSubstr("COUNTRY=4\r\n"));
    EXPECT_THAT(RunLog(), testing::Not(HasSubstr("END")));
}

TEST_F(StartTest, InTestingModeADigestMismatchDoesNotStopTheStart) {
    g.gTestSwitch = true;
    vm::fileCheckList[1].md5 = std::string(32, '0');
    w.cmdStart.Press();
    EXPECT_EQ(Launches(), 1u);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StartTest, AFailedInstallationRunLeavesTheHostClosedAndTheButtonsAsTheyWere) {
    Event(3, 1);
    // The scripts package is not among the files the check verifies.
    ASSERT_EQ(os.files.DeleteFile(vm::fileCheckList[vm::kCheckScripts].path, true), platform::FsStatus::Ok);
    stage.gStageEnded = true;
    w.cmdSS[2].SetEnabled(false);

    w.cmdStart.Press();

    EXPECT_THAT(Messages(), ElementsAre("Error|16|Error found in the Velomark utility. nRes = 0"));
    EXPECT_EQ(StartCodes().back(), "40");
    EXPECT_EQ(Launches(), 0u);
    EXPECT_TRUE(w.cmdStart.Enabled());
    EXPECT_FALSE(w.cmdSS[2].Enabled());
    EXPECT_FALSE(stage.gResultPending);
    EXPECT_FALSE(stage.gStageEnded);  // cleared before the run
}

// Ports that throw, as one may (out of memory, say), in a step after the installation run: a
// profile on writing one key, a file system on listing one folder.
class ThrowingProfile : public platform::ProfilePort {
public:
    ThrowingProfile(platform::ProfilePort& inner, std::string key) : inner_(inner), key_(std::move(key)) {}
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buf, std::uint32_t size,
                            const std::string& file) override {
        return inner_.GetString(section, key, def, buf, size, file);
    }
    bool WriteString(const char* section, const char* key, const char* value, const std::string& file) override {
        if (key && key_ == key) throw std::runtime_error("cannot write " + key_);
        return inner_.WriteString(section, key, value, file);
    }

private:
    platform::ProfilePort& inner_;
    std::string key_;
};

class ThrowingListing : public FaultyFileSystem {
public:
    ThrowingListing(platform::FileSystemPort& inner, std::string folder)
        : FaultyFileSystem(inner), folder_(std::move(folder)) {}
    std::optional<std::vector<platform::DirEntry>> List(const std::string& folder) override {
        if (platform::EqualsNoCase(folder, folder_)) throw std::runtime_error("cannot list " + folder_);
        return FaultyFileSystem::List(folder);
    }

private:
    std::string folder_;
};

// A failure of the host's settings, the plug-in sorting or the launch, refused or thrown, names
// its step, leaves the host closed and the controls as before the start, and the driver can
// start again.
TEST_F(StartTest, AHostSettingsPluginOrLaunchFailureNamesItsStepAndTheDriverCanStartAgain) {
    const std::string blocking = fx.H("\\Plugins\\VLMK-BKP");
    ThrowingProfile defaultsWriteThrows(codes, "MaxOpacity"), carIndexWriteThrows(codes, "INDEX");
    ThrowingListing pluginsListingThrows(os.files, fx.H("\\Plugins"));
    auto install = [](platform::ProfilePort* profile, platform::FileSystemPort* files) {
        return [=] {
            platform::ports().profile = profile;
            platform::ports().fileSystem = files;
        };
    };
    struct Case {
        int line;
        const char* code;
        std::function<void()> breakIt, mendIt;
    } cases[] = {
        {__LINE__, "70", [&] { Put(blocking, "a file in the folder's place"); },
         [&] { (void)os.files.DeleteFile(blocking, true); }},
        {__LINE__, "80", [&] { os.shell.result = 2; }, [&] { os.shell.result = 42; }},
        {__LINE__, "60", install(&defaultsWriteThrows, &os.files), install(&codes, &os.files)},
        {__LINE__, "70", install(&codes, &pluginsListingThrows), install(&codes, &os.files)},
        {__LINE__, "80", install(&carIndexWriteThrows, &os.files), install(&codes, &os.files)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        Event(3, 1);
        w.laCurrentStage.SetCaption("SS1");
        w.cmdStart.SetEnabled(true);
        w.cmdSS[2].SetEnabled(false);
        w.cmdSS[2].SetBackcolor(client::kPlain);
        w.cmdSetup.SetEnabled(true);
        os.messageBox.shown.clear();
        codes.codes.clear();
        stage.gResultPending = false;
        c.breakIt();

        w.cmdStart.Press();

        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_THAT(Messages()[0], HasSubstr(std::string("Error|16|Error found in the Velomark utility. Step ") + c.code + ": "));
        EXPECT_EQ(StartCodes().back(), c.code);
        EXPECT_EQ(w.laCurrentStage.Caption(), "SS1");
        EXPECT_TRUE(w.cmdStart.Enabled());
        EXPECT_TRUE(w.cmdSetup.Enabled());
        EXPECT_FALSE(w.cmdSS[2].Enabled());
        EXPECT_EQ(w.cmdSS[2].Backcolor(), client::kPlain);
        EXPECT_FALSE(stage.gResultPending);
        EXPECT_THAT(RunLog(), HasSubstr("Start failed at step " + std::string(c.code)));

        c.mendIt();
        w.cmdStart.Press();
        EXPECT_EQ(StartCodes().back(), "80");
        EXPECT_TRUE(stage.gResultPending);
        EXPECT_FALSE(w.cmdStart.Enabled());
        EXPECT_TRUE(w.cmdSS[2].Enabled());
        os.shell.calls.clear();
    }
}

TEST_F(StartTest, AnEventStartArmsTheNextSSOnly) {
    struct Case {
        int line;
        int current, count;
        bool service, testing;
        bool nextArmed;
        bool tyresSetupRepair;  // enabled after the start; all three were enabled before
    } cases[] = {
        {__LINE__, 1, 3, true, false, true, true},
        {__LINE__, 1, 3, false, false, true, false},
        {__LINE__, 1, 3, false, true, true, true},   // testing mode keeps them
        {__LINE__, 2, 3, true, true, true, true},
        {__LINE__, 3, 3, false, false, false, true},  // the last stage: no button is touched
        {__LINE__, 0, 3, false, false, true, false},  // no stage picked yet: the first is next
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        gFunc::rb.gRoadbookService = {};
        w.cmdSS.ForEach([](int, ui::PushButton& b) { b.SetEnabled(false); });
        Event(c.count, c.current, c.service ? std::vector<int>{c.current + 1} : std::vector<int>{});
        g.gTestSwitch = c.testing;
        for (ui::Component* b : std::initializer_list<ui::Component*>{&w.cmbTyre, &w.cmdSetup, &w.cmdRepair, &w.cmdStart})
            b->SetEnabled(true);

        w.cmdStart.Press();

        ASSERT_EQ(Launches(), 1u);
        EXPECT_EQ(w.laCurrentStage.Caption(), "Select SS!!");
        EXPECT_EQ(w.laCurrentStage.BackColor(), 0x0000FFu);
        EXPECT_EQ(w.laCurrentStage.ForeColor(), 0u);
        EXPECT_FALSE(w.cmdStart.Enabled());
        for (int n = 1; n <= 20; ++n) {
            const bool armed = c.nextArmed && n == c.current + 1;
            EXPECT_EQ(w.cmdSS[n].Enabled(), armed) << n;
            if (armed) {
                EXPECT_EQ(w.cmdSS[n].Backcolor(), client::kChosen);
                EXPECT_EQ(w.cmdSS[n].Backover(), client::kPlainOver);
            }
        }
        for (ui::Component* b : std::initializer_list<ui::Component*>{&w.cmbTyre, &w.cmdSetup, &w.cmdRepair})
            EXPECT_EQ(b->Enabled(), c.tyresSetupRepair) << b->Name();
        os.shell.calls.clear();
    }
}

// Each replay item writes its display mode, starts the host with the host timers off; the next
// normal start writes the saved display settings back and switches them on. Outside testing
// mode too, where a normal start forces full screen, a windowed replay starts windowed.
TEST_F(StartTest, AReplayStartsInItsDisplayModeWithTheHostTimersOff) {
    struct Case {
        int line;
        int k;
        const char* settings;
    } cases[] = {
        {__LINE__, 0, "Fullscreen=true\r\nDepth=16\r\nXRes=640\r\nYRes=480\r\n"},
        {__LINE__, 7, "Fullscreen=true\r\nDepth=32\r\nXRes=1280\r\nYRes=1024\r\n"},
        {__LINE__, 9, "Fullscreen=false\r\nDepth=16\r\nXRes=800\r\nYRes=600\r\n"},
        {__LINE__, 10, "Fullscreen=false\r\nDepth=16\r\nXRes=1024\r\nYRes=768\r\n"},
        {__LINE__, 15, "Fullscreen=false\r\nDepth=32\r\nXRes=1280\r\nYRes=1024\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        os.shell.calls.clear();
        w.R[c.k].Press();
        EXPECT_EQ(Launches(), 1u);
        EXPECT_THAT(HostSettings(), HasSubstr(c.settings));
        EXPECT_FALSE(w.tMain.Running() || w.mnuTimer.Running() || w.pTimer.Running());
        EXPECT_TRUE(w.tOra.Scheduled());
        EXPECT_FALSE(stage.gReplayFlag);
    }
    // The host runs unwatched: no timer of the host acts on it.
    StartHost();
    const std::size_t writes = os.processes.journal.size();
    RunFor(3000);
    EXPECT_EQ(os.processes.journal.size(), writes);
    EXPECT_FALSE(stage.gHostRunning);
    EndHost();

    w.cmdStart.Press();
    EXPECT_THAT(HostSettings(), HasSubstr("Fullscreen=true\r\nDepth=32\r\nXRes=1024\r\nYRes=768\r\n"));
    EXPECT_TRUE(w.tMain.Scheduled() && w.mnuTimer.Scheduled() && w.pTimer.Scheduled());
}

// A display number that the set-up could not read is no setting of the host's: after a replay
// the next start takes the key away again instead of writing a size of 0.
TEST_F(StartTest, DisplayNumbersTheSetUpCouldNotReadAreNotWrittenBack) {
    g.gTestSwitch = true;
    g.gHostXRes = 0;
    g.gHostYRes = 0;
    w.R[9].Press();
    EXPECT_THAT(HostSettings(), HasSubstr("XRes=800\r\nYRes=600\r\n"));
    w.cmdStart.Press();
    EXPECT_THAT(HostSettings(), HasSubstr("Fullscreen=true\r\nDepth=32\r\n"));
    EXPECT_THAT(HostSettings(), testing::Not(HasSubstr("XRes")));
    EXPECT_THAT(HostSettings(), testing::Not(HasSubstr("YRes")));
}

TEST_F(StartTest, HotLapModeGoesOnAndOffByItsMenuItem) {
    w.laRally.SetCaption("TESTING ZONE...");
    w.wb.SetVisible(false);
    w.wb.SetBounds({56, 40, 100, 100});
    w.Resized(800, 600);
    w.HotLap.Press();
    EXPECT_EQ(w.wb.Bounds(), (ui::Bounds{256, 40, 544, 560}));
    EXPECT_EQ(stage.gHotLapMode, "HOTLAPS");
    EXPECT_TRUE(w.HotLap.Checked());
    EXPECT_TRUE(w.wb.Visible());
    EXPECT_EQ(w.laRally.Caption(), "HOTLAPS");
    EXPECT_EQ(g.gWebPage, "http://events.test/HotLaps/index.php");
    EXPECT_THAT(Panes(), ElementsAre("http://events.test/HotLaps/index.php"));

    w.HotLap.Press();
    EXPECT_EQ(stage.gHotLapMode, "");
    EXPECT_FALSE(w.HotLap.Checked());
    EXPECT_FALSE(w.wb.Visible());
    EXPECT_EQ(w.laRally.Caption(), "TESTING ZONE...");

    w.HotLap.Press();
    w.cmdStart.Press();  // hot-lap mode survives a start
    w.HotLap.Press();
    EXPECT_EQ(stage.gHotLapMode, "");
    EXPECT_EQ(w.laRally.Caption(), "TESTING ZONE...");
    EXPECT_EQ(Panes().size(), 2u);
}

}  // namespace
}  // namespace vmtest

// The client's start-up on the connect window: the checks of the installation, the messages of a
// refused start, the testing switch and what the window shows when it waits for the log-in.
#include <gtest/gtest.h>

#include <optional>

#include "platform/native/NativeAdapters.h"
#include "services/Globals.h"
#include "services/gLog.h"
#include "tests/client/ClientTest.h"

namespace vmtest {
namespace {

using vm::g;

using StartUpTest = ClientTest;

TEST_F(StartUpTest, APassedStartWaitsForTheLogInWithTheMainWindowLoadedHidden) {
    Settings("TYRE=1\r\n");
    os.environment.version = {2, 6, 0, 2};
    ASSERT_EQ(Start(), std::nullopt);

    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(g.gAppVersion, "2.6.2");
    EXPECT_EQ(connect().Caption(), "Velomark v2.6.2");
    EXPECT_EQ(main().Caption(), "Velomark v2.6.2");
    EXPECT_TRUE(connect().Visible());
    EXPECT_TRUE(main().Loaded());
    EXPECT_FALSE(main().Visible());
    EXPECT_TRUE(main().tMain.Scheduled()) << "the stage monitor watches from start-up on";
    EXPECT_TRUE(gLog::gLogOpen());
    EXPECT_FALSE(g.gTestSwitch);

    EXPECT_EQ(connect().nicknameTXT.Text(), "Ari");
    EXPECT_EQ(connect().edUserPwd.Text(), "pw");
    EXPECT_TRUE(connect().optTyre[1].Value());
    EXPECT_EQ(g.gTyre, 1);
    // No class is chosen yet.
    EXPECT_EQ(connect().cmbCar.ListCount(), 0);
    EXPECT_FALSE(connect().cmbCar.Enabled());
    EXPECT_FALSE(connect().connectCMD.Enabled());
    connect().cmdCat.ForEach([](int k, ui::PushButton& b) { EXPECT_EQ(b.Backcolor(), 0xFFFFFFu) << k; });
}

// The main window is loaded but hidden until the log-in: it must not keep the program alive.
TEST_F(StartUpTest, ClosingTheConnectWindowBeforeTheLogInEndsTheProgram) {
    Settings();
    ASSERT_EQ(Start(), std::nullopt);
    std::optional<int> code;
    try {
        connect().Unload();
    } catch (const platform::ProgramExit& exit) {
        code = exit.code;
    }
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(gLog::gLogOpen()) << "the run log ends with its END banner";
}

TEST_F(StartUpTest, TheVersionComesFromTheProgramsFileVersion) {
    os.environment.version = {3, 10, 7, 4};  // major.minor.build.revision
    ASSERT_EQ(Start(), std::nullopt);
    EXPECT_EQ(connect().Caption(), "Velomark v3.10.4");
}

// A start the installation refuses: what is wrong, and the message it shows.
enum class Fault { SecondCopy, NoHostExe, ForeignPackage, MissingPlugin, TexturesStuck };
struct Refusal {
    Fault fault;
    const char* message;
    bool logOpened;
};

const Refusal kRefusals[] = {
    {Fault::SecondCopy, "Error! you have already Velomark.exe as task!!\n\rPlease check with task manager", false},
    {Fault::NoHostExe, "Error! you don't have installed the 1.02 patch. Please install!", true},
    {Fault::ForeignPackage, "Error found in the Velomark utility. Please reinstall!", true},
    {Fault::MissingPlugin, "Error found in the Velomark utility. Please reinstall!", true},
    {Fault::TexturesStuck, "Error found in the Kovarra\\Maps. Please reinstall the tracks", true},
};

class RefusedStartTest : public ClientTest, public ::testing::WithParamInterface<Refusal> {
protected:
    void Arrange(Fault fault) {
        const std::string host = kHost, textures = host + "\\Maps\\track-1000_M_textures";
        switch (fault) {
            case Fault::SecondCopy: os.instances.heldElsewhere.insert(foConnect::kOnlyCopyClaim); break;
            case Fault::NoHostExe: (void)os.files.DeleteFile(host + "\\Kovarra_SSE.exe", true); break;
            case Fault::ForeignPackage: digests.expected.erase("C:\\WINDOWS\\system32\\dx64v97.dll"); break;
            case Fault::MissingPlugin: (void)os.files.DeleteFile(host + "\\Plugins\\avviora.dll", true); break;
            case Fault::TexturesStuck:  // a tarmac-only map whose tarmac variant is there already
                Put(textures + "\\a.dds", "x");
                Put(textures + "_VLMK_T\\a.dds", "x");
                break;
        }
    }
};

TEST_P(RefusedStartTest, ShowsACriticalErrorAndEndsTheProgram) {
    const Refusal& c = GetParam();
    Settings();
    Arrange(c.fault);
    EXPECT_EQ(Start(), foConnect::kStartRefused);
    ASSERT_EQ(os.messageBox.shown.size(), 1u);
    const auto& box = os.messageBox.shown[0];
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.style, platform::kMsgCritical);
    EXPECT_FALSE(connect().Visible());
    EXPECT_FALSE(main().Visible());
    EXPECT_EQ(gLog::gLogOpen(), c.logOpened) << "the log stays open, without its END banner";
}

std::string FaultName(const ::testing::TestParamInfo<Refusal>& info) {
    static const char* const kNames[] = {"SecondCopy", "NoHostExe", "ForeignPackage", "MissingPlugin",
                                         "TexturesStuck"};
    return kNames[static_cast<int>(info.param.fault)];
}

INSTANTIATE_TEST_SUITE_P(Checks, RefusedStartTest, ::testing::ValuesIn(kRefusals), FaultName);

TEST_F(StartUpTest, AMissingHostExecutableEndsTheStartBeforeAnyDigestIsComputed) {
    Settings();
    (void)os.files.DeleteFile(std::string(kHost) + "\\Kovarra_SSE.exe", true);
    EXPECT_EQ(Start(), foConnect::kStartRefused);
    EXPECT_EQ(digests.calls, 0);
}

struct Switch {
    const char* commandLine;
    bool testing;
};

const Switch kSwitches[] = {
    {"\xBB tarokuna!", true},      //
    {"\xBB tarokuna! ", false},    // trailing blank
    {"\xBB Tarokuna!", false},     // other letter case
    {"\xBB tarokuna! -x", false},  // another argument
    {"\xBBtarokuna!", false},      //
    {"", false},
};

class TestingSwitchTest : public ClientTest, public ::testing::WithParamInterface<Switch> {};

// A plug-in that is not the shipped one refuses the start, except in testing mode.
TEST_P(TestingSwitchTest, OnlyTheExactAccessCodeSwitchesTestingModeOnWhichAcceptsAnyFile) {
    Settings();
    os.environment.commandLine = GetParam().commandLine;
    digests.expected.erase(std::string(kHost) + "\\Plugins\\Z.dll");
    EXPECT_EQ(Start(), GetParam().testing ? std::nullopt : std::optional<int>(foConnect::kStartRefused));
    EXPECT_EQ(g.gTestSwitch, GetParam().testing);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, TestingSwitchTest, ::testing::ValuesIn(kSwitches),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(StartUpTest, TextureFoldersLeftInTheHostsPlaceGoBackToTheirVariantName) {
    Settings();
    const std::string maps = std::string(kHost) + "\\Maps\\track-23_E_textures";
    Put(maps + "\\a.dds", "tarmac");
    ASSERT_EQ(Start(), std::nullopt);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(os.files.FolderExists(maps));
    EXPECT_EQ(Get(maps + "_VLMK_T\\a.dds"), "tarmac");
}

class TyreTest : public ClientTest, public ::testing::WithParamInterface<int> {};

TEST_P(TyreTest, OnlyARememberedTyreOfZeroOrOneIsPreselected) {
    const int tyre = GetParam();
    Settings("TYRE=" + std::to_string(tyre) + "\r\n");
    ASSERT_EQ(Start(), std::nullopt);
    EXPECT_EQ(connect().optTyre[0].Value(), tyre == 0);
    EXPECT_EQ(connect().optTyre[1].Value(), tyre == 1);
    EXPECT_EQ(g.gTyre, tyre);
}

INSTANTIATE_TEST_SUITE_P(Remembered, TyreTest, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace vmtest

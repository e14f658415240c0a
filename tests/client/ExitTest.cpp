// Leaving the client by the Exit item or the window's close box, and the other menu items.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogues/TrackTextures.h"
#include "client/foCam.h"
#include "client/foSkins.h"
#include "platform/Ports.h"
#include "services/Globals.h"
#include "tests/client/FlowTest.h"

namespace vmtest {
namespace {

using testing::HasSubstr;
using testing::Not;
using vm::g;

class ExitTest : public FlowTest {
protected:
    ExitTest() {
        gFill::FillTrackTextures();
        // A variant moved into the host's place by the last start.
        MakeFolders(os.files, texturesInPlace);
    }
    const std::string texturesInPlace = "C:\\Kovarra\\Maps\\track-16_O_textures";
};

// The question comes after the texture folders are back; No keeps the client running, Yes
// saves the settings, closes the run log and ends the program with the window unloaded.
TEST_F(ExitTest, TheExitAsksFirstAndEndsOnlyOnYes) {
    const std::string freeQuestion = "Exiting in progress...\n\rAre you sure?";
    const std::string eventQuestion =
        "You are exiting from the utility, are you sure?\n\rExiting from the game will not be able to "
        "re-enter.\n\rRemember that the time of your PC has been set up on Italian hour\n\rand you will manually "
        "restore your correct time";
    struct Case {
        int line;
        bool event, closeBox;
        platform::MsgAnswer answer;
    } cases[] = {
        {__LINE__, false, false, platform::kAnswerNo},
        {__LINE__, true, true, platform::kAnswerNo},
        {__LINE__, false, true, platform::kAnswerYes},  // the program's last case: it ends
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        g.gRallyPwd = c.event ? kEventPwd : "";
        g.gCountry = c.line;
        os.messageBox.shown.clear();
        os.messageBox.answers = {c.answer};
        MakeFolders(os.files, texturesInPlace);
        bool ended = false;
        try {
            if (c.closeBox) (void)w.Unload();
            else w.Exit.Press();
        } catch (const platform::ProgramExit&) {
            ended = true;
        }
        ASSERT_EQ(os.messageBox.shown.size(), 1u);
        EXPECT_EQ(os.messageBox.shown[0].text, c.event ? eventQuestion : freeQuestion);
        EXPECT_EQ(os.messageBox.shown[0].title, "Velomark");
        EXPECT_EQ(os.messageBox.shown[0].style, 52u);
        EXPECT_FALSE(os.files.FolderExists(texturesInPlace));
        EXPECT_TRUE(os.files.FolderExists(texturesInPlace + "_VLMK_T"));
        (void)os.files.DeleteFolder(texturesInPlace + "_VLMK_T", true);

        const bool yes = c.answer == platform::kAnswerYes;
        EXPECT_EQ(ended, yes);
        EXPECT_EQ(w.Loaded(), !yes);
        EXPECT_EQ(w.tMain.Scheduled(), !yes);
        EXPECT_EQ(Get("C:\\Velomark\\velomark.ini").find("COUNTRY=" + std::to_string(c.line)) != std::string::npos, yes);
        EXPECT_EQ(RunLog().find("END") != std::string::npos, yes);
        if (yes) return;
    }
}

TEST_F(ExitTest, TheUtilityAndCommunityItems) {
    g.gDriverName = "A&B";
    w.MainTXT.SetText("a stage line|\r\n");
    w.SaveTimes.Press();
    EXPECT_THAT(Get("C:\\Velomark\\qvrLog_20070315_214502.txt"), HasSubstr("[log]\r\n\r\na stage line|\r\n"));
    w.UploadResults.Press();  // no stage logs kept yet
    // Each opens its window modally over the main window; the driver closes it at once.
    std::vector<std::string> opened;
    os.desktop.onPump = [&] {
        const std::vector<ui::Form*> loaded = ui::Form::LoadedForms();  // unloading changes it
        for (ui::Form* f : loaded)
            if ((dynamic_cast<foSkins*>(f) || dynamic_cast<foCam*>(f)) && f->Visible() && f->ModalOwner() == &w &&
                f->Unload())
                opened.push_back(f->Name());
    };
    w.SkinSelector.Press();
    w.CamSettings.Press();
    os.desktop.onPump = nullptr;
    EXPECT_EQ(opened, (std::vector<std::string>{"foSkins", "foCam"}));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Saving times|64|File qvrLog_20070315_214502.txt saved!",
                                                    "Upload stage time|16|Error! you haven't the correct logs"}));
    w.webVLMK.Press();
    w.Chat.Press();
    ASSERT_EQ(os.shell.calls.size(), 2u);
    ASSERT_NE(w.WindowHandle(), platform::kDesktopOwner);
    EXPECT_EQ(os.shell.calls[0].owner, w.WindowHandle());
    EXPECT_EQ(os.shell.calls[1].owner, w.WindowHandle());
    EXPECT_EQ(os.shell.calls[0].file, "http://events.test");
    EXPECT_THAT(os.shell.calls[1].file, HasSubstr("/chat/index.php?driver=A%26B"));
    EXPECT_THAT(RunLog(), Not(HasSubstr("END")));
}

}  // namespace
}  // namespace vmtest

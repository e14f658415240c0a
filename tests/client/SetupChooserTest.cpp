// The setup chooser: setup files read item by item into the surface slots, the default setup
// back, and the main window's label on saving.
#include <gtest/gtest.h>

#include "client/SetupFRM.h"
#include "tests/client/SelectorFixture.h"

namespace vmtest {
namespace {

using vm::g;
using Texts = std::vector<std::string>;

TEST(SetupItemsTest, ItemsAsSequentialInputReadsThem) {
    struct Case {
        const char* text;
        Texts items;
    } cases[] = {
        /* 0 */ {"((\"CarSetup\"\r\n (Car             (\"Car\"\r\n", {"((\"CarSetup\"", "(Car             (\"Car\""}},
        /* 1 */ {"\r\n\t  (Tyres\r\n\r\n   \r\n)", {"(Tyres", ")"}},  // blank lines and indentation
        /* 2 */ {"(Pressure 1.80, 1.90)\r\n", {"(Pressure 1.80", "1.90)"}},
        /* 3 */ {"  \"a, b\" dropped,c\n", {"a, b", "c"}},
        /* 4 */ {"x\ry\nz", {"x", "y", "z"}},
        /* 5 */ {"(Gear 3)  \t\r\n", {"(Gear 3)"}},
        /* 6 */ {"\"open to the end", {"open to the end"}},
        /* 7 */ {"0.50,,\"\"\r\n", {"0.50"}},
        /* 8 */ {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(client::SetupItems(c.text), c.items) << &c - cases;
}

class SetupChooserTest : public SelectorFixture {
protected:
    SetupChooserTest() { chooser.Show(); }
    SetupFRM chooser;
};

TEST_F(SetupChooserTest, AChosenFileFillsItsSlotWithItsItems) {
    Put("C:\\Kovarra\\savedgames\\Mine\\fast.lsp", "((\"CarSetup\"\r\n  (Brakes 0.6, 0.4)\r\n\r\n)\r\n");
    os.fileDialog.answers.push_back("C:\\Kovarra\\savedgames\\Mine\\fast.lsp");
    chooser.cmdSetupNew[1].Press();

    ASSERT_EQ(os.fileDialog.asked.size(), 1u);
    EXPECT_EQ(os.fileDialog.asked[0],
              (platform::OpenFileRequest{"Load Setup", "QVR setups (*.lsp)|*.lsp", "lsp", "C:\\Kovarra\\savedgames", ""}));
    EXPECT_EQ(g.gSetupFile[1], "C:\\Kovarra\\savedgames\\Mine\\fast.lsp");
    EXPECT_EQ(g.gSetupText[1], "((\"CarSetup\"\r\n(Brakes 0.6\r\n0.4)\r\n)\r\n");
    EXPECT_EQ(chooser.laSetup[1].Caption(), "fast.lsp");
    EXPECT_EQ(g.gSetupFile[0], vm::kDefaultSetup);

    chooser.cmdDefaultNew[1].Press();
    EXPECT_EQ(g.gSetupFile[1], vm::kDefaultSetup);
    EXPECT_EQ(chooser.laSetup[1].Caption(), "Default setup");
    EXPECT_EQ(g.gSetupText[1], "((\"CarSetup\"\r\n(Brakes 0.6\r\n0.4)\r\n)\r\n");
}

TEST_F(SetupChooserTest, ACancelledEmptyOrUnreadableFileLeavesTheSlotAsItWas) {
    Put("C:\\my\\empty.lsp", "");
    Put("C:\\my\\blank.lsp", " \r\n\t\r\n");
    struct Case {
        std::optional<std::string> answer;
        const char* message;  // empty: none
    } cases[] = {
        /* 0 */ {std::nullopt, ""},
        /* 1 */ {"C:\\my\\empty.lsp", "The setup file C:\\my\\empty.lsp is empty. The setup chosen before is kept."},
        /* 2 */ {"C:\\my\\blank.lsp", "The setup file C:\\my\\blank.lsp is empty. The setup chosen before is kept."},
        /* 3 */ {"C:\\my\\gone.lsp",
                 "The setup file C:\\my\\gone.lsp cannot be read. The setup chosen before is kept."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        g.gSetupFile[2] = "C:\\my\\snow.lsp";
        g.gSetupText[2] = "(snow)\r\n";
        chooser.laSetup[2].SetCaption("snow.lsp");
        os.messageBox.shown.clear();
        os.fileDialog.answers.push_back(c.answer);
        chooser.cmdSetupNew[2].Press();
        EXPECT_EQ(g.gSetupFile[2], "C:\\my\\snow.lsp");
        EXPECT_EQ(g.gSetupText[2], "(snow)\r\n");
        EXPECT_EQ(chooser.laSetup[2].Caption(), "snow.lsp");
        if (*c.message == '\0') {
            EXPECT_TRUE(os.messageBox.shown.empty());
        } else {
            ASSERT_EQ(os.messageBox.shown.size(), 1u);
            EXPECT_EQ(os.messageBox.shown[0].text, c.message);
            EXPECT_EQ(os.messageBox.shown[0].style, platform::kMsgExclamation);
        }
    }
}

TEST_F(SetupChooserTest, SavingShowsDefaultOrPersonalSetupsInTheMainWindow) {
    chooser.cmdStart.Press();
    EXPECT_FALSE(chooser.Loaded());
    EXPECT_EQ(w.laSetup.Caption(), "Default setups");
    EXPECT_EQ(w.laSetup.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(w.laSetup.ForeColor(), 0x0080FFu);

    g.gSetupFile[2] = "C:\\my\\snow.lsp";
    chooser.Show();
    chooser.cmdStart.Press();
    EXPECT_EQ(w.laSetup.Caption(), "Personal setups");
    EXPECT_EQ(w.laSetup.BackColor(), 0x0080FFu);
    EXPECT_EQ(w.laSetup.ForeColor(), 0xFFFFFFu);
}

TEST_F(SetupChooserTest, TheSetupButtonOpensAFreshModalChooserShowingTheSlots) {
    g.gSetupFile[0] = "C:\\my\\gravel.lsp";
    g.gSetupFile[1] = "tarmac.lsp";
    w.laSetup.SetCaption("Default setups");
    chooser.Unload();
    w.Show();
    w.cmdSetup.SetEnabled(true);  // as the set-up leaves it
    Texts shown;
    int pumps = 0;
    os.desktop.onPump = [&] {
        if (pumps++ > 0) return;
        for (ui::Form* f : ui::Form::LoadedForms()) {
            auto* modal = dynamic_cast<SetupFRM*>(f);
            if (modal == nullptr) continue;
            EXPECT_FALSE(w.Enabled());
            EXPECT_EQ(modal->Caption(), "Select yours setups");
            modal->laSetup.ForEach([&](int, ui::Label& l) { shown.push_back(l.Caption()); });
            modal->cmdDefaultNew[0].Press();
            modal->Unload();  // its close box: the main window's label stays
        }
    };
    w.cmdSetup.Press();
    EXPECT_EQ(shown, (Texts{"gravel.lsp", "tarmac.lsp", "Default setup"}));
    EXPECT_TRUE(w.Enabled());
    EXPECT_EQ(g.gSetupFile[0], vm::kDefaultSetup);
    EXPECT_EQ(w.laSetup.Caption(), "Default setups");
    EXPECT_EQ(ui::Form::LoadedForms(), std::vector<ui::Form*>{&w});  // the chooser is gone
}

}  // namespace
}  // namespace vmtest

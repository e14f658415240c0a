// The client's window designs against their presenters, and the main window's layout when it
// is resized.
#include <gtest/gtest.h>

#include "catalogues/CarCatalogue.h"
#include "client/SetupFRM.h"
#include "client/foCam.h"
#include "client/foConnect.h"
#include "client/foMain.h"
#include "client/foSkins.h"
#include "tests/support/DesignLayout.h"
#include "tests/support/VmTest.h"
#include "ui/Design.h"

namespace vmtest {
namespace {

class WindowDesignTest : public VmTest {};

// Rows that overlap by design: a picture or pane over another, a control the set-up hides.
const StackedRows kStacked = {{"MainTXT", "wbCar"}, {"wb", "Picture9"}};

TEST_F(WindowDesignTest, EveryRowBindsToItsControlInsideTheWindowWithoutCoveringAnother) {
    SetupFRM chooser;
    foConnect connect;
    foCam camera;
    foSkins skins;
    for (const ui::Form* form :
         std::initializer_list<const ui::Form*>{&foMain::Instance(), &chooser, &connect, &camera, &skins}) {
        SCOPED_TRACE(form->Name());
        EXPECT_EQ(ui::DesignFaults(*form), std::vector<std::string>{});
        EXPECT_EQ(LayoutFaults(*form->Design(), kStacked), std::vector<std::string>{});
        EXPECT_EQ(form->ScaleWidth(), form->Design()->width);
    }
}

// The class buttons of both windows are labelled as the catalogue names the classes.
TEST_F(WindowDesignTest, TheClassButtonsShowTheCataloguesClassCodes) {
    foConnect connect;
    for (const ui::ControlArray<ui::PushButton>* buttons : {&connect.cmdCat, &foMain::Instance().cmdCat})
        buttons->ForEach([](int k, ui::PushButton& b) {
            EXPECT_EQ(b.Caption(), vm::kCarClassCodes[static_cast<std::size_t>(k)]) << b.Name();
        });
    EXPECT_EQ(connect.laPwdHint.Caption(), "Leave it empty for free practice");
    EXPECT_EQ(connect.connectCMD.Caption(), "Enter!");
}

TEST_F(WindowDesignTest, ResizingKeepsTheStageTextAndCarPictureAndFillsTheRestWithTheStatusPage) {
    foMain& w = foMain::Instance();
    const ui::Bounds text = w.MainTXT.Bounds();
    w.wb.SetLeft(56);
    w.Resized(1200, 900);
    EXPECT_EQ(w.MainTXT.Bounds(), (ui::Bounds{text.left, text.top, 330, 210}));
    EXPECT_EQ(w.wbCar.Bounds(), w.MainTXT.Bounds());
    EXPECT_EQ(w.wb.Width(), 1200 - 56);
    EXPECT_EQ(w.wb.Height(), 900 - w.wb.Top());

    // Smaller than the pane's corner: its size is left as it was, the rest still happens.
    w.MainTXT.SetWidth(10);
    w.Resized(40, 100);
    EXPECT_EQ(w.wb.Width(), 1200 - 56);
    EXPECT_EQ(w.wb.Height(), 900 - w.wb.Top());
    EXPECT_EQ(w.MainTXT.Width(), 330);
}

}  // namespace
}  // namespace vmtest

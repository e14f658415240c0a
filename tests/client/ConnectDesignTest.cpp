// The connect window's design: every row is a control of the window, inside the window, and no
// two controls cover each other.
#include <gtest/gtest.h>

#include "client/foConnect.h"
#include "tests/support/DesignLayout.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using ConnectDesignTest = VmTest;

TEST_F(ConnectDesignTest, EveryRowPlacesAControlOfTheWindowInsideItWithoutOverlap) {
    const ui::FormDesign& design = foConnect::DesignTable();
    foConnect& window = foConnect::Instance();
    EXPECT_TRUE(ui::DesignFaults(window).empty());
    EXPECT_EQ(window.ScaleWidth(), design.width);
    EXPECT_EQ(window.nicknameTXT.Bounds(), (ui::Bounds{124, 12, 236, 23}));

    EXPECT_EQ(LayoutFaults(design), std::vector<std::string>{});
}

}  // namespace
}  // namespace vmtest

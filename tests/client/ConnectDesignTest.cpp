// The connect window's design: every row is a control of the window, inside the window, and no
// two controls cover each other.
#include <gtest/gtest.h>

#include "client/foConnect.h"
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

    const auto& rows = design.controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ui::ControlDesign& a = rows[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= design.width && a.y + a.height <= design.height)
            << a.name;
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const ui::ControlDesign& b = rows[j];
            const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                               b.y + b.height <= a.y;
            EXPECT_TRUE(apart) << a.name << " covers " << b.name;
        }
    }
}

}  // namespace
}  // namespace vmtest

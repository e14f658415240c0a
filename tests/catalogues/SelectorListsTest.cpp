#include <gtest/gtest.h>

#include <map>

#include "catalogues/SelectorLists.h"
#include "tests/catalogues/CatalogueTest.h"

namespace vmtest {
namespace {

using SelectorListsTest = CatalogueTest;
using Texts = std::vector<std::string>;

TEST_F(SelectorListsTest, FillCombosFillsFiveListsAndSelectsWearAndHumidityAsAPick) {
    for (ui::ComboBox* c : {&w.cmbCountry, &w.cmbTyre, &w.cmbWear, &w.cmbHumid, &w.cmbDamage}) {
        c->AddItem("stale");
        Record(*c);
    }
    gFill::FillCombos(w.cmbCountry, w.cmbTyre, w.cmbWear, w.cmbHumid, w.cmbDamage);
    EXPECT_EQ(clicks, (Texts{"cmbWear=1", "cmbHumid=0"}));
    struct Case {
        ui::ComboBox* list;
        int count;
        int selected;
        int probe;
        const char* probeText;
    } cases[] = {
        /*0*/ {&w.cmbCountry, 9, -1, gFill::kBtbTracks, "BTB Tracks"},
        /*1*/ {&w.cmbTyre, 7, -1, 6, "Snow"},
        /*2*/ {&w.cmbWear, 3, 1, 1, "Normal"},
        /*3*/ {&w.cmbHumid, 3, 0, 2, "Wet"},
        /*4*/ {&w.cmbDamage, 4, -1, 3, "Realistic"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.list->ListCount(), c.count) << c.list->Name();
        EXPECT_EQ(c.list->ListIndex(), c.selected) << c.list->Name();
        EXPECT_EQ(c.list->List(c.probe), c.probeText) << c.list->Name();
    }
}

TEST_F(SelectorListsTest, HumidityShapeFollowsTheMode) {
    struct Case {
        std::int16_t mode;
        Texts entries;
        int selected;
    } cases[] = {
        /*0*/ {0, {"Dry", "Damp", "Wet"}, 0},
        /*1*/ {1, {"Dry", "Damp"}, 0},
        /*2*/ {2, {"Dry"}, 0},
        /*3*/ {3, {}, -1},
        /*4*/ {-1, {}, -1},
    };
    Record(w.cmbHumid);
    for (auto& c : cases) {
        w.cmbHumid.AddItem("stale");
        clicks.clear();
        gFill::FillHumidity(w.cmbHumid, c.mode);
        EXPECT_EQ(EntriesOf(w.cmbHumid), c.entries) << "mode " << c.mode;
        EXPECT_EQ(w.cmbHumid.ListIndex(), c.selected) << "mode " << c.mode;
        // Outside 0..2 no pick runs, so the stored humidity keeps its value.
        EXPECT_EQ(clicks.size(), c.selected == -1 ? 0u : 1u) << "mode " << c.mode;
    }
}

TEST_F(SelectorListsTest, SurfaceShapesCarryTheSurfaceCodeAsItemData) {
    struct Case {
        const char* shape;
        void (*fill)(ui::ComboBox&);
        Texts entries;
        int selected;
    } cases[] = {
        /*0*/ {"Tarmac", gFill::FillSurfaceTarmac, {"Tarmac"}, 0},
        /*1*/ {"Gravel", gFill::FillSurfaceGravel, {"Gravel"}, 0},
        /*2*/ {"Mixed", [](ui::ComboBox& c) { gFill::FillSurfaceMixed(c, 1); }, {"Tarmac", "Gravel"}, 1},
        /*3*/ {"All", [](ui::ComboBox& c) { gFill::FillSurfaceAll(c, 2); }, {"Tarmac", "Gravel", "Snow"}, 2},
        /*4*/ {"All", [](ui::ComboBox& c) { gFill::FillSurfaceAll(c, 0); }, {"Tarmac", "Gravel", "Snow"}, 0},
    };
    const std::map<std::string, std::int32_t> code = {{"Tarmac", 0}, {"Gravel", 1}, {"Snow", 2}};
    for (auto& c : cases) {
        c.fill(w.cmbSurface);
        c.fill(w.cmbSurface);  // a refill leaves one copy
        EXPECT_EQ(EntriesOf(w.cmbSurface), c.entries) << c.shape;
        EXPECT_EQ(w.cmbSurface.ListIndex(), c.selected) << c.shape;
        for (int i = 0; i < w.cmbSurface.ListCount(); ++i)
            EXPECT_EQ(w.cmbSurface.ItemData(i), code.at(w.cmbSurface.List(i))) << c.shape << " entry " << i;
    }
}

TEST_F(SelectorListsTest, AnIndexOutsideTheSurfaceListIsTheCallersError) {
    EXPECT_THROW(gFill::FillSurfaceMixed(w.cmbSurface, 2), ui::ControlError);
    EXPECT_EQ(w.cmbSurface.ListCount(), 2);
    EXPECT_EQ(w.cmbSurface.ListIndex(), -1);
}

}  // namespace
}  // namespace vmtest

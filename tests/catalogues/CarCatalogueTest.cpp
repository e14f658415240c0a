#include <gtest/gtest.h>

#include <map>
#include <set>

#include "catalogues/CarCatalogue.h"
#include "platform/AnsiText.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::cars;
using vm::g;

class CarCatalogueTest : public VmTest {
protected:
    CarCatalogueTest() {
        g.gHostPath = "C:\\Kovarra";
        gFill::FillCarTable();
    }
    static const vm::CarEntry& Car(int id) { return cars.carTable[static_cast<std::size_t>(id)]; }
};

TEST_F(CarCatalogueTest, ClassesHoldTheirCountOfCarsAtPositionsWithoutGaps) {
    // Cars per class 1..10.
    const int kCount[] = {0, 30, 8, 2, 8, 2, 4, 11, 3, 1, 1};
    std::map<std::pair<int, int>, int> byPlace;  // (class, position) -> id
    int used = 0;
    for (int id = 0; id < vm::kCarIds; ++id) {
        const vm::CarEntry& c = Car(id);
        if (c.category == 0) {
            EXPECT_TRUE(c.name.empty() && c.model.empty() && c.hostPhysicsDir.empty()) << id;
            continue;
        }
        ++used;
        ASSERT_GE(c.category, 1) << id;
        ASSERT_LE(c.category, vm::kCarClasses) << id;
        EXPECT_TRUE(byPlace.emplace(std::pair{c.category, c.position}, id).second)
            << "class " << c.category << " position " << c.position << " twice";
        EXPECT_GE(c.slot, 0) << id;
        EXPECT_LE(c.slot, 7) << id;
    }
    EXPECT_EQ(used, 70);
    for (int k = 1; k <= vm::kCarClasses; ++k) {
        EXPECT_EQ(cars.gCatCount[static_cast<std::size_t>(k)], kCount[k] - 1) << "class " << k;
        for (int p = 0; p < kCount[k]; ++p) EXPECT_TRUE(byPlace.count({k, p})) << "class " << k << " position " << p;
    }
    for (std::size_t unused : {0u, 11u, 12u}) EXPECT_EQ(cars.gCatCount[unused], 0);
    EXPECT_EQ(Car(7).category, 0);
    EXPECT_EQ(Car(999).category, 0);
}

TEST_F(CarCatalogueTest, EachSlotHasOnePhysicsFolderAndOnlyTheHostsOwnCarsUseIt) {
    std::map<int, std::set<std::string>> slotDirs;
    std::set<int> ownCars;
    for (int id = 0; id < vm::kCarIds; ++id) {
        const vm::CarEntry& c = Car(id);
        if (c.category == 0) continue;
        slotDirs[c.slot].insert(c.hostPhysicsDir);
        if (c.carPhysicsDir == c.hostPhysicsDir) ownCars.insert(id);
        EXPECT_EQ(c.carPhysicsDir.rfind("C:\\Kovarra\\Physics\\Physics\\", 0), 0u) << id;
    }
    for (auto& [slot, dirs] : slotDirs) EXPECT_EQ(dirs.size(), 1u) << "slot " << slot;
    EXPECT_EQ(ownCars, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 31}));
    EXPECT_EQ(*slotDirs[7].begin(), "C:\\Kovarra\\Physics\\Physics\\s_i2000");
    EXPECT_EQ(Car(19).carPhysicsDir, Car(32).carPhysicsDir);  // two Fabias, one physics folder
}

TEST_F(CarCatalogueTest, DerivedPathsAndTheirDeviations) {
    struct Case {
        int id;
        const char *model, *carIni, *skinsIni, *shaders, *shaderSettings, *textures;
    } cases[] = {
        /*0*/ {26, "Cars\\C4\\C4.sgc", "Cars\\C4\\C4.ini", "Cars\\C4\\skins.ini", "Cars\\C4\\C4_shaders",
               "Cars\\C4\\C4_shader_settings", "Cars\\C4\\Textures"},
        /*1*/ {11, "Cars\\ATR_P307_WRC05\\atr_p307.sgc", "Cars\\ATR_P307_WRC05\\atr_p307.ini",
               "Cars\\ATR_P307_WRC05\\skins.ini", "Cars\\ATR_P307_WRC05\\atr_p307_shaders",
               "Cars\\ATR_P307_WRC05\\atr_p307_shader_settings", "Cars\\ATR_P307_WRC05\\Textures"},
        /*2*/ {200, "Cars\\g_punto_s2000\\g.punto_s2000.sgc", "Cars\\g_punto_s2000\\g.punto_s2000.ini",
               "Cars\\g_punto_s2000\\skins.ini", "Cars\\g_punto_s2000\\g.punto_s2000_shaders",
               "Cars\\g_punto_s2000\\g.punto_s2000_shader_settings", "Cars\\g_punto_s2000\\Textures"},
        /*3*/ {41, "Cars\\PUNTO_1600_ATR2005\\punto_1600.sgc", "Cars\\PUNTO_1600_ATR2005\\punto_1600.ini",
               "Cars\\PUNTO_1600_ATR2005\\skins.ini", "Cars\\PUNTO_1600_ATR2005\\punto_1600_shaders",
               "Cars\\PUNTO_1600_ATR2005\\punto_1600_shader_settings", "Cars\\PUNTO_1600_ATR2005\\TEXTURES"},
        // The deviations.
        /*4*/ {3, "Cars\\LANCER_EVO_VII\\lancer_evo_vII.sgc", "Cars\\Lancer_EVO_VII\\lancer_evo_vII.ini",
               "Cars\\Lancer_EVO_VII\\skins.ini", "Cars\\LANCER_EVO_VII\\lancer_evo_vII_shaders",
               "Cars\\LANCER_EVO_VII\\lancer_evo_vII_shader_settings", "Cars\\LANCER_EVO_VII\\Textures"},
        /*5*/ {18, "Cars\\Ford_Focus_2003\\focus03.sgc", "Cars\\Ford_Focus_2003\\focus03.ini",
               "Cars\\Ford_Focus_2003\\skins.ini", "Cars\\Ford_Focus_2003\\focus03_shaders",
               "Cars\\Ford_Focus_2003\\focus03_shader_Settings", "Cars\\Ford_Focus_2003\\Textures"},
        /*6*/ {22, "Cars\\Ford_Focus_2004\\focus04.sgc", "Cars\\Ford_Focus_2004\\focus04.ini",
               "Cars\\Ford_Focus_2004\\skins.ini", "Cars\\Ford_Focus_2004\\focus04_shaders",
               "Cars\\Ford_Focus_2004\\focus04_shader_Settings", "Cars\\Ford_Focus_2004\\Textures"},
        /*7*/ {24, "Cars\\FORD_FOCUS_2006\\focus06.sgc", "Cars\\FORD_FOCUS_2006\\focus06.ini",
               "Cars\\FORD_FOCUS_2006\\skins.ini", "Cars\\FORD_FOCUS_2006\\focus06_shaders",
               "Cars\\FORD_FOCUS_2006\\focus06_shader_Settings", "Cars\\FORD_FOCUS_2006\\Textures"},
        /*8*/ {44, "Cars\\Fiesta_RallyeConcept\\fiesta_RallyeConcept.sgc",
               "Cars\\Fiesta_RallyeConcept\\fiesta_rallyeconcept.ini", "Cars\\Fiesta_RallyeConcept\\skins.ini",
               "Cars\\Fiesta_RallyeConcept\\fiesta_rallyeconcept_shaders",
               "Cars\\Fiesta_RallyeConcept\\fiesta_rallyeconcept_shader_settings",
               "Cars\\Fiesta_RallyeConcept\\TEXTURES"},
        /*9*/ {49, "Cars\\Corsa_S1600\\Corsa_S1600.sgc", "Cars\\Corsa_S1600\\Corsa_S1600.ini",
               "Cars\\Corsa_S1600\\Corsa_S1600.ini", "Cars\\Corsa_S1600\\Corsa_S1600_shaders",
               "Cars\\Corsa_S1600\\Corsa_S1600_shader_settings", "Cars\\Corsa_S1600\\TEXTURES"},
    };
    for (auto& c : cases) {
        const vm::CarEntry& car = Car(c.id);
        EXPECT_EQ(car.model, c.model) << c.id;
        EXPECT_EQ(car.carIni, c.carIni) << c.id;
        EXPECT_EQ(car.skinsIni, c.skinsIni) << c.id;
        EXPECT_EQ(car.shaders, c.shaders) << c.id;
        EXPECT_EQ(car.shaderSettings, c.shaderSettings) << c.id;
        EXPECT_EQ(car.textures, c.textures) << c.id;
    }
    EXPECT_EQ(Car(11).hostPhysicsDir, "C:\\Kovarra\\Physics\\Physics\\p_206");
    EXPECT_EQ(Car(11).carPhysicsDir, "C:\\Kovarra\\Physics\\Physics\\p_307");
}

TEST_F(CarCatalogueTest, AccentedNamesAreAnsiAndReachTheListsUnchanged) {
    EXPECT_EQ(platform::Cp1252ToUtf8(Car(26).name), "Citro\xC3\xABn C4");
    EXPECT_EQ(platform::Cp1252ToUtf8(Car(19).name), "\xC5\xA0koda Fabia");
    EXPECT_EQ(Car(19).name, Car(46).name);
    EXPECT_EQ(Car(4).name, Car(203).name);  // names repeat across classes; the id tells them apart
}

TEST_F(CarCatalogueTest, RebuildingKeepsTheSkinAndTakesTheHostFolderAsItIsThen) {
    cars.carTable[26].skinCode = "_blue";
    cars.carTable[26].skinNumber = 3;
    g.gHostPath = "D:\\Games\\Kovarra";
    gFill::FillCarTable();
    EXPECT_EQ(Car(26).skinCode, "_blue");
    EXPECT_EQ(Car(26).skinNumber, 3);
    EXPECT_EQ(Car(26).carPhysicsDir, "D:\\Games\\Kovarra\\Physics\\Physics\\C4");
    EXPECT_EQ(Car(26).hostPhysicsDir, "D:\\Games\\Kovarra\\Physics\\Physics\\c_xsara");
}

}  // namespace
}  // namespace vmtest

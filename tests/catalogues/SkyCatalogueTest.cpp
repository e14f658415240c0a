#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "catalogues/SelectorLists.h"
#include "catalogues/SkyCatalogue.h"
#include "catalogues/StageCatalogue.h"
#include "services/Globals.h"
#include "tests/catalogues/CatalogueTest.h"

namespace vmtest {
namespace {

using vm::g;
using Texts = std::vector<std::string>;

TEST(SkyTableTest, EveryStageHasExactlyOneListAndNamesFollowTheForms) {
    std::map<std::int32_t, std::int32_t> mapOf;  // stage id -> map
    for (const gFill::SkyMap& m : gFill::SkyMaps()) {
        EXPECT_NE(std::find(m.stageIds.begin(), m.stageIds.end(), m.map), m.stageIds.end())
            << "map " << m.map << " is not used by its own stage";
        for (std::int32_t id : m.stageIds) EXPECT_TRUE(mapOf.emplace(id, m.map).second) << "stage " << id << " twice";
        for (const gFill::SkyPart& p : m.parts)
            EXPECT_TRUE(std::set<std::string_view>({"E_", "M_", "N_", "O_E_", "O_M_", "O_N_"}).count(p.form))
                << "map " << m.map << " form " << p.form;
    }
    EXPECT_EQ(gFill::SkyMaps().size(), 39u);

    std::set<std::int32_t> stageIds;
    for (int country = 0; country < gFill::kBtbTracks; ++country)
        for (const gFill::StageEntry& s : gFill::StageList(country)) {
            stageIds.insert(s.id);
            EXPECT_TRUE(mapOf.count(s.id)) << "stage " << s.id << " has no sky list";
        }
    for (auto& [id, map] : mapOf) EXPECT_TRUE(stageIds.count(id)) << "sky list for unknown stage " << id;

    // A stage sharing another map's list gets that list with that map's number.
    for (auto& [id, map] : mapOf) {
        Texts names = gFill::SkyNames(id);
        EXPECT_EQ(names, gFill::SkyNames(map)) << "stage " << id;
        for (auto& n : names) EXPECT_EQ(n.rfind(std::to_string(map), 0), 0u) << n;
    }
    std::map<std::size_t, std::set<std::int32_t>> mapsBySize;
    for (const gFill::SkyMap& m : gFill::SkyMaps()) mapsBySize[gFill::SkyNames(m.map).size()].insert(m.map);
    EXPECT_EQ(mapsBySize.begin()->first, 4u);
    EXPECT_EQ(mapsBySize.begin()->second, (std::set<std::int32_t>{31, 33, 34, 35, 36, 55}));
    EXPECT_EQ(mapsBySize.rbegin()->first, 22u);
    EXPECT_EQ(mapsBySize.rbegin()->second, (std::set<std::int32_t>{71, 90}));

    for (std::int32_t none : {0, 96, 1, 999, 2000}) EXPECT_TRUE(gFill::SkyNames(none).empty()) << none;
}

TEST(SkyTableTest, GeneratedNamesOfSomeStages) {
    EXPECT_EQ(gFill::SkyNames(41),
              (Texts{"41M_crisp_clear", "41M_crisp_partcloud", "41M_hazy_clear", "41O_M_heavyrain_heavycloud",
                     "41O_M_lightfog_heavycloud", "41O_M_lightrain_heavycloud", "41O_M_norain_lightcloud"}));
    EXPECT_EQ(gFill::SkyNames(16),
              (Texts{"12O_E_hazy_partcloud", "12O_E_heavysnow_heavycloud", "12O_E_lightsnow_heavycloud",
                     "12O_E_nosnow_heavycloud", "12O_E_nosnow_lightcloud"}));
    EXPECT_EQ(gFill::SkyNames(107),
              (Texts{"25O_M_heavyfog_heavycloud", "25O_M_heavyrain_heavycloud", "25O_M_lightfog_heavycloud",
                     "25O_M_lightrain_heavycloud", "25O_M_norain_lightcloud"}));
    EXPECT_EQ(gFill::SkyNames(54),
              (Texts{"54E_crisp_clear", "54E_crisp_partcloud", "54E_hazy_clear", "54M_crisp_clear",
                     "54O_E_heavyrain_heavycloud", "54O_E_lightfog_heavycloud", "54O_E_lightrain_heavycloud",
                     "54O_E_norain_lightcloud"}));
    EXPECT_EQ(gFill::SkyNames(63),
              (Texts{"63N_crisp_clear", "63N_crisp_partcloud", "63N_hazy_clear", "63N_hazy_partcloud",
                     "63O_N_heavyrain_heavycloud", "63O_N_lightrain_heavycloud", "63O_N_norain_lightcloud"}));
    Texts rallySchool = gFill::SkyNames(71);
    ASSERT_EQ(rallySchool.size(), 22u);
    EXPECT_EQ(rallySchool[4], "71O_E_heavyrain_heavycloud");
    EXPECT_EQ(rallySchool[5], "71O_E_lightfog_lightcloud");
    EXPECT_EQ(rallySchool[11], "71O_M_lightfog_heavycloud");  // the second group differs here
    EXPECT_EQ(rallySchool[21], "71O_N_norain_lightcloud");
}

class SkyListTest : public CatalogueTest {
protected:
    SkyListTest() {
        w.cmbWeather.onClick = [this] {
            clicks.push_back("cmbWeather=" + std::to_string(w.cmbWeather.ListIndex()) +
                             (g.gSkyBusy ? " busy" : " free"));
        };
    }
};

TEST_F(SkyListTest, ThePositionCarriesOverFromStageToStage) {
    g.gSkyIndex = 2;
    gFill::FillSkyList(w.cmbWeather, 41);
    EXPECT_EQ(w.cmbWeather.Text(), "41M_hazy_clear");
    EXPECT_EQ(g.gSkyName, "41M_hazy_clear");
    gFill::FillSkyList(w.cmbWeather, 31);
    EXPECT_EQ(EntriesOf(w.cmbWeather), gFill::SkyNames(31));
    EXPECT_EQ(g.gSkyName, "31E_hazy_clear");
    EXPECT_EQ(g.gSkyIndex, 2);
    // The selector's own handler ran, but while the filler was busy.
    EXPECT_EQ(clicks, (Texts{"cmbWeather=2 busy", "cmbWeather=2 busy"}));
    EXPECT_FALSE(g.gSkyBusy);
}

TEST_F(SkyListTest, APositionOutsideTheNewListNeverKeepsAnotherStagesName) {
    g.gSkyIndex = 10;
    gFill::FillSkyList(w.cmbWeather, 71);
    EXPECT_EQ(g.gSkyName, "71O_M_heavyrain_heavycloud");
    struct Case {
        std::int32_t stageId;
        const char* skyName;
    } cases[] = {
        /*0*/ {31, "31E_crisp_clear"},  // four names: position 10 is past the end
        /*1*/ {0, ""},                  // a folder track has no sky list
        /*2*/ {96, ""},
    };
    for (auto& c : cases) {
        clicks.clear();
        gFill::FillSkyList(w.cmbWeather, c.stageId);
        EXPECT_EQ(w.cmbWeather.ListIndex(), -1) << c.stageId;
        EXPECT_EQ(g.gSkyName, c.skyName) << c.stageId;
        EXPECT_EQ(g.gSkyIndex, 10) << c.stageId;
        EXPECT_TRUE(clicks.empty()) << c.stageId;
        EXPECT_FALSE(g.gSkyBusy) << c.stageId;
    }
    EXPECT_EQ(w.cmbWeather.ListCount(), 0);
}

}  // namespace
}  // namespace vmtest

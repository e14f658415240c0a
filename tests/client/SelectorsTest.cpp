// The main window's selectors: each choice lands in the program-wide current choice, and a
// stage brings its host track id, sky list, humidity list and surface list with it.
#include <gtest/gtest.h>

#include "catalogues/StageCatalogue.h"
#include "tests/client/SelectorFixture.h"

namespace vmtest {
namespace {

using vm::g;
using Texts = std::vector<std::string>;

class SelectorsTest : public SelectorFixture {};

TEST_F(SelectorsTest, AStageBringsItsHostTrackHumidityAndSurface) {
    Put("C:\\Kovarra\\RX_CONTENT\\Tracks\\MyTrack\\track.ini", "");
    const Texts dryOnly{"Dry"}, dryDamp{"Dry", "Damp"}, all3{"Dry", "Damp", "Wet"};
    const Texts allSurfaces{"Tarmac", "Gravel", "Snow"};
    struct Case {
        int country, index;
        std::int32_t stageId, hostTrack;
        Texts humidity, surfaces;
        const char* surface;  // the selected one
    } cases[] = {
        /* 0 */ {0, 6, 16, 12, dryOnly, allSurfaces, "Snow"},
        /* 1 */ {1, 0, 20, 20, all3, allSurfaces, "Gravel"},
        /* 2 */ {1, 6, 71, 71, dryOnly, allSurfaces, "Gravel"},  // rally school
        /* 3 */ {1, 10, 107, 25, all3, {"Gravel"}, "Gravel"},
        /* 4 */ {1, 11, 200, 20, all3, allSurfaces, "Gravel"},
        /* 5 */ {2, 0, 31, 31, dryDamp, allSurfaces, "Gravel"},
        /* 6 */ {2, 8, 1000, 36, dryOnly, {"Tarmac", "Gravel"}, "Gravel"},  // canyon
        /* 7 */ {3, 6, 48, 44, all3, allSurfaces, "Tarmac"},
        /* 8 */ {4, 7, 57, 53, all3, allSurfaces, "Gravel"},
        /* 9 */ {5, 6, 60, 61, all3, allSurfaces, "Gravel"},
        /* 10 */ {6, 1, 92, 41, all3, allSurfaces, "Tarmac"},
        /* 11 */ {7, 0, 114, 41, dryOnly, {"Tarmac"}, "Tarmac"},
        /* 12 */ {8, 0, 0, 0, all3, {"Tarmac"}, "Tarmac"},  // a folder track
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        g.gStage = c.index;
        g.gHumid = 9;
        w.cmbCountry.SetListIndex(c.country);
        EXPECT_EQ(g.gCountry, c.country);
        EXPECT_EQ(g.gStage, c.index);
        EXPECT_EQ(w.cmbStage.ListIndex(), c.index);
        EXPECT_EQ(g.gStageId, c.stageId);
        EXPECT_EQ(g.gHostTrackId, c.hostTrack);
        EXPECT_EQ(EntriesOf(w.cmbHumid), c.humidity);
        EXPECT_EQ(g.gHumid, 0);
        EXPECT_EQ(EntriesOf(w.cmbSurface), c.surfaces);
        EXPECT_EQ(w.cmbSurface.Text(), c.surface);
        EXPECT_EQ(w.cmbWeather.ListCount() == 0, c.stageId == 0);
    }
}

TEST_F(SelectorsTest, TheSkyFollowsThePickButNotTheListsFiller) {
    g.gSkyIndex = 2;
    g.gStage = 0;
    w.cmbCountry.SetListIndex(3);  // Cote D'Arbroz, 41
    EXPECT_EQ(g.gSkyIndex, 2);
    EXPECT_EQ(g.gSkyName, "41M_hazy_clear");

    w.cmbWeather.SetListIndex(5);
    EXPECT_EQ(g.gSkyIndex, 5);
    EXPECT_EQ(g.gSkyName, "41O_M_lightrain_heavycloud");

    w.cmbStage.SetListIndex(3);  // Joux Plane, 44: the position carries over
    EXPECT_EQ(g.gSkyIndex, 5);
    EXPECT_EQ(g.gSkyName, "44O_E_lightrain_heavycloud");
}

TEST_F(SelectorsTest, EachListAndWeatherOptionStoresItsChoice) {
    struct Case {
        ui::ComboBox* list;
        int index;
        std::function<int()> stored;
    } cases[] = {
        {&w.cmbHumid, 2, [] { return g.gHumid; }},
        {&w.cmbWear, 0, [] { return g.gWear; }},
        {&w.cmbDamage, 3, [] { return g.gDamage; }},
        {&w.cmbTyre, 6, [] { return g.gTyreType; }},
    };
    for (const Case& c : cases) {
        c.list->SetListIndex(c.index);
        EXPECT_EQ(c.stored(), c.index) << c.list->Name();
    }
    w.optWeather[2].SetValue(true);
    EXPECT_EQ(g.gWeather, 2);
    w.optWeather[0].SetValue(true);
    EXPECT_EQ(g.gWeather, 0);
}

class CarChoiceTest : public SelectorsTest {
protected:
    // Class 4's list, as the car list filler makes it.
    CarChoiceTest() {
        g.gCarCategory = 4;
        for (auto [name, id] : {std::pair{"Peugeot 205 GTI", 74}, {"Peugeot 206", 75}}) {
            w.cmbCar.AddItem(name);
            w.cmbCar.SetItemData(w.cmbCar.ListCount() - 1, id);
        }
    }
};

TEST_F(CarChoiceTest, APickedCarIsRememberedForItsClassWithLabelAndSkin) {
    Put("C:\\Kovarra\\Cars\\Cars.ini", "[Skins]\r\nSkin75=2\r\n");
    Put("C:\\Kovarra\\Cars\\PEUGEOT_206_grA\\skins.ini", "[Skin2]\r\nCode=blue\r\n");
    w.cmbCar.SetListIndex(1);
    EXPECT_EQ(g.gCarPlus, 75);
    EXPECT_EQ(g.gCar, 2);
    EXPECT_EQ(g.gCatCars[4].slot, 2);
    EXPECT_EQ(g.gCatCars[4].id, 75);
    EXPECT_EQ(g.gCarLabel, "[A7] Peugeot 206");
    EXPECT_EQ(w.laCarDescr.Caption(), "[A7] Peugeot 206");
    EXPECT_EQ(vm::cars.carTable[75].skinNumber, 2);
    EXPECT_EQ(vm::cars.carTable[75].skinCode, "blue");
}

TEST_F(CarChoiceTest, TypingATextThatNamesNoCarKeepsTheCarChosen) {
    w.cmbCar.SetListIndex(0);
    w.cmbCar.SetText("Peugeot 20");
    EXPECT_EQ(g.gCarPlus, 74);
    EXPECT_EQ(g.gCatCars[4].id, 74);
    EXPECT_EQ(w.laCarDescr.Caption(), "[A7] Peugeot 205 GTI");

    w.cmbCar.SetText("Peugeot 206");  // typed in full: still no entry is selected
    EXPECT_EQ(g.gCarPlus, 74);
}

TEST_F(SelectorsTest, AClassButtonIsTheOnlyYellowOneAndListsItsCarsWithTheRememberedOne) {
    w.cmdCat[1].SetBackcolor(0x00FFFF);
    w.cmdCat[7].SetBackover(0x123456);
    g.gCatCars[4] = {2, 75};
    w.cmdCat_Click(4);
    EXPECT_EQ(g.gCarCategory, 4);
    w.cmdCat.ForEach([](int k, ui::PushButton& b) {
        EXPECT_EQ(b.Backcolor(), k == 4 ? 0x00FFFFu : 0xFFFFFFu) << k;
        EXPECT_EQ(b.Backover(), 0xE0E0E0u) << k;
    });
    EXPECT_EQ(w.cmbCar.ListCount(), 8);
    EXPECT_TRUE(w.cmbCar.Enabled());
    EXPECT_EQ(w.cmbCar.Text(), "Peugeot 206");
    EXPECT_EQ(g.gCarPlus, 75);
    EXPECT_EQ(w.laCarDescr.Caption(), "[A7] Peugeot 206");
}

TEST_F(SelectorsTest, TheRepairButtonLogsIt) {
    w.Show();
    w.cmdRepair.SetEnabled(true);  // as the set-up leaves it
    os.clock.now.minute = 50;
    w.cmdRepair.Press();
    EXPECT_NE(RunLog().find("2007-03-15 21:50:02 REPAIR DAMAGE\r\n"), std::string::npos);
}

TEST(StageTablesTest, RoadbookStagesFindTheirCountryAndListIndex) {
    struct Row {
        int country;
        std::vector<std::int32_t> ids;  // in list order
    } rows[] = {
        {0, {10, 11, 12, 13, 14, 15, 16, 17}},
        {1, {20, 21, 22, 23, 24, 25, 71, 90, 26, 27, 107, 200}},
        {2, {31, 32, 33, 34, 35, 36, 30, 37, 1000}},
        {3, {41, 42, 43, 44, 45, 46, 48, 47}},
        {4, {51, 52, 53, 54, 55, 56, 50, 57}},
        {5, {61, 62, 63, 64, 65, 66, 60, 67}},
        {6, {94, 92}},
        {7, {114}},  // Portugal's only stage
    };
    for (const Row& row : rows)
        for (std::size_t i = 0; i < row.ids.size(); ++i)
            EXPECT_EQ(gFill::PlaceOfStage(row.ids[i]), (gFill::StagePlace{row.country, static_cast<int>(i)}))
                << row.ids[i];
    // In no list: 96 belongs to the Czech Republic, anything else to no country.
    EXPECT_EQ(gFill::PlaceOfStage(96), (gFill::StagePlace{6, -1}));
    for (std::int32_t id : {0, 1, 18, 115, 771, -5})
        EXPECT_EQ(gFill::PlaceOfStage(id), (gFill::StagePlace{0, -1})) << id;
}

TEST(StageTablesTest, TheHostKnowsSomeStagesUnderAnotherTrackId) {
    struct Row {
        std::vector<std::int32_t> stageIds;
        std::int32_t hostTrack;
    } rows[] = {
        {{16}, 12}, {{17}, 13}, {{26}, 21}, {{27}, 23}, {{30}, 32}, {{37}, 33},
        {{47, 771, 772, 773, 774, 775, 776}, 43}, {{48, 96}, 44}, {{50}, 52}, {{57}, 53},
        {{60}, 61}, {{67}, 64}, {{92, 114}, 41}, {{107}, 25}, {{200}, 20}, {{1000}, 36},
    };
    for (const Row& row : rows)
        for (std::int32_t id : row.stageIds) EXPECT_EQ(gFill::HostTrackId(id), row.hostTrack) << id;
    for (std::int32_t id : {0, 10, 41, 44, 94, 777, 999}) EXPECT_EQ(gFill::HostTrackId(id), id);
}

}  // namespace
}  // namespace vmtest

// The stages (SS) of an event: a picked section of the roadbook sets the selectors and the
// current stage, and the countdown runs to the driver's own start.
#include <gtest/gtest.h>

#include "client/Colors.h"
#include "client/CurrentStage.h"
#include "preparation/Roadbook.h"
#include "tests/client/ClientTest.h"
#include "tests/client/SelectorFixture.h"

namespace vmtest {
namespace {

using gFunc::rb;
using vm::g;
using Texts = std::vector<std::string>;

constexpr std::int32_t k1430 = 14 * 3600 + 30 * 60;

class EventStageTest : public SelectorFixture {
protected:
    // Roadbook section n.
    void Section(int n, std::int16_t stage, std::int16_t weather = 0, const std::string& sky = "",
                 std::int32_t humid = 0, std::int32_t wear = 1, std::int32_t surface = -1) {
        rb.gRoadbookSS[n] = stage;
        rb.gRoadbookWeather[n] = weather;
        rb.gRoadbookTime[n] = k1430;
        rb.gRoadbookSky[n] = sky;
        rb.gRoadbookHumid[n] = humid;
        rb.gRoadbookWear[n] = wear;
        rb.gRoadbookSurface[n] = surface;
    }
};

TEST_F(EventStageTest, ASectionSetsTheSelectorsAndBecomesTheCurrentStage) {
    g.gStage = 5;
    g.gSkyIndex = 1;
    Section(3, 41, 2, "41o_m_LIGHTRAIN_heavycloud", 1, 2, -1);
    w.ApplyEventStage(3);

    EXPECT_FALSE(w.cmdSS[3].Enabled());
    EXPECT_EQ(w.cmdSS[3].Backcolor(), client::kUsed);
    EXPECT_EQ(g.gCurrentSS, 3);
    const vm::CurrentStage& cur = vm::curSS;
    EXPECT_EQ(cur.gCurSSStage, 41);
    EXPECT_EQ(cur.gCurSSWeather, 2);
    EXPECT_EQ(cur.gCurSSTime, k1430);
    EXPECT_EQ(cur.gCurSSSky, "41o_m_LIGHTRAIN_heavycloud");
    EXPECT_EQ(cur.gCurSSHumid, 1);
    EXPECT_EQ(cur.gCurSSWear, 2);
    EXPECT_EQ(cur.gCurSSSurface, -1);
    EXPECT_EQ(w.laCurrentStage.Caption(), "SS3");
    EXPECT_EQ(w.laCurrentStage.ForeColor(), 0x000000u);
    EXPECT_EQ(w.laCurrentStage.BackColor(), 0xFFFFFFu);

    EXPECT_EQ(g.gCountry, 3);
    EXPECT_EQ(w.cmbCountry.Text(), "France");
    EXPECT_EQ(g.gStage, 0);
    EXPECT_EQ(w.cmbStage.Text(), "Cote D'Arbroz      [4500m]");
    EXPECT_EQ(g.gStageId, 41);
    EXPECT_EQ(g.gHostTrackId, 41);
    EXPECT_FALSE(w.optWeather[0].Value());
    EXPECT_TRUE(w.optWeather[2].Value());
    EXPECT_EQ(g.gWeather, 2);
    EXPECT_EQ(w.cmbWeather.Text(), "41O_M_lightrain_heavycloud");  // found without regard to case
    EXPECT_EQ(g.gSkyIndex, 5);
    EXPECT_EQ(g.gSkyName, "41O_M_lightrain_heavycloud");
    EXPECT_EQ(w.cmbWear.Text(), "Worn");
    EXPECT_EQ(g.gWear, 2);
    EXPECT_EQ(w.cmbHumid.Text(), "Damp");
    EXPECT_EQ(g.gHumid, 1);
    EXPECT_EQ(w.cmbSurface.Text(), "Tarmac");  // France's own rule

    // Another stage's sky keeps what the sky list's filler selected.
    Section(4, 44, 0, "41M_crisp_clear");
    w.ApplyEventStage(4);
    EXPECT_EQ(g.gSkyIndex, 5);
    EXPECT_EQ(g.gSkyName, "44O_E_lightrain_heavycloud");
    EXPECT_EQ(w.cmbWeather.ListIndex(), 5);
}

TEST_F(EventStageTest, WeatherOptionsFollowTheSection) {
    struct Case {
        std::int16_t weather;
        bool option0, option2;
    } cases[] = {{0, true, false}, {1, false, false}, {2, false, true}};
    int n = 1;
    for (const Case& c : cases) {
        w.optWeather[c.weather == 0 ? 2 : 0].SetValue(true);
        Section(n, 41, c.weather);
        w.ApplyEventStage(static_cast<std::int16_t>(n++));
        EXPECT_EQ(g.gWeather, c.weather);
        EXPECT_EQ(w.optWeather[0].Value(), c.option0) << c.weather;
        EXPECT_EQ(w.optWeather[2].Value(), c.option2) << c.weather;
    }
}

TEST_F(EventStageTest, WearComesFromTheRankWhenTheRoadbookHasIntervalAndRankRule) {
    struct Case {
        std::int16_t delay, tip, rank;
        std::int32_t wear;
    } cases[] = {
        /* 0 */ {60, 1, 6, 1},  // after the fifth starter: Normal, whatever GR says
        /* 1 */ {60, 1, 5, 0},  // the first five: New
        /* 2 */ {0, 1, 6, 2},   // no interval: GR
        /* 3 */ {60, 0, 6, 2},  // no rank rule: GR
    };
    int n = 1;
    for (const Case& c : cases) {
        g.gStartDelay = c.delay;
        rb.gRoadbookTip = c.tip;
        g.gStartRank = c.rank;
        Section(n, 41, 0, "", 0, 2);
        w.ApplyEventStage(static_cast<std::int16_t>(n++));
        EXPECT_EQ(vm::curSS.gCurSSWear, c.wear) << n - 1;
        EXPECT_EQ(g.gWear, c.wear) << n - 1;
    }
}

TEST_F(EventStageTest, StagesFoundInTheirListOrAppliedByIdAlone) {
    const Texts all3{"Dry", "Damp", "Wet"}, allSurfaces{"Tarmac", "Gravel", "Snow"};
    struct Case {
        std::int16_t stage;
        int country;
        const char* shown;  // the stage selector's text; empty: none selected
        std::int32_t hostTrack;
        Texts humidity, surfaces;
        const char* surface;
        bool logged;
    } cases[] = {
        /* 0 */ {1000, 2, "Canyon             [2100m]", 36, {"Dry"}, {"Tarmac", "Gravel"}, "Gravel", false},
        /* 1 */ {114, 7, "Estadio Algarve    [2300m]", 41, {"Dry"}, {"Tarmac"}, "Tarmac", false},
        /* 2 */ {94, 6, "Pribram            [9100m]", 94, all3, allSurfaces, "Tarmac", false},
        /* 3 */ {96, 6, "", 44, all3, allSurfaces, "Tarmac", true},
        /* 4 */ {999, 0, "", 999, {"Dry"}, allSurfaces, "Snow", true},
        /* 5 */ {5, 0, "", 5, {"Dry"}, allSurfaces, "Snow", true},  // index 5 of Finland is stage 15
    };
    int n = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE("stage " + std::to_string(c.stage));
        g.gStage = 7;
        Section(n, c.stage);
        w.ApplyEventStage(static_cast<std::int16_t>(n));
        EXPECT_EQ(g.gCountry, c.country);
        EXPECT_EQ(w.cmbCountry.ListIndex(), c.country);
        EXPECT_EQ(w.cmbStage.Text(), c.shown);
        EXPECT_EQ(g.gStageId, c.stage);
        EXPECT_EQ(g.gHostTrackId, c.hostTrack);
        EXPECT_EQ(EntriesOf(w.cmbHumid), c.humidity);
        EXPECT_EQ(EntriesOf(w.cmbSurface), c.surfaces);
        EXPECT_EQ(w.cmbSurface.Text(), c.surface);
        if (c.logged) {
            EXPECT_EQ(w.cmbWeather.ListCount(), 0);  // none of these has a sky list
        }
        const std::string line = "SS" + std::to_string(n) + ": stage " + std::to_string(c.stage) +
                                 " is in no stage list, applied by its id";
        EXPECT_EQ(RunLog().find(line) != std::string::npos, c.logged);
        ++n;
    }
}

TEST_F(EventStageTest, ARoadbookValueOutsideItsListKeepsTheStagesOwn) {
    Section(1, 10, 0, "", /*humid*/ 2, /*wear*/ 3, /*surface*/ 1);  // Finland: dry only
    w.ApplyEventStage(1);
    EXPECT_EQ(w.cmbHumid.Text(), "Dry");
    EXPECT_EQ(g.gHumid, 0);
    EXPECT_EQ(w.cmbWear.Text(), "Normal");
    EXPECT_EQ(w.cmbSurface.Text(), "Gravel");  // in the list: chosen directly
    Section(2, 41, 0, "", 0, 1, 3);
    w.ApplyEventStage(2);
    EXPECT_EQ(w.cmbSurface.Text(), "Tarmac");
    const std::string log = RunLog();
    EXPECT_NE(log.find("SS1: cmbHumid has no entry 2"), std::string::npos);
    EXPECT_NE(log.find("SS1: cmbWear has no entry 3"), std::string::npos);
    EXPECT_NE(log.find("SS2: cmbSurface has no entry 3"), std::string::npos);
}

TEST_F(EventStageTest, AStageButtonEnablesTheStartOncePerArmedStageAndOnlyWithAHostFolder) {
    struct Case {
        const char* hostPath;
        bool ready, startEnabled, stillReady;
    } cases[] = {
        {"C:\\Kovarra", true, true, false},
        {"C:\\Kovarra", false, false, false},  // already used: the stage monitor arms the next
        {"", true, false, true},
    };
    int n = 1;
    for (const Case& c : cases) {
        g.gHostPath = c.hostPath;
        g.gReadyForSS = c.ready;
        w.cmdStart.SetEnabled(false);
        Section(n, 41);
        w.cmdSS_Click(n);
        EXPECT_EQ(g.gCurrentSS, n);
        EXPECT_EQ(w.cmdStart.Enabled(), c.startEnabled) << n;
        EXPECT_EQ(g.gReadyForSS, c.stillReady) << n;
        ++n;
    }
}

TEST_F(EventStageTest, CountdownToTheDriversOwnStart) {
    struct Case {
        std::int32_t start;  // TM
        std::int16_t delay, rank;
        int hour, minute, second;  // now
        const char* caption;
        ui::Color back;
    } cases[] = {
        /* 0 */ {k1430, 0, 1, 14, 27, 55, "00:02:05 to SS4", 0xFFFFFF},
        /* 1 */ {k1430, 0, 1, 14, 29, 59, "00:00:01 to SS4", 0xFFFFFF},
        /* 2 */ {k1430, 0, 1, 14, 30, 0, "00:00:00 to SS4", 0x80FF80},
        /* 3 */ {k1430, 0, 1, 14, 30, 30, "-00:00:30 to SS4", 0x80FF80},
        /* 4 */ {k1430, 0, 1, 14, 30, 59, "-00:00:59 to SS4", 0x80FF80},
        /* 5 */ {k1430, 0, 1, 14, 31, 0, "-00:01:00 to SS4", 0xFFFFFF},
        /* 6 */ {k1430, 0, 1, 15, 32, 5, "-01:02:05 to SS4", 0xFFFFFF},
        /* 7 */ {k1430, 0, 1, 11, 24, 53, "03:05:07 to SS4", 0xFFFFFF},
        /* 8 */ {k1430, 60, 3, 14, 30, 0, "00:02:00 to SS4", 0xFFFFFF},  // two intervals after the first
        /* 9 */ {k1430, 60, 3, 14, 32, 10, "-00:00:10 to SS4", 0x80FF80},
        /* 10 */ {0, 600, 300, 0, 0, 0, "49:50:00 to SS4", 0xFFFFFF},  // past 16 bits
    };
    for (const Case& c : cases) {
        vm::curSS.gCurSSTime = c.start;
        g.gStartDelay = c.delay;
        g.gStartRank = c.rank;
        os.clock.now.hour = c.hour;
        os.clock.now.minute = c.minute;
        os.clock.now.second = c.second;
        w.UpdateStageCountdown(4);
        EXPECT_EQ(w.laCDown.Caption(), c.caption) << &c - cases;
        EXPECT_EQ(w.laCDown.BackColor(), c.back) << &c - cases;
    }
}

// The driver logs in to an event of three stages and picks the first.
class EventStagesAfterLogInTest : public ClientTest {};

TEST_F(EventStagesAfterLogInTest, TheFirstSSSetsTheLockedSelectors) {
    Serve("[MAIN]\r\nDESC=Rally\r\nPWD=secret\r\n"
          "[01]\r\nSS=114\r\nWH=2\r\nTM=52200\r\nBK=41M_hazy_clear\r\nHU=0\r\nGR=0\r\nSU=-1\r\n"
          "[02]\r\nSS=44\r\nWH=0\r\nTM=55800\r\nBK=44E_crisp_clear\r\nHU=2\r\nGR=1\r\nSU=1\r\n"
          "[03]\r\nSS=16\r\nWH=0\r\nTM=59400\r\nBK=12O_E_lightsnow_heavycloud\r\nHU=0\r\nGR=2\r\nSU=-1\r\n");
    Settings("CAR1_p=26\r\nCOUNTRY=1\r\nSTAGE=3\r\n");
    ASSERT_EQ(Start(), std::nullopt);
    LogIn("secret");
    foMain& w = main();
    ASSERT_TRUE(w.Visible());

    w.cmdSS[2].Press();  // not armed yet
    EXPECT_EQ(g.gCurrentSS, 0);
    w.cmdSS[1].Press();
    EXPECT_EQ(g.gCurrentSS, 1);
    EXPECT_EQ(w.cmbCountry.Text(), "Portugal");
    EXPECT_EQ(w.cmbStage.Text(), "Estadio Algarve    [2300m]");
    EXPECT_EQ(g.gHostTrackId, 41);
    EXPECT_EQ(w.cmbWeather.Text(), "41M_hazy_clear");
    EXPECT_EQ(g.gSkyName, "41M_hazy_clear");
    EXPECT_TRUE(w.optWeather[2].Value());
    EXPECT_EQ(w.cmbHumid.Text(), "Dry");
    EXPECT_EQ(w.cmbWear.Text(), "New");
    EXPECT_EQ(w.cmbSurface.Text(), "Tarmac");
    EXPECT_FALSE(w.cmbCountry.Enabled());
    EXPECT_FALSE(w.cmdSS[1].Enabled());
    EXPECT_EQ(w.cmdSS[1].Backcolor(), client::kUsed);
    EXPECT_TRUE(w.cmdStart.Enabled());
    EXPECT_FALSE(g.gReadyForSS);
}

}  // namespace
}  // namespace vmtest

// The main window's set-up after the log-in, in event mode and in free practice.
#include <gtest/gtest.h>

#include "preparation/ResultRecord.h"
#include "services/Globals.h"
#include "tests/client/ClientTest.h"

namespace vmtest {
namespace {

using vm::g;

class MainSetupTest : public ClientTest {
protected:
    // Starts with class 1 remembering the Citroen C4 (car 26) and the host's display settings.
    void StartClient(const std::string& gameLines = "") {
        Settings("CAR1_p=26\r\n" + gameLines);
        Put(std::string(kHost) + "\\Kovarra.ini",
            "[Settings]\r\nFullscreen=false\r\nDepth=32\r\nXRes=1024\r\nYRes=768\r\n");
        ASSERT_EQ(Start(), std::nullopt);
    }
    // Logs in to the event of the roadbook's [MAIN] lines, with the start rank served.
    void EventLogIn(const std::string& mainLines, const std::string& rank = "3") {
        Serve("[MAIN]\r\nDESC=Rally of the Lakes\r\nPWD=secret\r\n" + mainLines + "[01]\r\nSS=41\r\n", rank);
        StartClient();
        LogIn("secret");
    }
    std::vector<platform::FetchingWebPanes::Navigation> Navigations() const { return os.webPanes.navigations; }

    // The selectors that only the SS buttons change in an event.
    std::vector<ui::Control*> Selectors() {
        foMain& w = main();
        return {&w.cmbCountry, &w.cmbStage, &w.optWeather[0], &w.optWeather[2], &w.cmbWeather,
                &w.cmbWear,    &w.cmbHumid, &w.cmbDamage,     &w.cmbSurface};
    }
};

TEST_F(MainSetupTest, AnEventShowsItsTitleStatusPageAndFirstSSWithTheSelectorsLocked) {
    foMain& w = main();
    // The view has laid the window out: the status pane below the car picture.
    w.Resized(800, 600);
    w.wb.SetBounds({10, 250, 300, 100});
    EventLogIn("DAM=2\r\nDEL=60\r\n");

    EXPECT_TRUE(w.Visible());
    EXPECT_FALSE(connect().Loaded());
    EXPECT_EQ(g.gClientReady, 1);
    EXPECT_TRUE(g.gReadyForSS);
    EXPECT_EQ(g.gStagePhase, 1);
    EXPECT_EQ(g.gTestFlag, 0);
    EXPECT_EQ(w.laCarDescr.Caption(), "[A8] Citro\xEBn C4");
    EXPECT_EQ(w.laRally.Caption(), "Rally of the Lakes");
    EXPECT_FALSE(w.HotLaps.Visible());
    EXPECT_FALSE(w.Replays.Visible());
    EXPECT_TRUE(w.UploadResults.Enabled());
    EXPECT_FALSE(w.TestingMode.Visible());
    EXPECT_FALSE(w.nicknameTXT.Visible());
    EXPECT_FALSE(w.Picture9.Visible());
    EXPECT_FALSE(w.cmbCar.Visible()) << "the car was chosen at log-in";
    EXPECT_FALSE(w.laCat.Visible() || w.laCar.Visible()) << "captions without their controls";

    EXPECT_EQ(w.cmbDamage.ListIndex(), 2);
    for (ui::Control* c : Selectors()) EXPECT_FALSE(c->Enabled()) << c->Name();
    for (ui::PushButton* b : {&w.cmdSetup, &w.cmdRepair, &w.cmdStart}) EXPECT_TRUE(b->Enabled()) << b->Name();
    EXPECT_TRUE(w.cmdSS[1].Enabled());
    EXPECT_EQ(w.cmdSS[1].Backcolor(), 0x00FFFFu);
    EXPECT_FALSE(w.cmdSS[2].Enabled());
    EXPECT_TRUE(w.laCDown.Visible() && w.imCDown.Visible());
    EXPECT_TRUE(w.laDelay.Visible() && w.imDelay.Visible());
    EXPECT_EQ(w.laDelay.Caption(), "+120\"");
    EXPECT_TRUE(w.laRank.Visible() && w.imRank.Visible());
    EXPECT_EQ(w.laRank.Caption(), "3\xB0");
    EXPECT_EQ(w.wb.Bounds(), (ui::Bounds{56, 250, 744, 350}));

    EXPECT_EQ(g.gWebPage, gFunc::BuildLogUrl(gFunc::kRecordStatus, "secret", "Ari", "", 0, g.gWeather, g.gCar,
                                             g.gCarPlus, g.gDamage, 0, 0, g.gHumid, g.gWear, g.gSkyIndex, 0, g.gCarCategory));
    EXPECT_EQ(Navigations(), (std::vector<platform::FetchingWebPanes::Navigation>{
                                 {"wbCar", Url("/img_car.php?driver=Ari&cat=1")}, {"wb", g.gWebPage}}));
    EXPECT_TRUE(w.wbCar.Visible());

    for (int slot = 0; slot <= 2; ++slot) EXPECT_EQ(g.gSetupFile[slot], "Default setup");
    EXPECT_EQ(w.laSetup.Caption(), "Default setups");
    // The display settings, as the log-in's host defaults left them.
    EXPECT_EQ(g.gIniFile, std::string(kHost) + "\\Kovarra.ini");
    EXPECT_EQ(g.gHostFullscreen, "true");
    EXPECT_EQ(g.gHostDepth, 32);
    EXPECT_EQ(g.gHostXRes, 1024);
    EXPECT_EQ(g.gHostYRes, 768);
}

// Event variants: the testing switch, the roadbook's damage and start interval, the start rank.
struct EventCase {
    const char* why;
    bool testing;
    const char* mainLines;
    const char* rank;
    int damage;               // the damage selector's entry; -1 none
    const char* delay;        // laDelay's caption; nullptr: no delay and rank labels
    const char* rankCaption;
};

const EventCase kEvents[] = {
    {"testing mode: no damage whatever the roadbook says", true, "DAM=3\r\nDEL=30\r\n", "1", 0, "+0\"", "1\xB0"},
    {"no start interval: no labels, even for a late rank", false, "DAM=1\r\nDEL=0\r\n", "10", 1, nullptr, nullptr},
    {"a long interval and a late rank need 32 bits", false, "DAM=1\r\nDEL=600\r\n", "100", 1, "+59400\"",
     "100\xB0"},
    {"a damage level the list does not hold leaves the selector", false, "DAM=7\r\n", "2", -1, nullptr, nullptr},
};

class EventVariantTest : public MainSetupTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(EventVariantTest, TheSetUpRunsToTheEnd) {
    const EventCase& c = GetParam();
    SCOPED_TRACE(c.why);
    if (c.testing) os.environment.commandLine = foConnect::kTestingCode;
    EventLogIn(c.mainLines, c.rank);
    foMain& w = main();
    EXPECT_EQ(w.cmbDamage.ListIndex(), c.damage);
    EXPECT_EQ(w.TestingMode.Visible(), c.testing);
    EXPECT_EQ(g.gTestFlag, c.testing ? 1 : 0);
    EXPECT_EQ(w.laDelay.Visible(), c.delay != nullptr);
    EXPECT_EQ(w.laRank.Visible(), c.delay != nullptr);
    if (c.delay) {
        EXPECT_EQ(w.laDelay.Caption(), c.delay);
        EXPECT_EQ(w.laRank.Caption(), c.rankCaption);
    }
    // The set-up ran to its end: the status page is shown and the connect window gone.
    ASSERT_FALSE(Navigations().empty());
    EXPECT_EQ(Navigations().back().pane, "wb");
    EXPECT_FALSE(connect().Loaded());
}

INSTANTIATE_TEST_SUITE_P(Roadbooks, EventVariantTest, ::testing::ValuesIn(kEvents));

TEST_F(MainSetupTest, FreePracticeTakesTheRememberedChoicesAndLeavesEverythingOpen) {
    StartClient("COUNTRY=3\r\nDAMAGE=1\r\nTYRE_TYPE=4\r\nWEATHER=2\r\n");
    LogIn("");
    foMain& w = main();
    EXPECT_TRUE(w.Visible());
    EXPECT_FALSE(connect().Loaded());
    EXPECT_EQ(w.laRally.Caption(), "TESTING ZONE...");
    EXPECT_TRUE(w.HotLaps.Visible());
    EXPECT_TRUE(w.Replays.Visible());
    EXPECT_FALSE(w.UploadResults.Enabled());
    EXPECT_FALSE(w.HotLap.Checked());

    EXPECT_EQ(w.cmbCountry.ListIndex(), 3);
    EXPECT_EQ(w.cmbDamage.ListIndex(), 1);
    EXPECT_EQ(w.cmbTyre.ListIndex(), 4);
    EXPECT_TRUE(w.optWeather[2].Value());
    EXPECT_FALSE(w.optWeather[0].Value());
    for (ui::Control* c : Selectors()) EXPECT_TRUE(c->Enabled()) << c->Name();
    for (ui::PushButton* b : {&w.cmdSetup, &w.cmdRepair, &w.cmdStart}) EXPECT_TRUE(b->Enabled()) << b->Name();
    w.cmdSS.ForEach([](int n, ui::PushButton& b) { EXPECT_FALSE(b.Enabled()) << n; });

    EXPECT_TRUE(w.cmbCar.Visible() && w.cmbCar.Enabled());
    EXPECT_TRUE(w.laCat.Visible() && w.laCar.Visible());
    EXPECT_EQ(w.cmbCar.Text(), "Citro\xEBn C4");
    w.cmdCat.ForEach([](int k, ui::PushButton& b) {
        EXPECT_TRUE(b.Visible()) << k;
        EXPECT_EQ(b.Backcolor(), k == 1 ? 0x00FFFFu : 0xFFFFFFu) << k;
    });
    EXPECT_FALSE(w.wb.Visible());
    EXPECT_FALSE(w.wbCar.Visible());
    EXPECT_FALSE(w.laCDown.Visible());
    EXPECT_FALSE(w.laDelay.Visible());
    EXPECT_EQ(g.gWebPage, "about:blank");
    EXPECT_EQ(Navigations(), (std::vector<platform::FetchingWebPanes::Navigation>{{"wb", "about:blank"}}));
}

TEST_F(MainSetupTest, FreePracticeWithoutAHostFolderCannotStart) {
    StartClient();
    g.gHostPath.clear();
    LogIn("");
    EXPECT_FALSE(main().cmdStart.Enabled());
    EXPECT_TRUE(main().cmdSetup.Enabled());
}

TEST_F(MainSetupTest, RememberedChoicesOutsideTheirListsLeaveTheSelectorsAndTheSetUpGoesOn) {
    StartClient("COUNTRY=12\r\nDAMAGE=9\r\nTYRE_TYPE=-3\r\n");
    LogIn("");
    EXPECT_EQ(main().cmbCountry.ListIndex(), -1);
    EXPECT_EQ(main().cmbDamage.ListIndex(), -1);
    EXPECT_EQ(main().cmbTyre.ListIndex(), -1);
    EXPECT_EQ(main().cmbCar.Text(), "Citro\xEBn C4");
    EXPECT_FALSE(connect().Loaded());
}

// 0 and 2 pick their option; any other value leaves both as they were, whichever was on.
struct WeatherCase {
    int weather;   // remembered
    int onBefore;  // the option on before the log-in
    int onAfter;
};

const WeatherCase kWeathers[] = {{0, 2, 0}, {2, 0, 2}, {1, 0, 0}, {1, 2, 2}};
void PrintTo(const WeatherCase& c, std::ostream* os) {
    *os << "weather " << c.weather << ", option " << c.onBefore << " on before";
}

class WeatherTest : public MainSetupTest, public ::testing::WithParamInterface<WeatherCase> {};

TEST_P(WeatherTest, TheRememberedWeatherPicksItsOption) {
    const WeatherCase& c = GetParam();
    StartClient("WEATHER=" + std::to_string(c.weather) + "\r\n");
    main().optWeather[c.onBefore].SetValue(true);
    g.gWeather = c.weather;  // the option's handler stored its own; the set-up reads the remembered one
    LogIn("");
    EXPECT_EQ(main().optWeather[0].Value(), c.onAfter == 0);
    EXPECT_EQ(main().optWeather[2].Value(), c.onAfter == 2);
}

INSTANTIATE_TEST_SUITE_P(Remembered, WeatherTest, ::testing::ValuesIn(kWeathers));

}  // namespace
}  // namespace vmtest

// The log-in on the connect window: car classes and their car lists, the requests to the event's
// server in their order, the refused registration, the event password and its retry.
#include <gtest/gtest.h>

#include <functional>

#include "catalogues/CarTable.h"
#include "services/Globals.h"
#include "tests/client/ClientTest.h"

namespace vmtest {
namespace {

using vm::g;

const char* kRallyText =
    "Velomark rally\n\r\n\r"
    "Remember you can\x92t close this utility until the end of the rally\n\r"
    "If you close the utility before the end of the rally, you will be disqualified\n\r"
    "Remember you must observe the roadbook timetable\n\r";
const char* kRoadbook = "[MAIN]\r\nDESC=Rally of the Lakes\r\nPWD=secret\r\nDAM=2\r\nDEL=60\r\n[01]\r\nSS=41\r\n";
const char* kLogLines = "User :Ari\r\nCar :0 CarPlus:26\r\n \r\n";

class LogInTest : public ClientTest {
protected:
    // Starts with class 1 remembering the Citroen C4 (car 26, slot 0).
    void StartClient() {
        Settings("CAR1_p=26\r\n");
        ASSERT_EQ(Start(), std::nullopt);
    }
    std::string RunLog() { return Get("C:\\VelomarkLog_20070315214502.txt"); }
};

// The remembered pair of a class (slot value, catalogue id) and the car it selects.
struct Preselection {
    int category, slot, id;
    int selected;  // car id
    const char* why;
};

const Preselection kPreselections[] = {
    {1, 0, 0, 0, "fresh settings: the slot value 0 stands for car 0"},
    {1, 3, 101, 101, "a catalogue id of 10 or more"},
    {5, 2, 5, 91, "an id below 10 is unset: the slot value 2 names car 2, at place 1"},
    {9, 0, 0, 202, "a one-car class: car 0's place 1 is past the list, so the last car"},
    {10, 7, 0, 500, "a one-car class"},
    {3, 1, 0, 2, "car 1's place 10 is past the two-car list: the last car"},
    {2, 4, 0, 201, "car 4's place 16 is past the list of 8: the last car, in any class"},
    {7, 0, 2000, 45, "an id the catalogue does not have: the last car"},
};

class PreselectionTest : public LogInTest, public ::testing::WithParamInterface<Preselection> {};

TEST_P(PreselectionTest, AClassButtonListsTheClassAndSelectsItsRememberedCar) {
    const Preselection& c = GetParam();
    SCOPED_TRACE(c.why);
    const std::string k = std::to_string(c.category);
    Settings("CAR" + k + "=" + std::to_string(c.slot) + "\r\nCAR" + k + "_p=" + std::to_string(c.id) + "\r\n");
    ASSERT_EQ(Start(), std::nullopt);

    connect().cmdCat[c.category].Press();
    const auto& car = vm::cars.carTable[static_cast<std::size_t>(c.selected)];
    ui::ComboBox& list = connect().cmbCar;
    EXPECT_EQ(list.ListCount(), vm::cars.gCatCount[static_cast<std::size_t>(c.category)] + 1);
    EXPECT_EQ(list.ListIndex(), car.position);
    EXPECT_EQ(list.Text(), car.name);
    EXPECT_EQ(g.gCarPlus, c.selected);
    EXPECT_EQ(g.gCar, car.slot);
    EXPECT_EQ(g.gCatCars[static_cast<std::size_t>(c.category)].id, c.selected) << "the choice is remembered";
    EXPECT_EQ(g.gCatCars[static_cast<std::size_t>(c.category)].slot, car.slot);
    EXPECT_TRUE(list.Enabled());
    EXPECT_TRUE(connect().connectCMD.Enabled());
    connect().cmdCat.ForEach([&](int index, ui::PushButton& b) {
        EXPECT_EQ(b.Backcolor(), index == c.category ? 0x00FFFFu : 0xFFFFFFu) << index;
        EXPECT_EQ(b.Backover(), 0xE0E0E0u) << index;
    });

    // The main window's car list is the same list with the same choice.
    g.gCatCars[static_cast<std::size_t>(c.category)] = {c.slot, c.id};
    main().FillCarCombo(static_cast<std::int16_t>(c.category));
    EXPECT_EQ(main().cmbCar.ListIndex(), car.position);
    EXPECT_EQ(main().cmbCar.ListCount(), list.ListCount());
}

INSTANTIATE_TEST_SUITE_P(Remembered, PreselectionTest, ::testing::ValuesIn(kPreselections));

TEST_F(LogInTest, ACarListHoldsTheClassCarsInOrderWithTheirIdsAndNames) {
    StartClient();
    connect().cmdCat[8].Press();
    ui::ComboBox& list = connect().cmbCar;
    ASSERT_EQ(list.ListCount(), 3);
    const char* names[] = {"Ford Fiesta ST", "Peugeot 206", "Peugeot 306"};
    const int ids[] = {205, 203, 204};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.List(i), names[i]) << i;
        EXPECT_EQ(list.ItemData(i), ids[i]) << i;
    }
    connect().cmdCat[1].Press();
    EXPECT_EQ(list.List(0), "Citro\xEBn C4") << "names reach the list unchanged";
    EXPECT_EQ(list.ListCount(), 30);
}

TEST_F(LogInTest, WithoutANicknameTheConnectButtonDoesNothing) {
    StartClient();
    connect().nicknameTXT.SetText("");
    const std::string settings = Get(kIni);
    LogIn("secret");
    EXPECT_TRUE(os.http.requests.empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Get(kIni), settings);
    EXPECT_EQ(Get(std::string(kHost) + "\\Kovarra.ini"), "<missing>");
    EXPECT_TRUE(connect().Visible());
    EXPECT_FALSE(main().Visible());
}

TEST_F(LogInTest, FreePracticeAsksTheServerNothingAndOpensTheMainWindow) {
    StartClient();
    connect().nicknameTXT.SetText("Bea");
    LogIn("");
    EXPECT_TRUE(os.http.requests.empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(connect().Loaded());
    EXPECT_TRUE(main().Visible());
    EXPECT_EQ(g.gCarLabel, "[A8] Citro\xEBn C4");
    EXPECT_NE(RunLog().find("User :Bea\r\nCar :0 CarPlus:26\r\n \r\n"), std::string::npos) << RunLog();
    // The choices are saved and the host's defaults written.
    EXPECT_NE(Get(kIni).find("NAME=Bea"), std::string::npos);
    EXPECT_NE(Get(kIni).find("CAR1_p=26"), std::string::npos);
    EXPECT_NE(Get(std::string(kHost) + "\\Kovarra.ini").find("RunIntro=false"), std::string::npos);
}

// Records whether the connect window could be used while each request ran.
class WatchingHttp : public platform::HttpPort {
public:
    WatchingHttp(platform::HttpPort& inner, const ui::Form& window) : inner_(inner), window_(window) {}
    std::vector<bool> usable;
    std::optional<std::string> Get(const std::string& url, int timeoutSeconds) override {
        usable.push_back(window_.Enabled());
        return inner_.Get(url, timeoutSeconds);
    }

private:
    platform::HttpPort& inner_;
    const ui::Form& window_;
};

TEST_F(LogInTest, AnEventLogInAsksTimeRankRoadbookAndRegistrationInOrderThenOpensTheEvent) {
    Serve(kRoadbook);
    StartClient();
    WatchingHttp watching(os.http, connect());
    platform::ports().http = &watching;
    LogIn("secret");

    const std::vector<std::string> asked(os.http.requests.begin(), os.http.requests.begin() + 4);
    EXPECT_EQ(asked, (std::vector<std::string>{Url("/ora.php"), Url("/rank.php?user=Ari&pwd=secret"),
                                               Url("/roadbook/qvr-race.ini"), RegistrationUrl(26)}));
    EXPECT_EQ(watching.usable, std::vector<bool>(4, false)) << "the window is not usable while a request runs";
    // Then the main window's panes: the car picture and the event's status page.
    ASSERT_EQ(os.http.requests.size(), 6u);
    EXPECT_EQ(os.http.requests[4], Url("/img_car.php?driver=Ari&cat=1"));
    EXPECT_EQ(os.http.requests[5], g.gWebPage);
    EXPECT_EQ(g.gWebPage.rfind(Url("/log.php?user=Ari&msg="), 0), 0u) << g.gWebPage;

    EXPECT_EQ(os.clock.setCalls, (std::vector<platform::LocalTime>{{2007, 3, 15, 12, 34, 56, 0}}));
    EXPECT_EQ(g.gStartRank, 3);
    EXPECT_EQ(Get("C:\\Velomark\\qvr-race.ini"), kRoadbook);
    EXPECT_EQ(g.gRoadbookPwd, "secret");
    ASSERT_EQ(os.messageBox.shown.size(), 1u);
    EXPECT_EQ(os.messageBox.shown[0].text, kRallyText);
    EXPECT_EQ(os.messageBox.shown[0].title, "Velomark2");
    EXPECT_EQ(os.messageBox.shown[0].style, platform::kMsgOk);
    EXPECT_NE(RunLog().find(kLogLines), std::string::npos);
    EXPECT_FALSE(connect().Loaded());
    EXPECT_TRUE(main().Visible());
}

TEST_F(LogInTest, ARegistrationReplyOtherThanOkIsShownAndTheWindowStaysForAnotherTry) {
    Serve(kRoadbook);
    StartClient();
    struct Case {
        std::optional<std::string> reply;  // nothing: the request fails
        std::string shown;
    };
    const Case cases[] = {
        {"OK\r\n", "OK\r\n"},
        {"ok", "ok"},
        {" OK", " OK"},
        {"Driver unknown", "Driver unknown"},
        {std::nullopt, RegistrationUrl(26)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.reply)
            os.http.replies[RegistrationUrl(26)] = *c.reply;
        else
            os.http.replies.erase(RegistrationUrl(26));
        os.messageBox.shown.clear();
        LogIn("secret");
        ASSERT_EQ(os.messageBox.shown.size(), 1u);
        EXPECT_EQ(os.messageBox.shown[0].text, c.shown);
        EXPECT_EQ(os.messageBox.shown[0].title, "Velomark2");
        EXPECT_EQ(os.messageBox.shown[0].style, platform::kMsgCritical);
        EXPECT_TRUE(connect().Visible());
        EXPECT_TRUE(connect().Enabled());
        EXPECT_FALSE(main().Visible());
        EXPECT_EQ(RunLog().find("User :"), std::string::npos) << "no log lines";
    }
}

TEST_F(LogInTest, AWrongEventPasswordEmptiesItsBoxAndTheNextTryIsFreePractice) {
    Serve(kRoadbook);
    StartClient();
    LogIn("Secret");  // letter case counts
    ASSERT_EQ(os.messageBox.shown.size(), 1u);
    EXPECT_EQ(os.messageBox.shown[0].text, "Wrong Rally Password!! \n\rRETRY!!");
    EXPECT_EQ(os.messageBox.shown[0].title, "Velomark2");
    EXPECT_EQ(os.messageBox.shown[0].style, platform::kMsgOk);
    EXPECT_EQ(connect().edPwd.Text(), "");
    EXPECT_EQ(g.gRallyPwd, "");
    EXPECT_NE(RunLog().find(kLogLines), std::string::npos);
    EXPECT_FALSE(main().Visible());

    const auto asked = os.http.requests.size();
    connect().connectCMD.Press();
    EXPECT_EQ(os.http.requests.size(), asked) << "free practice asks the server nothing";
    EXPECT_EQ(os.messageBox.shown.size(), 1u);
    EXPECT_TRUE(main().Visible());
    EXPECT_EQ(main().laRally.Caption(), "TESTING ZONE...");
}

TEST_F(LogInTest, FailedTimeRankAndRoadbookRequestsAreSkippedAndTheEmptyRoadbookFailsThePassword) {
    Serve(kRoadbook);
    for (const char* path : {"/ora.php", "/rank.php?user=Ari&pwd=secret", "/roadbook/qvr-race.ini"})
        os.http.replies.erase(Url(path));
    Put("C:\\Velomark\\qvr-race.ini", kRoadbook);  // from an earlier log-in
    StartClient();
    LogIn("secret");
    EXPECT_EQ(os.http.requests.size(), 4u);
    EXPECT_TRUE(os.clock.setCalls.empty());
    EXPECT_EQ(g.gStartRank, 0);
    EXPECT_EQ(Get("C:\\Velomark\\qvr-race.ini"), "");
    ASSERT_EQ(os.messageBox.shown.size(), 1u);
    EXPECT_EQ(os.messageBox.shown[0].text, "Wrong Rally Password!! \n\rRETRY!!");
}

}  // namespace
}  // namespace vmtest

// The shifter's plug-in object: its menu page, menu input, key capture, results page and the
// stage log, against a recording host.
#include <cmath>
#include <cstring>
#include <limits>

#include "tests/plugins/ShifterFixture.h"

namespace vmtest {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

constexpr int kUp = 1, kDown = 2, kLeft = 4, kRight = 8, kSelect = 16;

class ShifterPluginTest : public ShifterTest {
protected:
    void Keys(int keys) {
        Plugin().HandleMenuKeys(0x55AA, keys & kUp, keys & kDown, keys & kLeft, keys & kRight, keys & kSelect);
    }
    void GoToRow(int row) {
        while (Plugin().SelectedRow() != row) Keys(kDown);
    }
    // Draws once, a second after the last draw.
    std::vector<std::string> DrawLater() {
        os.clock.ticks += 1001;
        return DrawnValues();
    }
};

TEST_F(ShifterPluginTest, AMenuDrawMakesTheHostCallsInOrder) {
    Settings("Key0=2a\r\nKey1=101\r\nKey2=109\r\nKey3=100\r\n");
    Poll();
    Plugin();
    host.calls.clear();
    Plugin().DrawMenu();
    std::vector<std::string> expected = {
        "5: 0 0 0 0", "6: 0 68 250 21", "11: 1", "4: 250 49 3 250", "11: 2", "11: 4", "10: 1", "2: 73 49 QVR H-Shift",
        "11: 3"};
    const char* rows[][2] = {
        {"Enabled", "False"},                  // 0
        {"Auto Neutral", "False"},             // 1
        {"Controller", "No Controllers Found"},  // 2
        {"1st Gear", "Keyboard Button 42"},    // 3: "2a"
        {"2nd Gear", "Mouse Button 1"},        // 4: 257
        {"3rd Gear", "Joystick Button 1"},     // 5: 265
        {"4th Gear", ""},                      // 6: 256, no input
        {"5th Gear", "Keyboard Button 0"},     // 7
        {"6th Gear", "Keyboard Button 0"},     // 8
        {"Reverse", "Keyboard Button 0"},      // 9
        {"Save Changes", ""},                  // 10
    };
    for (int row = 0; row < 11; ++row) {
        expected.push_back("2: 73 " + std::to_string(row * 21 + 70) + " " + rows[row][0]);
        expected.push_back("2: 260 " + std::to_string(row * 21 + 70) + " " + rows[row][1]);
    }
    EXPECT_THAT(host.calls, ElementsAreArray(expected));
    EXPECT_STREQ(Plugin().PluginTitle(), "QVR H-Shifter");
}

TEST_F(ShifterPluginTest, UpAndDownWrapAndTheBoxFollows) {
    DrawnValues();
    Keys(kUp);
    EXPECT_EQ(Plugin().SelectedRow(), 10);
    Keys(kDown);
    EXPECT_EQ(Plugin().SelectedRow(), 0);
    Keys(kDown);
    DrawnValues();
    EXPECT_EQ(host.calls.at(1), "6: 0 89 250 21");
}

TEST_F(ShifterPluginTest, LeftAndRightToggleTheSwitchesOncePerDirection) {
    DrawnValues();
    Keys(kLeft);
    EXPECT_TRUE(shifter.enabled);
    Keys(kLeft | kRight);
    EXPECT_TRUE(shifter.enabled);
    Keys(kDown | kRight);
    EXPECT_TRUE(shifter.autoNeutral);
    EXPECT_EQ(DrawnValues().at(1), "True");
}

TEST_F(ShifterPluginTest, ACaptureBindsTheLastActiveInputButNeverEnter) {
    Poll();
    DrawnValues();
    GoToRow(5);
    Keys(kSelect);
    EXPECT_TRUE(shifter.capturing);
    EXPECT_EQ(shifter.captureIndex, 2);
    EXPECT_EQ(DrawnValues().at(5), "Press A Key... 6");

    Keys(kDown);  // ignored while capturing
    EXPECT_EQ(Plugin().SelectedRow(), 5);

    input.SetKey(28, true);  // Enter
    Poll();
    DrawnValues();
    EXPECT_TRUE(shifter.capturing);

    input.SetKey(0x10, true);
    input.SetKey(0x2C, true);
    Poll();
    EXPECT_EQ(DrawnValues().at(5), "Keyboard Button 44");
    EXPECT_FALSE(shifter.capturing);
    EXPECT_EQ(shifter.bindings[2], 0x2Cu);
}

TEST_F(ShifterPluginTest, ACaptureWithoutInputEndsAfterItsCountdownUnchanged) {
    Poll();
    shifter.bindings[0] = 0x11;
    DrawnValues();
    GoToRow(3);
    Keys(kSelect);
    std::vector<std::string> shown;
    for (int i = 0; i < 8 && shifter.capturing; ++i) shown.push_back(DrawLater().at(3));
    EXPECT_THAT(shown, ElementsAre("Press A Key... 6", "Press A Key... 5", "Press A Key... 4", "Press A Key... 3",
                                   "Press A Key... 2", "Press A Key... 1"));
    EXPECT_FALSE(shifter.capturing);
    EXPECT_EQ(shifter.bindings[0], 0x11u);
}

TEST_F(ShifterPluginTest, SaveChangesWritesTheSettingsAndShowsANoticeForThreeSeconds) {
    Settings("ControlIndex=0\r\n");
    Poll();
    shifter.enabled = true;
    shifter.bindings[0] = 0x2A;
    shifter.bindings[6] = 300;
    DrawnValues();
    GoToRow(10);
    Keys(kSelect);
    EXPECT_EQ(Get("C:\\Kovarra\\plugins\\shifter.ini"),
              "[MAIN]\r\nControlIndex=0\r\nEnabled=1\r\nAutoNeutral=0\r\nKey0=2a\r\nKey1=0\r\nKey2=0\r\nKey3=0\r\n"
              "Key4=0\r\nKey5=0\r\nKey6=12c\r\n");
    std::vector<std::string> shown;
    for (int i = 0; i < 5; ++i) shown.push_back(DrawLater().at(10));
    EXPECT_THAT(shown, ElementsAre("File Saved...", "File Saved...", "File Saved...", "", ""));
}

TEST_F(ShifterPluginTest, TheControllerRowWalksTheAttachedControllers) {
    input.controllers = {{"Wheel"}, {"Shifter box"}};
    Poll();
    DrawnValues();
    GoToRow(2);
    EXPECT_EQ(DrawnValues().at(2), "Index: 0  Name: Wheel");
    Keys(kRight);
    Keys(kRight);
    EXPECT_EQ(shifter.controllerIndex, 1);
    EXPECT_EQ(DrawnValues().at(2), "Index: 1  Name: Shifter box");
    Keys(kLeft);
    Keys(kLeft);
    EXPECT_EQ(shifter.controllerIndex, 0);
    EXPECT_THAT(input.Calls(), testing::IsSupersetOf({"Release controller 0", "OpenController 1", "Release controller 1"}));
    EXPECT_EQ(input.UsesOfReleased(), 0);
}

TEST_F(ShifterPluginTest, RightWithNoControllerGivesIndexMinusOne) {
    Poll();
    DrawnValues();
    GoToRow(2);
    Keys(kRight);
    EXPECT_EQ(shifter.controllerIndex, -1);
    EXPECT_EQ(DrawnValues().at(2), "No Controllers Found");
}

TEST_F(ShifterPluginTest, ALongControllerNameIsCutToTheValueColumn) {
    input.controllers = {{std::string(300, 'w')}};
    Poll();
    EXPECT_EQ(shifter.input.ControllerName(), std::string(255, 'w'));
    EXPECT_EQ(DrawnValues().at(2), ("Index: 0  Name: " + std::string(255, 'w')).substr(0, 255));
}

TEST_F(ShifterPluginTest, StageTimes) {
    struct Case {
        float seconds;
        const char* text;
    } cases[] = {
        {83.456f, "01:23:45"},                                        // 0
        {3725.5f, "62:05:50"},                                        // 1: minutes not wrapped
        {-1.5f, "-00:01:50"},                                         // 2
        {0.0f, "00:00:00"},                                           // 3
        {59.999f, "00:59:99"},                                        // 4
        {std::numeric_limits<float>::infinity(), "357913:56:00"},     // 5: clamped, no overflow
        {std::numeric_limits<float>::quiet_NaN(), "357913:56:00"},    // 6
    };
    for (const Case& c : cases) {
        char out[32];
        std::memset(out, 'k', sizeof out);
        shifter::FormatStageTime(out, sizeof out, c.seconds);
        EXPECT_STREQ(out, c.text) << c.seconds;
    }
    char small[6];
    shifter::FormatStageTime(small, sizeof small, 83.456f);
    EXPECT_STREQ(small, "01:23");
}

TEST_F(ShifterPluginTest, TheStageLogHoldsEveryStageEvent) {
    Put("C:\\qvrplugin.log", "an old run\r\n");
    Plugin();
    EXPECT_EQ(Get("C:\\qvrplugin.log"), "");

    Plugin().OnStageStart(3, "Col de Turini", true);
    Plugin().OnCheckpoint(40.5f, 1, "Col de Turini");
    Plugin().OnStageEnd(40.5f, 81.25f, 122.0f, "Col de Turini");
    Plugin().OnStageStart(4, "Joux Plane", false);
    Plugin().OnStageEnd(40.5f, 0.0f, 0.0f, "Joux Plane");
    EXPECT_EQ(Get("C:\\qvrplugin.log"),
              "Stage [3] started. [Col de Turini] False Start\r\n"
              "[CheckPoint 1] : 00:40:50 : Col de Turini\r\n"
              "Stage Result for \"Col de Turini\": \r\n[CP1] = 00:40:50\r\n[CP2] = 01:21:25\r\n[Finish] = 02:02:00\r\n\r\n"
              "Stage [4] started. [Joux Plane] \r\n"
              "Stage Result for \"Joux Plane\": DNF.\r\n");
    EXPECT_THAT(host.calls, ElementsAre("12: 1 1 1 1", "1: Stage Started 10 50 150", "12: 1 1 1 1",
                                        "1: CHECKPOINT!!!!!!!!!! 5 50 250", "12: 1 1 1 1", "1: Stage Started 10 50 150"));
}

TEST_F(ShifterPluginTest, TheResultsPageShowsTheLastResultOrDnf) {
    host.calls.clear();
    Plugin().DrawResults();
    EXPECT_THAT(host.calls, ElementsAre("11: 4", "10: 1", "2: 130 49 Results", "10: 0", "11: 3", "2: 200 100 DNF"));

    const std::string longName(40, 'n');
    Plugin().OnStageEnd(40.5f, 81.25f, 122.0f, longName.c_str());
    host.calls.clear();
    Plugin().DrawResults();
    EXPECT_THAT(host.TextsAt(130), ElementsAre("Results", "Stage Result for \"" + std::string(31, 'n') + "\" ",
                                               "CheckPoint1 = 00:40:50", "CheckPoint2 = 01:21:25", "Finish = 02:02:00"));

    Plugin().OnStageEnd(30.0f, 0.0f, -1.0f, "Joux Plane");
    host.calls.clear();
    Plugin().DrawResults();
    EXPECT_EQ(host.calls.back(), "2: 200 100 DNF");
}

TEST_F(ShifterPluginTest, AResultThatCannotBeLoggedLeavesThePreviousResult) {
    Plugin().OnStageEnd(40.5f, 81.25f, 122.0f, "Col de Turini");
    ASSERT_EQ(os.files.SetAttributes("C:\\qvrplugin.log", platform::kAttrReadOnly), platform::FsStatus::Ok);
    Plugin().OnStageEnd(10.0f, 20.0f, 0.0f, "Joux Plane");
    host.calls.clear();
    Plugin().DrawResults();
    EXPECT_EQ(host.calls.at(5), "2: 130 100 Stage Result for \"Col de Turini\" ");
}

TEST_F(ShifterPluginTest, DestroyingTheObjectTellsThePollThreadToEnd) {
    Plugin();
    EXPECT_FALSE(shifter.stop.Raised());
    plugin->ScalarDeletingDestructor(1);
    plugin = nullptr;
    EXPECT_TRUE(shifter.stop.Raised());
}

}  // namespace
}  // namespace vmtest

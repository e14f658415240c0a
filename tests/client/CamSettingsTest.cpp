// The camera editor on a car's INI file in the host folder: which car's file it opens, the
// numbers in the user's form on screen and with a point in the file, the inverted
// steering-wheel switch, the step, and values that are missing or no numbers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogues/CarCatalogue.h"
#include "client/CameraSettings.h"
#include "client/foCam.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;
using vm::gCamera;

constexpr const char* kHost = "C:\\Kovarra";
// The INI files of the Peugeot 206 (car 4) and the Citroen C4 (car 26).
constexpr const char* kCar4Ini = "C:\\Kovarra\\Cars\\Peugeot_206\\Peugeot_206.ini";
constexpr const char* kCar26Ini = "C:\\Kovarra\\Cars\\C4\\C4.ini";

// A camera file with keys and sections the editor does not touch.
const std::string kCamera =
    "[Cam_internal]\r\nFOV=60\r\nPos=0.5 1.25 -0.75\r\nTarget=0 1 5\r\nNear=0.1\r\nShake=1\r\n"
    "[i_steeringwheel]\r\nSwitch=false\r\nModel=wheel.gmt\r\n"
    "[Cam_external]\r\nFOV=75\r\n";

class CamSettingsTest : public VmTest {
protected:
    CamSettingsTest() {
        g.gHostPath = kHost;
        gFill::FillCarTable();
        // Class 3 remembers car 26.
        g.gCarCategory = 3;
        g.gCatCars[3] = {4, 26};
        g.gStepCam = 0.5;
        Regional(".");
        MakeFolders(os.files, "C:\\Velomark");
    }
    // The user's decimal separator, in the settings and in the regional form alike.
    void Regional(const std::string& sep) {
        g.gDecimalSep = sep;
        os.regional.decimalSeparator = sep;
    }
    // A new editor, as each opening from the menu makes one.
    foCam& Open() {
        window_ = std::make_unique<foCam>();
        window_->Show();
        return *window_;
    }
    std::vector<std::string> Shown(foCam& w) {
        return {w.laFov.Caption(),       w.laNear.Caption(),      w.laPos[0].Caption(),    w.laPos[1].Caption(),
                w.laPos[2].Caption(),    w.laTarget[0].Caption(), w.laTarget[1].Caption(), w.laTarget[2].Caption()};
    }

private:
    std::unique_ptr<foCam> window_;
};

TEST_F(CamSettingsTest, TheClassesRememberedCarOrItsSlotWhenNoCarIdIsRemembered) {
    struct Case {
        int line;
        std::int32_t category, slot, id;
        const char* file;  // nullptr: no car
    } cases[] = {
        {__LINE__, 3, 4, 26, kCar26Ini},
        {__LINE__, 3, 4, 0, kCar4Ini},  // no id remembered: the slot value is taken as the car id
        {__LINE__, 3, 4, -2, kCar4Ini},
        {__LINE__, 0, 4, 26, nullptr},  // no class
        {__LINE__, 11, 4, 26, nullptr},
        {__LINE__, 3, 4, 1000, nullptr},  // an id the catalogue has no place for
    };
    Put(kCar4Ini, "[Cam_internal]\r\nFOV=44\r\n");
    Put(kCar26Ini, "[Cam_internal]\r\nFOV=26\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        g.gCarCategory = c.category;
        if (c.category >= 1 && c.category <= 10) g.gCatCars[static_cast<std::size_t>(c.category)] = {c.slot, c.id};
        gCamera.fov = 90;
        foCam& w = Open();
        EXPECT_EQ(gCamera.fov, c.file == nullptr ? 90 : c.file == std::string(kCar26Ini) ? 26 : 44);
        gCamera.fov = 12;
        w.save.Press();
        if (c.file != nullptr) {
            EXPECT_EQ(g.gIniFile, c.file);
            EXPECT_EQ(Get(c.file).substr(0, 22), "[Cam_internal]\r\nFOV=12");
        }
        w.Unload();
        Put(kCar4Ini, "[Cam_internal]\r\nFOV=44\r\n");
        Put(kCar26Ini, "[Cam_internal]\r\nFOV=26\r\n");
    }
    // Without a car nothing was written anywhere in the host folder.
    std::vector<std::string> files;
    const auto listed = os.files.List(kHost);
    for (const platform::DirEntry& e : *listed) files.push_back(e.name);
    EXPECT_EQ(files, std::vector<std::string>{"Cars"});
}

TEST_F(CamSettingsTest, TheCarsFileLiesInTheHostFolderAlsoWhenTheProgramRunsFromADriveRoot) {
    os.environment.programFolder = "C:\\";
    Put(kCar26Ini, kCamera);
    (void)os.files.SetAttributes(kCar26Ini, platform::kAttrReadOnly);
    foCam& w = Open();
    EXPECT_EQ(gCamera.fov, 60);
    w.buFov[1].Press();
    w.save.Press();
    EXPECT_EQ(Get(kCar26Ini).substr(0, 26), "[Cam_internal]\r\nFOV=60.5\r\n");
    EXPECT_EQ(Get(std::string(kHost) + "Cars\\C4\\C4.ini"), "<missing>");
    EXPECT_EQ(Get("C:\\Cars\\C4\\C4.ini"), "<missing>");
    w.Unload();
    EXPECT_NE(Get("C:\\velomark.ini"), "<missing>") << "the client's own file follows the drive root";
}

TEST_F(CamSettingsTest, NumbersShowInTheUsersFormAndAreSavedWithAPoint) {
    // The separator of the settings and of the regional form; settings that name none read as ".".
    const std::pair<std::string, std::string> separators[] = {{",", ","}, {".", "."}, {"", "."}};
    for (const auto& [settings, sep] : separators) {
        SCOPED_TRACE("decimal separator \"" + settings + "\" in the settings, " + sep + " in the regional form");
        auto local = [&](std::string text) {
            for (char& ch : text)
                if (ch == '.') ch = sep[0];
            return text;
        };
        Regional(sep);
        g.gDecimalSep = settings;
        Put(kCar26Ini, kCamera);
        foCam& w = Open();
        EXPECT_EQ(gCamera.posX, 0.5);
        EXPECT_EQ(Shown(w), (std::vector<std::string>{"60", local("0.1"), local("0.5"), local("1.25"), local("-0.75"),
                                                      "0", "1", "5"}));
        EXPECT_EQ(w.edStep.Text(), local("0.5"));
        w.edStep.SetText(local("0.1"));
        EXPECT_EQ(g.gStepCam, 0.1);
        w.buPos[3].Press();
        EXPECT_EQ(w.laPos[0].Caption(), local("0.6"));
        w.save.Press();
        EXPECT_EQ(Get(kCar26Ini),
                  "[Cam_internal]\r\nFOV=60\r\nPos=0.6 1.25 -0.75\r\nTarget=0 1 5\r\nNear=0.1\r\nShake=1\r\n"
                  "[i_steeringwheel]\r\nSwitch=false\r\nModel=wheel.gmt\r\n"
                  "[Cam_external]\r\nFOV=75\r\n");
        w.Unload();
        EXPECT_NE(Get("C:\\Velomark\\velomark.ini").find("STEP_CAM=0.1\r\n"), std::string::npos);
        g.gStepCam = 0.5;
    }
    // A point typed into the step field counts as the user's separator.
    Regional(",");
    foCam& w = Open();
    w.edStep.SetText("0.25");
    EXPECT_EQ(g.gStepCam, 0.25);
    w.Unload();
}

TEST_F(CamSettingsTest, EachButtonMovesItsValueByOneStep) {
    struct Case {
        int line;
        const char* button;
        std::vector<std::string> shown;  // fov, near, pos x y z, target x y z
    } cases[] = {
        {__LINE__, "buFov(0)", {"59.5", "0.1", "0.5", "1.25", "-0.75", "0", "1", "5"}},
        {__LINE__, "buFov(1)", {"60.5", "0.1", "0.5", "1.25", "-0.75", "0", "1", "5"}},
        {__LINE__, "buNear(0)", {"60", "-0.4", "0.5", "1.25", "-0.75", "0", "1", "5"}},
        {__LINE__, "buNear(1)", {"60", "0.6", "0.5", "1.25", "-0.75", "0", "1", "5"}},
        {__LINE__, "buPos(0)", {"60", "0.1", "0.5", "1.75", "-0.75", "0", "1", "5"}},
        {__LINE__, "buPos(1)", {"60", "0.1", "0", "1.25", "-0.75", "0", "1", "5"}},
        {__LINE__, "buPos(2)", {"60", "0.1", "0.5", "0.75", "-0.75", "0", "1", "5"}},
        {__LINE__, "buPos(3)", {"60", "0.1", "1", "1.25", "-0.75", "0", "1", "5"}},
        {__LINE__, "buPos(4)", {"60", "0.1", "0.5", "1.25", "-1.25", "0", "1", "5"}},
        {__LINE__, "buPos(5)", {"60", "0.1", "0.5", "1.25", "-0.25", "0", "1", "5"}},
        {__LINE__, "buTarget(0)", {"60", "0.1", "0.5", "1.25", "-0.75", "0", "1.5", "5"}},
        {__LINE__, "buTarget(1)", {"60", "0.1", "0.5", "1.25", "-0.75", "-0.5", "1", "5"}},
        {__LINE__, "buTarget(2)", {"60", "0.1", "0.5", "1.25", "-0.75", "0", "0.5", "5"}},
        {__LINE__, "buTarget(3)", {"60", "0.1", "0.5", "1.25", "-0.75", "0.5", "1", "5"}},
        {__LINE__, "buTarget(4)", {"60", "0.1", "0.5", "1.25", "-0.75", "0", "1", "4.5"}},
        {__LINE__, "buTarget(5)", {"60", "0.1", "0.5", "1.25", "-0.75", "0", "1", "5.5"}},
    };
    Put(kCar26Ini, kCamera);
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        foCam& w = Open();
        EXPECT_EQ(w.edStep.Text(), "0.5");
        dynamic_cast<ui::PushButton*>(w.Find(c.button))->Press();
        EXPECT_EQ(Shown(w), c.shown);
        w.Unload();  // unsaved: the next opening reads the file again
    }
}

TEST_F(CamSettingsTest, TheSteeringWheelBoxIsTickedExactlyWhenTheSwitchReadsFalse) {
    struct Case {
        int line;
        const char* wheelSection;  // the lines of [i_steeringwheel]
        bool ticked;
        int click;  // -1: none, else the value the driver sets
        const char* written;
    } cases[] = {
        {__LINE__, "Switch=false\r\n", true, -1, "false"},
        {__LINE__, "Switch=false\r\n", true, 0, "true"},
        {__LINE__, "Switch=true\r\n", false, -1, "true"},
        {__LINE__, "Switch=true\r\n", false, 1, "false"},
        {__LINE__, "Switch=False\r\n", false, -1, "true"},  // only "false" itself
        {__LINE__, "Switch=off\r\n", false, -1, "true"},
        {__LINE__, "", false, -1, "true"},  // no switch
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        Put(kCar26Ini, std::string("[Cam_internal]\r\nFOV=60\r\n[i_steeringwheel]\r\n") + c.wheelSection);
        foCam& w = Open();
        EXPECT_EQ(w.cbWheel.Value() == ui::CheckBox::Checked, c.ticked);
        if (c.click >= 0) w.cbWheel.SetValue(c.click);
        w.buPos[0].Press();  // showing the values again keeps the driver's click
        w.save.Press();
        EXPECT_NE(Get(kCar26Ini).find(std::string("[i_steeringwheel]\r\n") + "Switch=" + c.written + "\r\n"),
                  std::string::npos)
            << Get(kCar26Ini);
        w.Unload();
    }
}

TEST_F(CamSettingsTest, TextThatIsNoNumberKeepsThePreviousValue) {
    Put(kCar4Ini, kCamera);
    Put(kCar26Ini,
        "[Cam_internal]\r\nFOV=wide\r\nPos=2 3\r\nTarget=7\xE7" "8 x 9\r\nNear=\r\n");
    g.gCatCars[3] = {4, 0};
    foCam& w = Open();
    w.Unload();
    // The second car's file: FOV is a word, Pos has two parts, Target a word in the middle and
    // a fourth part, Near is empty.
    g.gCatCars[3] = {4, 26};
    w.Show();
    EXPECT_EQ(Shown(w), (std::vector<std::string>{"60", "0.1", "2", "3", "-0.75", "7", "8", "5"}));

    // The step field while the driver types.
    for (const char* typed : {"", "-", "abc", "1e", "1.2.3"}) {
        w.edStep.SetText(typed);
        EXPECT_EQ(g.gStepCam, 0.5) << typed;
    }
    w.edStep.SetText("0.25");
    EXPECT_EQ(g.gStepCam, 0.25);
    w.Unload();
}

TEST_F(CamSettingsTest, VeryLargeAndSmallNumbersSavedWithAnExponentReadBack) {
    for (const std::string sep : {",", "."}) {
        SCOPED_TRACE("decimal separator " + sep);
        Regional(sep);
        Put(kCar26Ini, "[Cam_internal]\r\nFOV=60\r\nPos=0.5 1.25 -10000000000000000\r\nTarget=0 1 5\r\nNear=0.00001\r\n");
        foCam& w = Open();
        w.save.Press();
        w.Unload();
        EXPECT_NE(Get(kCar26Ini).find("Pos=0.5 1.25 -1e+16\r\n"), std::string::npos) << Get(kCar26Ini);
        EXPECT_NE(Get(kCar26Ini).find("Near=1e-05\r\n"), std::string::npos) << Get(kCar26Ini);
        gCamera.posZ = 7;
        gCamera.near = 7;
        w.Show();
        EXPECT_EQ(gCamera.posZ, -1e16);
        EXPECT_EQ(gCamera.near, 0.00001);
        w.Unload();
    }
}

TEST(SplitMulti, PartsBetweenTheDelimitersAndOneEmptyPartAfterThem) {
    const std::vector<std::string> delimiters{" ", "\xE7", ""};
    struct Case {
        int line;
        const char* text;
        std::vector<std::string> parts;
    } cases[] = {
        {__LINE__, "0.1 0.72 -0.3", {"0.1", "0.72", "-0.3", ""}},
        {__LINE__, "1  2", {"1", "2", ""}},
        {__LINE__, "1\xE7" "2 3", {"1", "2", "3", ""}},
        {__LINE__, "1 \xE7 2", {"1", "", "2", ""}},  // two delimiters in a row leave an empty part
        {__LINE__, "7", {"7", ""}},
        {__LINE__, "", {"", ""}},
        {__LINE__, " 1", {"", "1", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        EXPECT_EQ(gFunc::SplitMulti(c.text, delimiters), c.parts);
    }
    // The last delimiter of the list is never used; on equal places the earlier one cuts.
    EXPECT_EQ(gFunc::SplitMulti("a-b+c", {"+", "-"}), (std::vector<std::string>{"a-b", "c", ""}));
    EXPECT_EQ(gFunc::SplitMulti("a--b", {"-", "--", ""}), (std::vector<std::string>{"a", "", "b", ""}));
}

}  // namespace
}  // namespace vmtest

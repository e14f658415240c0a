#include <gtest/gtest.h>

#include "client/foMain.h"
#include "services/ProgramState.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using MainWindowTest = VmTest;

TEST_F(MainWindowTest, OneInstanceLoadedHiddenOnFirstUseAndFreshForEachProgram) {
    foMain& first = foMain::Instance();
    EXPECT_EQ(&foMain::Instance(), &first);
    EXPECT_FALSE(first.Visible());
    first.cmbStage.AddItem("left over");
    vm::ResetProgramState();
    EXPECT_EQ(foMain::Instance().cmbStage.ListCount(), 0);
}

TEST_F(MainWindowTest, OwnsItsControlsUnderTheirNames) {
    foMain& w = foMain::Instance();
    struct Case {
        const char* name;
        const ui::Component* control;
    } cases[] = {
        {"cmbCountry", &w.cmbCountry}, {"cmbStage", &w.cmbStage}, {"cmbWeather", &w.cmbWeather},
        {"cmbWear", &w.cmbWear},       {"cmbHumid", &w.cmbHumid}, {"cmbDamage", &w.cmbDamage},
        {"cmbSurface", &w.cmbSurface}, {"cmbTyre", &w.cmbTyre},   {"cmbCar", &w.cmbCar},
        {"optWeather(0)", &w.optWeather[0]}, {"optWeather(2)", &w.optWeather[2]},
        {"cmdSS(1)", &w.cmdSS[1]},     {"cmdSS(20)", &w.cmdSS[20]}, {"cmdCat(10)", &w.cmdCat[10]},
        {"cmdStart", &w.cmdStart},     {"laCDown", &w.laCDown},   {"Picture9", &w.Picture9},
        {"MainTXT", &w.MainTXT},       {"R15", &w.R[15]},         {"TestingMode", &w.TestingMode},
        {"tOra", &w.tOra},
    };
    for (auto& c : cases) EXPECT_EQ(w.Find(c.name), c.control) << c.name;
    EXPECT_EQ(w.Find("optWeather(1)"), nullptr);
}

TEST_F(MainWindowTest, DesignStateOfTimersMenusAndWeatherOptions) {
    foMain& w = foMain::Instance();
    for (auto* t : {&w.tMain, &w.mnuTimer, &w.pTimer, &w.tOra}) EXPECT_TRUE(t->Running()) << t->Name();
    EXPECT_FALSE(w.TestingMode.Visible());

    // The replay captions are made from the item's index.
    EXPECT_EQ(w.R[0].Caption(), "Replay 640 x 480 x 16 FullScreen");
    EXPECT_EQ(w.R[7].Caption(), "Replay 1280 x 1024 x 32 FullScreen");
    EXPECT_EQ(w.R[10].Caption(), "Replay 1024 x 768 x 16 Windowed");
    EXPECT_EQ(w.R[15].Caption(), "Replay 1280 x 1024 x 32 Windowed");
    EXPECT_EQ(w.Replays.Items().size(), 16u);

    // The two weather options are one group.
    w.optWeather[0].SetValue(true);
    w.optWeather[2].SetValue(true);
    EXPECT_FALSE(w.optWeather[0].Value());
}

}  // namespace
}  // namespace vmtest

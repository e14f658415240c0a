// Windows' life, modal windows and timers on the in-process desktop, whose timer source runs
// on the injectable clock inside its event pump.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "services/host/Memory.h"
#include "tests/support/VmTest.h"
#include "ui/Form.h"

namespace vmtest {
namespace {

// A window with a button and two timers, as the main window has them.
class TestForm : public ui::Form {
public:
    explicit TestForm(std::string name) : ui::Form(std::move(name)) {
        Add(cmdStart);
        Add(fast);
        Add(slow);
        fast.SetInterval(100);
        slow.SetInterval(500);
    }
    ui::PushButton cmdStart{"cmdStart"};
    ui::Timer fast{"fast"}, slow{"slow"};
};

class FormTest : public VmTest {
protected:
    FormTest() { os.desktop.clock = &os.clock; }
    // Runs the desktop's events for ms milliseconds of the clock, as the program's loop does.
    void RunFor(std::uint32_t ms) { platform::HandleEventsFor(ms); }
    std::vector<std::string> log;
};

TEST_F(FormTest, LoadRunsItsHandlerEachTimeItIsLoadedAndTimersTickOnlyWhileLoaded) {
    TestForm main("foMain");
    main.onLoad = [&] { log.push_back("load"); };
    main.fast.onTimer = [&] { log.push_back("tick"); };
    RunFor(250);
    EXPECT_TRUE(log.empty());

    main.Load();
    main.Load();  // already loaded
    EXPECT_FALSE(main.Visible());
    RunFor(250);
    EXPECT_EQ(log, (std::vector<std::string>{"load", "tick", "tick"}));

    ASSERT_TRUE(main.Unload());
    RunFor(250);
    main.Show();
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(log, (std::vector<std::string>{"load", "tick", "tick", "load"}));
}

TEST_F(FormTest, AnUnloadHandlerThatSetsCancelKeepsTheWindowLoaded) {
    TestForm main("foMain");
    int cancel = 1;
    main.onUnload = [&](int& c) { c = cancel; };
    main.Show();
    EXPECT_FALSE(main.Unload());
    EXPECT_TRUE(main.Loaded() && main.Visible());
    EXPECT_TRUE(main.fast.Scheduled());
    cancel = 0;
    EXPECT_TRUE(main.Unload());
    EXPECT_FALSE(main.Loaded() || main.Visible());
    EXPECT_FALSE(main.fast.Scheduled());
    EXPECT_EQ(os.desktop.TimerCount(), 0u);
}

TEST_F(FormTest, AModalWindowDisablesItsOwnerWhileTheOwnersTimersGoOn) {
    TestForm main("foMain"), setup("SetupFRM");
    main.Show();
    int clicks = 0, ownerTicks = 0;
    main.cmdStart.onClick = [&] { ++clicks; };
    main.slow.onTimer = [&] {
        ++ownerTicks;
        main.cmdStart.Press();  // the owner cannot be used while the modal window is up
        if (ownerTicks == 3) setup.Unload();
    };
    setup.ShowModal(&main);
    EXPECT_EQ(ownerTicks, 3);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(main.Enabled());
    EXPECT_FALSE(setup.Loaded());
    main.cmdStart.Press();
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, ButtonsOfAHiddenOrDisabledWindowCannotBePressed) {
    TestForm main("foMain");
    int clicks = 0;
    main.cmdStart.onClick = [&] { ++clicks; };
    main.Load();
    main.cmdStart.Press();  // hidden
    main.Show();
    main.SetEnabled(false);
    main.cmdStart.Press();
    main.SetEnabled(true);
    main.cmdStart.Press();
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, OtherTimersRunInsideAWaitButATimerNeverInsideItself) {
    TestForm main("foMain");
    int fastTicks = 0, slowTicks = 0, slowDepth = 0, deepest = 0;
    main.fast.onTimer = [&] { ++fastTicks; };
    main.slow.onTimer = [&] {
        ++slowTicks;
        deepest = std::max(deepest, ++slowDepth);
        Memory::Wait(1200);  // longer than its own interval
        --slowDepth;
    };
    main.Load();
    RunFor(2000);
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(fastTicks, 18);  // every 100 ms, also inside the slow timer's waits
    EXPECT_GE(slowTicks, 1);
}

// A window with one control of each kind that the driver acts on, and a timer whose handler
// waits once, as the stage monitor's does.
class DriverForm : public ui::Form {
public:
    DriverForm() : ui::Form("foMain") {
        for (ui::Component* c : std::initializer_list<ui::Component*>{&cmdStart, &cmbStage, &nicknameTXT, &opt, &cb,
                                                                      &Utility, &CamSettings, &slow})
            Add(*c);
        Utility.Add(CamSettings);
        cmbStage.AddItem("SS1");
        cmbStage.AddItem("SS2");
        cmdStart.onClick = [this] { log.push_back("start"); };
        cmbStage.onClick = [this] { log.push_back("pick " + cmbStage.Text()); };
        nicknameTXT.onChange = [this] { log.push_back("type " + nicknameTXT.Text()); };
        opt.onClick = [this] { log.push_back("option"); };
        cb.onClick = [this] { log.push_back("check " + std::to_string(cb.Value())); };
        CamSettings.onClick = [this] { log.push_back("menu"); };
        onUnload = [this](int&) { log.push_back("unload"); };
        slow.SetInterval(500);
        slow.onTimer = [this] {
            log.push_back("wait");
            waiting = true;
            Memory::Wait(1000);
            waiting = false;
            log.push_back("waited");
            slow.SetEnabled(false);
        };
    }
    ui::PushButton cmdStart{"cmdStart"};
    ui::ComboBox cmbStage{"cmbStage"};
    ui::TextBox nicknameTXT{"nicknameTXT"};
    ui::OptionButton opt{"opt"};
    ui::CheckBox cb{"cb"};
    ui::MenuItem Utility{"Utility"}, CamSettings{"CamSettings"};
    ui::Timer slow{"slow"};
    bool waiting = false;  // the timer's handler is waiting
    std::vector<std::string> log;
};

TEST_F(FormTest, ADriversActionThatArrivesDuringAWaitRunsAfterTheHandlerThatWaits) {
    struct Case {
        int line;
        std::function<void(DriverForm&)> act;
        std::function<ui::Component&(DriverForm&)> control;
        const char* ran;
        std::optional<ui::Property> shownAgain;  // what a view is told when the action no longer applies
    } cases[] = {
        {__LINE__, [](DriverForm& f) { f.cmdStart.Press(); }, [](DriverForm& f) -> ui::Component& { return f.cmdStart; },
         "start", std::nullopt},
        {__LINE__, [](DriverForm& f) { f.cmbStage.Pick(1); }, [](DriverForm& f) -> ui::Component& { return f.cmbStage; },
         "pick SS2", ui::Property::ListIndex},
        {__LINE__, [](DriverForm& f) { f.nicknameTXT.Type("Ari"); },
         [](DriverForm& f) -> ui::Component& { return f.nicknameTXT; }, "type Ari", ui::Property::Text},
        {__LINE__, [](DriverForm& f) { f.opt.Click(); }, [](DriverForm& f) -> ui::Component& { return f.opt; },
         "option", ui::Property::Value},
        {__LINE__, [](DriverForm& f) { f.cb.Click(); }, [](DriverForm& f) -> ui::Component& { return f.cb; }, "check 1",
         ui::Property::Value},
        {__LINE__, [](DriverForm& f) { f.CamSettings.Press(); },
         [](DriverForm& f) -> ui::Component& { return f.Utility; }, "menu", std::nullopt},
        {__LINE__, [](DriverForm& f) { f.Close(); }, [](DriverForm& f) -> ui::Component& { return f; }, "unload",
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        for (bool disabledMeanwhile : {false, true}) {
            SCOPED_TRACE(disabledMeanwhile ? "disabled meanwhile" : "still enabled");
            DriverForm f;
            std::vector<ui::Property> told;
            ui::Connection view = c.control(f).Observe([&](ui::Component&, ui::Property p) { told.push_back(p); });
            bool acted = false;
            os.desktop.onPump = [&] {
                if (!f.waiting || acted) return;
                acted = true;
                c.act(f);
                if (disabledMeanwhile) c.control(f).SetEnabled(false);
                told.clear();
            };
            f.Show();
            RunFor(2000);
            if (disabledMeanwhile) {
                EXPECT_EQ(f.log, (std::vector<std::string>{"wait", "waited"}));
                if (c.shownAgain) {
                    EXPECT_EQ(told, std::vector<ui::Property>{*c.shownAgain});
                }
            } else {
                EXPECT_EQ(f.log, (std::vector<std::string>{"wait", "waited", c.ran}));
            }
            EXPECT_EQ(platform::HeldDriverActions(), 0u);
        }
    }
}

TEST_F(FormTest, HeldActionsRunInTheirOrderAndOneThatWaitsHoldsTheNext) {
    DriverForm f;
    int depth = 0, deepest = 0;
    f.cmdStart.onClick = [&] {
        deepest = std::max(deepest, ++depth);
        f.log.push_back("start");
        Memory::Wait(300);
        f.log.push_back("started");
        --depth;
    };
    bool acted = false;
    os.desktop.onPump = [&] {
        if (!f.waiting || acted) return;
        acted = true;
        f.cmdStart.Press();
        f.cmbStage.Pick(1);
        f.cmdStart.Press();
        f.cb.Click();
        f.cb.Click();
    };
    f.Show();
    RunFor(3000);
    EXPECT_EQ(f.log, (std::vector<std::string>{"wait", "waited", "start", "started", "pick SS2", "start", "started",
                                               "check 1", "check 0"}));
    EXPECT_EQ(deepest, 1);
    // With no wait in progress, a press runs at once.
    f.log.clear();
    f.cmdStart.Press();
    EXPECT_EQ(f.log, (std::vector<std::string>{"start", "started"}));
}

TEST_F(FormTest, AModalWindowOpenedInsideAWaitTakesItsOwnInputAndWhatWasHeldWaitsForIt) {
    TestForm main("foMain"), dialog("foCam");
    std::vector<std::string> log;
    bool waiting = false, opened = false;
    main.cmdStart.onClick = [&] { log.push_back("start"); };
    main.slow.onTimer = [&] {
        log.push_back("wait");
        waiting = true;
        Memory::Wait(1000);
        waiting = false;
        log.push_back("waited");
        main.slow.SetEnabled(false);
    };
    // A tick inside that wait opens a modal window.
    main.fast.onTimer = [&] {
        if (!waiting || opened) return;
        opened = true;
        main.cmdStart.Press();  // held by the wait
        dialog.ShowModal(&main);
        log.push_back("dialog closed");
    };
    dialog.cmdStart.onClick = [&] {
        log.push_back("dialog button");
        dialog.Unload();
    };
    dialog.fast.onTimer = [&] { dialog.cmdStart.Press(); };
    main.Show();
    RunFor(2000);
    EXPECT_EQ(log, (std::vector<std::string>{"wait", "dialog button", "dialog closed", "waited", "start"}));
}

TEST_F(FormTest, AnActionHeldForAWindowThatWentAwayIsForgotten) {
    TestForm main("foMain");
    int clicks = 0;
    main.cmdStart.onClick = [&] { ++clicks; };
    main.Show();
    {
        DriverForm gone;
        gone.Show();
        platform::WaitScope waiting;
        gone.cmdStart.Press();
        gone.cmbStage.Pick(0);
        main.cmdStart.Press();
        EXPECT_EQ(platform::HeldDriverActions(), 3u);
    }
    EXPECT_EQ(platform::HeldDriverActions(), 1u);
    RunFor(10);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, WaitingForEverWithNothingThatCouldEndItIsATestFault) {
    ui::Form dialog("foCam");
    EXPECT_THROW(dialog.ShowModal(nullptr), std::logic_error);
}

}  // namespace
}  // namespace vmtest

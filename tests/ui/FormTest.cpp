// Windows' life, modal windows and timers on the in-process desktop, whose timer source runs
// on the injectable clock inside its event pump.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    void RunFor(std::uint32_t ms) { Memory::Wait(static_cast<float>(ms)); }
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

TEST_F(FormTest, WaitingForEverWithNothingThatCouldEndItIsATestFault) {
    ui::Form dialog("foCam");
    EXPECT_THROW(dialog.ShowModal(nullptr), std::logic_error);
}

}  // namespace
}  // namespace vmtest

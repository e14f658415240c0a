// The shifter's working half: input codes, shifter.ini, the devices, the gear poll and its
// thread, on scripted DirectInput devices and a model of the host's memory.
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/Bytes.h"
#include "tests/plugins/ShifterFixture.h"

namespace vmtest {
namespace {

using testing::ElementsAre;

class ShifterInputTest : public ShifterTest {};

TEST_F(ShifterInputTest, InputCodes) {
    input.controllers = {{"Wheel"}};
    Poll();
    input.SetKey(0x2A, true);
    input.SetMouseButton(1, true);
    input.SetControllerButton(0, 0, true);
    input.SetControllerButton(0, 127, true);
    input.SetHat(0, 0, 9000);        // hat 0 right
    input.SetHat(0, 1, 0xFFFF);      // hat 1 centred
    input.SetHat(0, 2, 0);           // hat 2 up
    input.SetHat(0, 3, 27100);       // hat 3 just past the window of left (27000 +- 100)
    shifter.input.PollInputDevices();
    struct Case {
        std::uint32_t code;
        bool active;
    } cases[] = {
        {0x2A, true}, {0x2B, false},  // 0, 1: keyboard
        {256, false},                 // 2: no input
        {257, false}, {258, true},    // 3, 4: mouse button 2
        {265, true}, {392, true},     // 5, 6: controller buttons 0 and 127
        {393, false},                 // 7
        {297, false}, {298, false}, {299, true}, {300, false}, {305, false},  // 8..12: hat 0 right only
        {306, false}, {307, false},   // 13, 14: hat 1 centred matches no direction
        {315, true}, {316, false},    // 15, 16: hat 2 up is exactly 0
        {330, false},                 // 17: hat 3, 27100 is outside 26901..27099
    };
    for (const Case& c : cases) EXPECT_EQ(shifter.input.IsInputCodeActive(c.code), c.active) << c.code;

    input.SetHat(0, 3, 27099);
    input.SetControllerButton(0, 0, false);
    shifter.input.PollInputDevices();
    EXPECT_TRUE(shifter.input.IsInputCodeActive(330));
    EXPECT_FALSE(shifter.input.IsInputCodeActive(265));
}

TEST_F(ShifterInputTest, HatDirectionWindows) {
    struct Case {
        std::uint32_t value, direction;
        bool in;
    } cases[] = {
        {0, 0, true}, {1, 0, false}, {4401, 1, true}, {4400, 1, false}, {4599, 1, true}, {4600, 1, false},
        {35901, 8, true}, {36099, 8, true}, {0xFFFF, 0, false}, {0xFFFFFFFF, 8, false},
    };
    for (const Case& c : cases) EXPECT_EQ(shifter::HatInDirection(c.value, c.direction), c.in) << c.value;
}

TEST_F(ShifterInputTest, SettingsAreReadFromTheHostFolder) {
    Settings("ControlIndex=1\r\nEnabled=1\r\nAutoNeutral=7\r\nKey0=2a\r\nKey1=\r\nKey6=12C\r\n");
    shifter.bindings[1] = 0x33;
    shifter::LoadShifterSettings(shifter);
    EXPECT_EQ(shifter::ShifterIniPath(shifter), "C:\\Kovarra\\\\plugins\\shifter.ini");
    EXPECT_EQ(shifter.controllerIndex, 1);
    EXPECT_TRUE(shifter.enabled);
    EXPECT_TRUE(shifter.autoNeutral);
    EXPECT_EQ(shifter.bindings[0], 42u);
    EXPECT_EQ(shifter.bindings[1], 0x33u);  // empty: left as it was
    EXPECT_EQ(shifter.bindings[6], 300u);
}

TEST_F(ShifterInputTest, WithoutSettingsTheShifterStaysOff) {
    input.SetKey(0, true);
    Poll(3);
    EXPECT_FALSE(shifter.enabled);
    EXPECT_TRUE(memory.Journal().empty());
}

// The gear the poll writes for the inputs down, starting from no gear written.
class GearTest : public ShifterInputTest {
protected:
    GearTest() { Settings("Enabled=1\r\nKey0=10\r\nKey1=11\r\nKey5=15\r\nKey6=16\r\n"); }
    std::vector<std::uint32_t> Written() {
        std::vector<std::uint32_t> gears;
        for (auto& w : memory.Journal()) {
            EXPECT_EQ(w.address, kCar + qvrplugin::kCarGear);
            gears.push_back(platform::FromLe32(w.bytes.data()));
        }
        return gears;
    }
};

TEST_F(GearTest, EachBindingWritesItsGearOnceWhileHeld) {
    for (std::uint8_t key : {0x10, 0x11, 0x15}) {
        input.SetKey(key, true);
        Poll(3);
        input.SetKey(key, false);
    }
    EXPECT_THAT(Written(), ElementsAre(2, 3, 7));
    EXPECT_EQ(shifter.currentGear, 7);
}

TEST_F(GearTest, ReverseAsTheFirstGearIsNotWritten) {
    input.SetKey(0x16, true);
    Poll(2);
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(shifter.currentGear, 0);
    input.SetKey(0x16, false);
    input.SetKey(0x10, true);
    Poll();
    input.SetKey(0x10, false);
    input.SetKey(0x16, true);
    Poll();
    EXPECT_THAT(Written(), ElementsAre(2, 0));
}

TEST_F(GearTest, TwoInputsAtOnceTheLowerBindingWins) {
    input.SetKey(0x16, true);
    input.SetKey(0x11, true);
    input.SetKey(0x10, true);
    Poll();
    EXPECT_THAT(Written(), ElementsAre(2));
}

TEST_F(GearTest, NoInputLeavesTheGearUnlessAutoNeutralIsOn) {
    input.SetKey(0x11, true);
    Poll();
    input.SetKey(0x11, false);
    Poll(2);
    EXPECT_THAT(Written(), ElementsAre(3));
    shifter.autoNeutral = true;
    Poll(2);
    EXPECT_THAT(Written(), ElementsAre(3, 1));
}

TEST_F(GearTest, NothingIsWrittenWhileOffWithoutCarOrOutsideDriving) {
    Poll();
    input.SetKey(0x10, true);
    shifter.enabled = false;
    Poll();
    shifter.enabled = true;
    memory.Poke32(qvrplugin::kDrivingFlag, 0);
    Poll();
    memory.Poke32(qvrplugin::kDrivingFlag, 1);
    memory.Poke32(qvrplugin::kCarPtr, 0);
    Poll();
    EXPECT_TRUE(Written().empty());
    memory.Poke32(qvrplugin::kCarPtr, kCar);
    Poll();
    EXPECT_THAT(Written(), ElementsAre(2));
}

TEST_F(GearTest, AControllerIndexBeyondTheAttachedOpensNoController) {
    Settings("Enabled=1\r\nControlIndex=2\r\nKey0=109\r\n");  // controller button 0
    input.controllers = {{"Wheel"}, {"Box"}};
    input.SetControllerButton(0, 0, true);
    input.SetControllerButton(1, 0, true);
    Poll(2);
    EXPECT_THAT(input.Calls(), testing::Contains("OpenController 2"));
    EXPECT_EQ(input.OpenDevices(), 2);  // keyboard and mouse
    EXPECT_TRUE(Written().empty());
}

TEST_F(GearTest, NoDirectInputLeavesEveryInputInactive) {
    input.refuseCreate = true;
    input.SetKey(0x10, true);
    Poll(2);
    EXPECT_TRUE(Written().empty());
    EXPECT_THAT(input.Calls(), ElementsAre("Create"));
}

TEST_F(GearTest, AFailedReadReacquiresAndReadsAsAllUp) {
    input.SetKey(0x11, true);
    Poll();
    input.SetFailing(true);
    shifter.autoNeutral = true;
    Poll();
    EXPECT_THAT(Written(), ElementsAre(3, 1));
    EXPECT_THAT(input.Calls(), testing::Contains("Acquire keyboard"));
}

// A pass reads only the devices that its gear choice or a key capture will look at; the others
// read as all up, so a capture never binds a key from a state read long before.
TEST_F(GearTest, APassReadsOnlyTheDevicesItWillLookAt) {
    input.controllers = {{"Wheel"}};
    Poll();
    constexpr std::uint32_t kMouse1 = 257, kButton0 = 265;
    struct Case {
        bool enabled, driving, capturing;
        std::uint32_t binding5;  // the others are keys
        int keyboard, mouse, controller;  // reads in the pass
    } cases[] = {
        /* 0 */ {true, true, false, 0x15, 1, 0, 0},
        /* 1 */ {true, true, false, kMouse1, 1, 1, 0},
        /* 2 */ {true, true, false, kButton0, 1, 0, 1},
        /* 3 */ {true, false, false, kMouse1, 0, 0, 0},  // outside driving
        /* 4 */ {false, true, false, kMouse1, 0, 0, 0},  // switched off
        /* 5 */ {false, false, true, 0x15, 1, 1, 1},     // a capture looks at every input
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        shifter.enabled = c.enabled;
        memory.Poke32(qvrplugin::kDrivingFlag, c.driving ? 1 : 0);
        shifter.capturing = c.capturing;
        shifter.bindings[5] = c.binding5;
        const int keyboard = input.Reads("keyboard"), mouse = input.Reads("mouse"),
                  controller = input.Reads("controller 0");
        Poll();
        EXPECT_EQ(input.Reads("keyboard") - keyboard, c.keyboard) << "case " << i;
        EXPECT_EQ(input.Reads("mouse") - mouse, c.mouse) << "case " << i;
        EXPECT_EQ(input.Reads("controller 0") - controller, c.controller) << "case " << i;
    }

    shifter.enabled = true;
    shifter.capturing = false;
    memory.Poke32(qvrplugin::kDrivingFlag, 1);
    input.SetKey(0x2C, true);
    Poll();
    EXPECT_TRUE(shifter.input.IsInputCodeActive(0x2C));
    memory.Poke32(qvrplugin::kDrivingFlag, 0);  // the stage is over; the key is let go unseen
    Poll();
    input.SetKey(0x2C, false);
    EXPECT_FALSE(shifter.input.IsInputCodeActive(0x2C));
}

TEST_F(ShifterInputTest, SwitchingControllersNeverLeavesThePollOnAReleasedDevice) {
    input.controllers = {{"Wheel"}, {"Box"}};
    Poll();
    std::atomic<bool> done{false};
    std::thread poll([&] {
        while (!done) shifter::GearPollPass(shifter);
    });
    for (int i = 0; i < 20000; ++i) shifter.input.SelectController(hostWindow, i % 2);
    done = true;
    poll.join();
    EXPECT_EQ(input.UsesOfReleased(), 0);
}

TEST_F(ShifterInputTest, TheProcessWindowIsItsFirstWindowWithoutOwner) {
    auto other = os.desktop.AddWindow("Other", 99);
    auto popup = os.desktop.AddWindow("#32770", kHostPid, hostWindow);
    (void)other;
    (void)popup;
    EXPECT_EQ(shifter::FindProcessWindow(shifter, kHostPid), hostWindow);
    EXPECT_EQ(shifter::FindProcessWindow(shifter, 1234), 0u);
}

// A desktop that counts the looks for a process's window.
class CountingDesktop : public platform::NativeDesktop {
public:
    platform::WindowHandle FirstUnownedWindowOf(std::uint32_t processId) override {
        ++looks;
        return found ? NativeDesktop::FirstUnownedWindowOf(processId) : 0;
    }
    std::atomic<int> looks{0};
    std::atomic<bool> found{false};
};

TEST_F(ShifterInputTest, ThePollThreadWaitsForTheWindowWithoutSpinningAndEndsWhenTold) {
    CountingDesktop desktop;
    desktop.AddWindow("D3D Window", kHostPid);
    shifter::Shifter s{{os.profile, os.files, os.clock, os.environment, desktop, os.processes, memory, input}};
    std::atomic<bool> ended{false};
    std::thread thread([&] {
        shifter::GearPollThread(s);
        ended = true;
    });
    // Five looks take at least the four pauses of the poll period between them.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 500 && desktop.looks < 5; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto looks = desktop.looks.load();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4 * shifter::kPollMs)) << looks;

    desktop.found = true;
    for (int i = 0; i < 500 && input.OpenDevices() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(input.OpenDevices(), 2);
    s.stop.Raise();
    thread.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(input.OpenDevices(), 0);
    EXPECT_EQ(input.Calls().back(), "Destroy");
}

}  // namespace
}  // namespace vmtest

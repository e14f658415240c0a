// The two plug-ins as the host meets them: the simulated host, in a host folder of its own,
// loads them from its Plugins folder, calls the shifter's object in Microsoft's C++ ABI and
// records what the plug-ins call of it. Windows only, under Wine with a display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/Bytes.h"
#include "platform/win32/Win32Adapters.h"
#include "plugins/HostAddresses.h"
#include "tools/simhost/SimHost.h"

namespace {

using testing::HasSubstr;
using namespace std::chrono_literals;

constexpr std::uint32_t kCar = simhost::layout::kCar;
constexpr std::uint8_t kScanZ = 0x2C, kScanX = 0x2D;

class PluginWineTest : public ::testing::Test {
protected:
    PluginWineTest() {
        const std::string build = environment.ProgramFolder() + "\\..";
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        host = (std::filesystem::temp_directory_path() / ("vmplugins-" + std::to_string(stamp))).string();
        for (const std::string& folder : {host, host + "\\Plugins", host + "\\Cars"}) (void)files.CreateFolder(folder);
        EXPECT_EQ(files.CopyFile(build + "\\tools\\simhost\\simhost.exe", host + "\\Kovarra.exe"), platform::FsStatus::Ok);
        EXPECT_EQ(files.CopyFile(build + "\\plugins\\shifter\\shifter.dll", host + "\\Plugins\\shifter.dll"),
                  platform::FsStatus::Ok);
        EXPECT_EQ(files.CopyFile(build + "\\plugins\\avviora\\avviora.dll", host + "\\Plugins\\avviora.dll"),
                  platform::FsStatus::Ok);
        (void)files.WriteFile(host + "\\Cars\\Cars.ini", "[MENU_CAR_INDEX]\r\nINDEX=5\r\n");
        (void)files.WriteFile(host + "\\Plugins\\shifter.ini", "[MAIN]\r\nEnabled=1\r\nKey0=2c\r\nKey1=2d\r\n");
    }
    ~PluginWineTest() override {
        if (process) {
            if (!processes.WaitForExit(process, 0)) processes.Terminate(process, 1);
            processes.WaitForExit(process, 10000);
            processes.Close(process);
        }
        (void)files.DeleteFolder(host, true);
    }

    // Starts the simulated host in its folder, as the client does, and waits for its window.
    void Start(const std::string& calls) {
        const auto here = std::filesystem::current_path();
        std::filesystem::current_path(host);
        process = processes.Start("\"" + host + "\\Kovarra.exe\" --lifetime 60000 --plugin-record \"" + host +
                                      "\\record.txt\" --plugin-calls \"" + calls + "\"",
                                  &pid);
        std::filesystem::current_path(here);
        ASSERT_NE(process, 0u);
        ASSERT_TRUE(Until([&] {
            const platform::WindowHandle w = desktop.FindTopWindow("D3D Window");
            if (w != 0 && desktop.WindowProcessId(w) == pid) window = w;
            return window != 0;
        })) << "no window of the simulated host";
    }
    // Asks the simulated host to close and waits for its end.
    bool Close() {
        desktop.Post(window, platform::kWmClose, 0, 0);
        return processes.WaitForExit(process, 20000);
    }
    std::uint32_t Read32(std::uint32_t address) {
        std::uint8_t b[4] = {};
        return processes.ReadMemory(process, address, b, 4) ? platform::FromLe32(b) : 0xDEADBEEF;
    }
    template <class F>
    static bool Until(F&& condition, std::chrono::milliseconds limit = 10s) {
        for (auto end = std::chrono::steady_clock::now() + limit; !condition();) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }
    std::vector<std::string> Record() {
        std::vector<std::string> lines;
        std::string text = files.ReadFile(host + "\\record.txt").value_or("");
        for (std::size_t at = 0; at < text.size();) {
            std::size_t end = text.find("\r\n", at);
            if (end == std::string::npos) end = text.size();
            lines.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }
    void Press(std::uint8_t scanCode, bool down) {
        desktop.KeyEvent(0, scanCode, (down ? 0 : platform::kKeyEventKeyUp) | 0x8 /* KEYEVENTF_SCANCODE */, 0);
    }
    // Presses the key until the gear reads the value: the first presses may come before the
    // poll thread has opened the keyboard. Returns true once it does.
    bool ShiftWith(std::uint8_t scanCode, std::uint32_t gear) {
        const std::uint32_t at = kCar + qvrplugin::kCarGear;
        bool shifted = false;
        for (int i = 0; i < 50 && !shifted; ++i) {
            Press(scanCode, true);
            shifted = Until([&] { return Read32(at) == gear; }, 200ms);
            Press(scanCode, false);
        }
        return shifted;
    }

    platform::win32::Win32Environment environment;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32Processes processes;
    std::string host;
    platform::ProcessHandle process = 0;
    std::uint32_t pid = 0;
    platform::WindowHandle window = 0;
};

TEST_F(PluginWineTest, TheHostLoadsBothAndRecordsTheCallsOfItsPluginObject) {
    Start("menu;keys 1 0 0 0 0;menu;start 3 1 Col de Turini;checkpoint 40.5 1 Col de Turini;"
          "end 40.5 81.25 122 Col de Turini;results;title");
    ASSERT_TRUE(Until([&] { return !Record().empty() && Record().back() == "title QVR H-Shifter"; }))
        << testing::PrintToString(Record());
    ASSERT_TRUE(Close());
    const auto record = Record();

    // Loaded from the Plugins folder; avviora has written the index and the two code bytes.
    EXPECT_THAT(record, testing::IsSupersetOf({"loaded avviora.dll", "loaded shifter.dll", "plug-in QVR H-Shifter",
                                               "menu car index 5", "code bytes EB EB"}));

    // A menu draw, in order, after Up from the first row.
    auto draw = std::find(record.begin(), record.end(), "call menu");
    draw = std::find(draw + 1, record.end(), "call menu");
    ASSERT_NE(draw, record.end());
    EXPECT_THAT(std::vector<std::string>(draw + 1, draw + 14),
                testing::ElementsAre("5: 0 0 0 0", "6: 0 278 250 21", "11: 1", "4: 250 49 3 250", "11: 2", "11: 4",
                                     "10: 1", "2: 73 49 QVR H-Shift", "11: 3", "2: 73 70 Enabled", "2: 260 70 True",
                                     "2: 73 91 Auto Neutral", "2: 260 91 False"));
    EXPECT_THAT(record, testing::IsSupersetOf({"2: 260 133 Keyboard Button 44", "2: 73 280 Save Changes",
                                               "1: Stage Started 10 50 150", "1: CHECKPOINT!!!!!!!!!! 5 50 250",
                                               "2: 130 175 Finish = 02:02:00"}));

    EXPECT_EQ(files.ReadFile(host + "\\qvrplugin.log").value_or("<none>"),
              "Stage [3] started. [Col de Turini] False Start\r\n"
              "[CheckPoint 1] : 00:40:50 : Col de Turini\r\n"
              "Stage Result for \"Col de Turini\": \r\n[CP1] = 00:40:50\r\n[CP2] = 01:21:25\r\n[Finish] = 02:02:00\r\n\r\n");

    // Destroyed through slot 0; the poll thread let the library go; no crash on the way out.
    const std::vector<std::string> tail(record.end() - 3, record.end());
    EXPECT_THAT(tail, testing::ElementsAre("unmapped avviora.dll", "unmapped shifter.dll", "end"));
}

TEST_F(PluginWineTest, ABoundKeyPressedWritesTheGear) {
    Start("");
    const std::uint32_t gear = kCar + qvrplugin::kCarGear;
    ASSERT_EQ(Read32(gear), 0u);
    // The menu car index lies in code: avviora has given it back its protection.
    platform::ScopedProcess query(processes, processes.Open(pid, platform::kProcessQueryInformation));
    EXPECT_EQ(processes.QueryProtection(query.get(), qvrplugin::kMenuCarIndexE8), platform::kPageExecuteRead);
    EXPECT_EQ(Read32(qvrplugin::kMenuCarIndexE8), 5u);

    EXPECT_TRUE(ShiftWith(kScanZ, 2)) << Read32(gear);
    EXPECT_TRUE(ShiftWith(kScanX, 3)) << Read32(gear);
    ASSERT_TRUE(Close());
    EXPECT_EQ(Record().back(), "end");
}

}  // namespace

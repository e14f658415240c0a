// The two plug-ins as the host meets them: the simulated host, in a host folder of its own,
// loads them from its Plugins folder, calls the shifter's object in Microsoft's C++ ABI and
// records what the plug-ins call of it. Windows only, under Wine with a display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "plugins/HostAddresses.h"
#include "services/host/HostMap.h"
#include "tests/support/SimHostFolder.h"

namespace vmtest {
namespace {

using namespace std::chrono_literals;

constexpr std::uint8_t kScanZ = 0x2C, kScanX = 0x2D;

class PluginWineTest : public ::testing::Test {
protected:
    bool Recorded(const std::string& line) {
        const auto record = host.Record();
        return std::find(record.begin(), record.end(), line) != record.end();
    }

    SimHostFolder host{"Enabled=1\r\nKey0=2c\r\nKey1=2d\r\n", 5};
};

TEST_F(PluginWineTest, TheHostLoadsBothAndRecordsTheCallsOfItsPluginObject) {
    ASSERT_TRUE(host.Start("menu;keys 1 0 0 0 0;menu;start 3 1 Col de Turini;checkpoint 40.5 1 Col de Turini;"
                           "end 40.5 81.25 122 Col de Turini;results;title"));
    ASSERT_TRUE(host.Until([&] { return !host.Record().empty() && host.Record().back() == "title QVR H-Shifter"; }, 30s))
        << testing::PrintToString(host.Record());
    ASSERT_TRUE(host.Close()) << testing::PrintToString(host.Record());
    const auto record = host.Record();

    // The ABI the simulated host's calls crossed, for the report: x86's in the i686 build, x64's
    // in the x86_64 test build.
    const auto caller =
        std::find_if(record.begin(), record.end(), [](const std::string& line) { return line.starts_with("caller "); });
    ASSERT_NE(caller, record.end()) << testing::PrintToString(record);
    std::printf("[ plug-ins ] the simulated host called the plug-ins in %s\n", caller->substr(7).c_str());

    // Loaded from the Plugins folder; avviora has written the index and the two code bytes.
    EXPECT_THAT(record, testing::IsSupersetOf({"loaded avviora.dll", "loaded shifter.dll", "plug-in QVR H-Shifter",
                                               "menu car index 5", "code bytes EB EB"}));

    // A menu draw, in order, after Up from the first row.
    auto draw = std::find(record.begin(), record.end(), "call menu");
    draw = std::find(draw + 1, record.end(), "call menu");
    ASSERT_GE(std::distance(draw, record.end()), 14);
    EXPECT_THAT(std::vector<std::string>(draw + 1, draw + 14),
                testing::ElementsAre("5: 0 0 0 0", "6: 0 278 250 21", "11: 1", "4: 250 49 3 250", "11: 2", "11: 4",
                                     "10: 1", "2: 73 49 QVR H-Shift", "11: 3", "2: 73 70 Enabled", "2: 260 70 True",
                                     "2: 73 91 Auto Neutral", "2: 260 91 False"));
    EXPECT_THAT(record, testing::IsSupersetOf({"2: 260 133 Keyboard Button 44", "2: 73 280 Save Changes",
                                               "1: Stage Started 10 50 150", "1: CHECKPOINT!!!!!!!!!! 5 50 250",
                                               "2: 130 175 Finish = 02:02:00"}));

    EXPECT_EQ(host.files.ReadFile(host.path + "\\qvrplugin.log").value_or("<none>"),
              "Stage [3] started. [Col de Turini] False Start\r\n"
              "[CheckPoint 1] : 00:40:50 : Col de Turini\r\n"
              "Stage Result for \"Col de Turini\": \r\n[CP1] = 00:40:50\r\n[CP2] = 01:21:25\r\n[Finish] = 02:02:00\r\n\r\n");

    // Destroyed through slot 0; the poll thread let the library go; no crash on the way out.
    ASSERT_GE(record.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(record.end() - 3, record.end()),
                testing::ElementsAre("unmapped avviora.dll", "unmapped shifter.dll", "end"));
}

// The simulated host runs a stage: the shifter hears of its start, splits and result, logs
// them, and shifts gears while it runs and not after the finish.
TEST_F(PluginWineTest, TheShifterHearsOfAStageRunAndShiftsWhileItRuns) {
    ASSERT_TRUE(host.Start("", "--menu 10 --stage 2,4,12 --speed 1")) << testing::PrintToString(host.Record());
    ASSERT_EQ(host.Gear(), 0u);
    // The menu car index lies in code: avviora has given it back its protection.
    platform::ScopedProcess query(host.processes, host.processes.Open(host.pid, platform::kProcessQueryInformation));
    // avviora writes the index at each of its notifications (a thread of the host starting, say),
    // so one may be under way: the page settles back to its protection.
    EXPECT_TRUE(host.Until(
        [&] {
            return host.processes.QueryProtection(query.get(), qvrplugin::kMenuCarIndexE8) ==
                   platform::kPageExecuteRead;
        },
        5s))
        << *host.processes.QueryProtection(query.get(), qvrplugin::kMenuCarIndexE8);
    EXPECT_EQ(host.Read32(qvrplugin::kMenuCarIndexE8), 5u);

    const std::uint8_t track[4] = {41, 0, 0, 0};  // as the client sets the stage
    ASSERT_TRUE(host.processes.WriteMemory(host.process, hostmap::kTrackIdCell, track, 4));
    ASSERT_TRUE(host.StartStage());
    EXPECT_TRUE(host.ShiftWith(kScanZ, 2)) << host.Gear();
    EXPECT_TRUE(host.ShiftWith(kScanX, 3)) << host.Gear();

    ASSERT_TRUE(host.Until([&] { return Recorded("stage end 2 4 12 Track 41"); }, 30s))
        << testing::PrintToString(host.Record());
    host.Press(kScanZ, true);  // after the finish: no gear
    SimHostFolder::Sleep(300ms);
    host.Press(kScanZ, false);
    EXPECT_EQ(host.Gear(), 3u);
    ASSERT_TRUE(host.Close());

    EXPECT_EQ(host.files.ReadFile(host.path + "\\qvrplugin.log").value_or("<none>"),
              "Stage [41] started. [Track 41] \r\n"
              "[CheckPoint 1] : 00:02:00 : Track 41\r\n"
              "[CheckPoint 2] : 00:04:00 : Track 41\r\n"
              "Stage Result for \"Track 41\": \r\n[CP1] = 00:02:00\r\n[CP2] = 00:04:00\r\n[Finish] = 00:12:00\r\n\r\n");
    const auto record = host.Record();
    EXPECT_THAT(record, testing::IsSupersetOf({"stage start 41 0 Track 41", "1: Stage Started 10 50 150",
                                               "stage checkpoint 2 1 Track 41", "stage checkpoint 4 2 Track 41",
                                               "1: CHECKPOINT!!!!!!!!!! 5 50 250"}));
    // No crash or hang on the way out; the poll thread let the library go.
    ASSERT_GE(record.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(record.end() - 3, record.end()),
                testing::ElementsAre("unmapped avviora.dll", "unmapped shifter.dll", "end"));
}

}  // namespace
}  // namespace vmtest

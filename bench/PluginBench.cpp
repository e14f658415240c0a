// The shifter inside the simulated host, for scripts/bench-plugins (Windows, under Wine).
//
//   plugin_bench idle SECONDS menus|stage [--no-plugins]   runs the simulated host in a host
//       folder of its own for that long, in its menus or in a stage, the shifter switched on with
//       two keys bound, and prints the folder first ("folder <path>"), so that the caller can
//       find the process and measure it.
//   plugin_bench latency PRESSES               presses the two bound keys in turn during a stage
//       and prints the times from each key press to the gear found written in the host's memory.
//   plugin_bench sleep-loop SECONDS [TAG]      for comparison: a thread that only pauses the poll
//       period in a loop, as the poll thread does between its passes, for that long (TAG, any
//       text, lets the caller find the process).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/StopSignal.h"
#include "plugins/shifter/Shifter.h"
#include "tests/support/SimHostFolder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kKeys[2] = {0x2C, 0x2D};  // Z, X: first and second gear
constexpr const char* kSettings = "Enabled=1\r\nKey0=2c\r\nKey1=2d\r\n";
// At the start entry, with a stage that lasts a day.
constexpr const char* kLongStage = "--menu 10 --stage 86400";

int Idle(int seconds, bool inStage, bool withPlugins) {
    vmtest::SimHostFolder host(kSettings, 5, withPlugins);
    std::printf("folder %s\n", host.path.c_str());
    std::fflush(stdout);
    if (!host.Start("", kLongStage)) return 1;
    if (inStage && !host.StartStage()) return 2;
    vmtest::SimHostFolder::Sleep(std::chrono::seconds(seconds));
    std::printf("closed %s\n", host.Close() ? "yes" : "no");
    return 0;
}

int SleepLoop(int seconds) {
    const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
    std::thread loop([&] {
        while (Clock::now() < end) platform::PauseThread(shifter::kPollMs);
    });
    loop.join();
    return 0;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

int Latency(int presses) {
    vmtest::SimHostFolder host(kSettings, 5);
    if (!host.Start("", kLongStage) || !host.StartStage()) return 1;
    if (!host.ShiftWith(kKeys[1], 3)) return 2;  // the poll thread has its keyboard
    std::vector<double> times;
    int lost = 0;
    for (int i = 0; i < presses; ++i) {
        vmtest::SimHostFolder::Sleep(37ms);  // off the poll's beat, so presses fall anywhere in it
        const std::uint32_t gear = 2 + i % 2;
        const Clock::time_point pressed = Clock::now();
        host.Press(kKeys[i % 2], true);
        // Looks at the gear every quarter millisecond: a tighter loop of reads would load the
        // server that delivers the key event.
        while (host.Gear() != gear && Clock::now() - pressed < 1s) vmtest::SimHostFolder::Sleep(250us);
        const Clock::time_point seen = Clock::now();
        host.Press(kKeys[i % 2], false);
        if (host.Gear() != gear) ++lost;
        else times.push_back(Ms(seen - pressed));
    }
    host.Close();
    if (times.empty()) return 3;
    std::sort(times.begin(), times.end());
    auto at = [&](double q) { return times[std::min(times.size() - 1, std::size_t(q * times.size()))]; };
    std::printf("key press to gear written, %zu presses (%d lost): min %.2f ms, median %.2f ms, 90%% %.2f ms, max %.2f ms\n",
                times.size(), lost, times.front(), at(0.5), at(0.9), times.back());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const int n = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::string where = argc > 3 ? argv[3] : "";
    if (mode == "idle" && n > 0 && (where == "menus" || where == "stage"))
        return Idle(n, where == "stage", !(argc > 4 && std::string(argv[4]) == "--no-plugins"));
    if (mode == "latency" && n > 0) return Latency(n);
    if (mode == "sleep-loop" && n > 0) return SleepLoop(n);
    std::fprintf(stderr,
                 "usage: plugin_bench idle SECONDS menus|stage [--no-plugins] | latency PRESSES | sleep-loop SECONDS [TAG]\n");
    return 2;
}

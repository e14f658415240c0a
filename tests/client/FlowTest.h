// The main window of a logged-in client over the in-process host model: its four timers tick
// on the injectable clock, a simulated host can be started (also by the client's own launch),
// and the host folder of a start can be built. Each window that loads gets a handle of its own.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "client/foMain.h"
#include "platform/EventLoop.h"
#include "services/host/Memory.h"
#include "tests/host/HostFixture.h"
#include "tests/preparation/InstallTestSupport.h"
#include "tests/support/HostFixture.h"

namespace vmtest {

inline constexpr std::uint32_t kHostNeverCloses = 0xFFFFFFFF;

class FlowTest : public HostTest {
protected:
    static constexpr const char* kStageLabel = "Harwood Forest     [6100m]";
    static constexpr const char* kEventPwd = "Lak3s";

    FlowTest();
    ~FlowTest() override;

    // Runs the program's window events for ms milliseconds of the clock.
    void RunFor(std::uint32_t ms) { platform::HandleEventsFor(ms); }
    // Runs them until the stage monitor has begun n more ticks.
    void MonitorTicks(int n);

    // An event of ssCount stages (services before stages given), the driver at SS current.
    void Event(int ssCount, int current = 1, std::vector<int> services = {});

    // Builds the host folder and the data packages of a start, the digests the check list
    // expects being those of the built files. From then on, the client's launch of the host's
    // executable starts a simulated host with hostOptions.
    void PrepareHostFolder();
    std::optional<simhost::Options> hostOptions;
    // How long the host takes to close its window when asked to (kHostNeverCloses: it does not).
    std::uint32_t hostClosesAfterMs = 0;
    // How long the host's window takes to show once the client opened it; its process runs meanwhile.
    std::uint32_t hostShowsAfterMs = 0;
    // How long the host's process goes on after it closed its window when asked to.
    std::uint32_t hostEndsAfterWindowMs = 0;
    // The hosts the client opened; each may open only while no host process runs.
    int hostsOpened = 0;
    void EndHost();
    // A host process runs (with its window or not).
    bool HostProcessAlive();
    // The host was asked to close and has not gone yet.
    bool HostClosing() const { return closeAt_.has_value(); }

    // The physics package's date as the start would have taken it, so that results are sent.
    void PhysicsDated();
    // As a start that opened the host leaves the client: the host seen next is its, for the
    // current choice.
    void LaunchedByStart();

    // The addresses opened in the web pane wb.
    std::vector<std::string> Panes() const;
    // The address of the result record of a kind for the current choice at this moment, or for
    // a given stage.
    std::string LogAddress(std::int16_t kind, const std::string& time = "") const;
    std::string LogAddress(const vm::StageChoice& stage, std::int16_t kind, const std::string& time = "") const;
    // The messages shown, as "title|style|text".
    std::vector<std::string> Messages() const;
    // The run log so far.
    std::string RunLog();

    foMain& w = foMain::Instance();
    HostFixture fx{"C:\\vm"};
    RecordingProfile codes{os.profile};

private:
    std::optional<std::uint32_t> closeAt_;  // when the host, asked to close, goes
    std::optional<std::uint32_t> showAt_;   // when the opened host shows its window
    std::optional<std::uint32_t> endAt_;    // when the host's process ends after its window
    // Due at ticks, by the clock.
    bool Due(std::optional<std::uint32_t> ticks) const { return ticks && os.clock.ticks - *ticks < 0x80000000u; }
    int monitorTicks_ = 0;
};

}  // namespace vmtest

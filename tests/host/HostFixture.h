// A host on the in-process model: a process whose memory the simulated host's core lays out,
// with the protections of a real image (header page read-only, code execute-read, data
// read-write), its window of class "D3D Window" in front, Enter moving its menu and waits
// moving its time on; the host brings its window to the front and closes it as it would.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "tests/support/VmTest.h"
#include "tools/simhost/SimHost.h"

namespace vmtest {

class HostTest : public VmTest {
protected:
    static constexpr std::uint32_t kHostPid = 1234;

    HostTest();

    // Starts the host and puts its window in front.
    void StartHost(simhost::Options options = {});
    // The host window goes and the process ends.
    void EndHost();
    // The host's time is elapsedMs since its start; the host ends when it closed its window.
    void TickHost(std::uint32_t elapsedMs);
    // Another program's window, put in front.
    platform::WindowHandle OtherWindowInFront(std::uint32_t processId = 77);

    platform::NativeAddressSpace& memory() { return os.processes.Find(kHostPid)->memory; }
    // The writes to the host from the journal entry `from` on, as (address, bytes).
    using WriteList = std::vector<std::pair<std::uint32_t, std::string>>;
    WriteList WritesSince(std::size_t from = 0) const;

    platform::WindowHandle hostWindow = 0;
    std::unique_ptr<simhost::HostMemory> image;
    std::unique_ptr<simhost::SimHost> sim;
    std::uint32_t startTicks = 0;

private:
    class ModelWindow : public simhost::HostWindow {
    public:
        explicit ModelWindow(HostTest& test) : test_(test) {}
        void KeepInFront() override { test_.os.desktop.foreground = test_.hostWindow; }
        void Close() override { test_.closing_ = true; }

    private:
        HostTest& test_;
    };
    ModelWindow window_{*this};
    bool closing_ = false;
};

}  // namespace vmtest

#include "tests/host/HostFixture.h"

#include <cstring>

#include "services/host/HostMap.h"

namespace vmtest {

namespace {
class ModelImage : public simhost::HostMemory {
public:
    explicit ModelImage(platform::NativeAddressSpace& memory) : memory_(memory) {}
    bool Holds(std::uint32_t, std::uint32_t) override { return true; }
    bool Put(std::uint32_t address, const void* data, std::uint32_t size) override {
        return memory_.Write(address, data, size);
    }
    bool Get(std::uint32_t address, void* buffer, std::uint32_t size) override {
        std::string bytes = memory_.Peek(address, size);
        std::memcpy(buffer, bytes.data(), size);
        return true;
    }

private:
    platform::NativeAddressSpace& memory_;
};
}  // namespace

HostTest::HostTest() {
    os.desktop.onKey = [this](const platform::NativeDesktop::Key& k) {
        if (sim && k.virtualKey == platform::kVkReturn && !(k.flags & platform::kKeyEventKeyUp) &&
            k.foreground == hostWindow && hostWindow != 0)
            sim->OnEnter();
    };
    os.desktop.onPump = [this] {
        if (sim) TickHost(os.clock.ticks - startTicks);
    };
}

void HostTest::StartHost(simhost::Options options) {
    platform::NativeAddressSpace& mem = os.processes.Add(kHostPid).memory;
    mem.Map(0x400000, platform::kPageSize, platform::kPageReadOnly);  // the image's header page
    mem.Map(simhost::kCodeBegin, simhost::kMapEnd - simhost::kCodeBegin, platform::kPageReadWrite);
    image = std::make_unique<ModelImage>(mem);
    sim = std::make_unique<simhost::SimHost>(*image, std::move(options));
    sim->Attach(window_);
    closing_ = false;
    ASSERT_TRUE(sim->Layout());
    ASSERT_TRUE(mem.Protect(simhost::kCodeBegin, simhost::kCodeEnd - simhost::kCodeBegin, platform::kPageExecuteRead,
                            nullptr));
    startTicks = os.clock.ticks;
    hostWindow = os.desktop.AddWindow(hostmap::kWindowClass, kHostPid);
    os.desktop.foreground = hostWindow;
}

void HostTest::TickHost(std::uint32_t elapsedMs) {
    sim->OnTick(elapsedMs);
    if (closing_) EndHost();
}

void HostTest::EndHost() {
    os.desktop.RemoveWindow(hostWindow);
    os.processes.Find(kHostPid)->running = false;
    sim.reset();
}

platform::WindowHandle HostTest::OtherWindowInFront(std::uint32_t processId) {
    os.processes.Add(processId);
    platform::WindowHandle w = os.desktop.AddWindow("#32770", processId);
    os.desktop.foreground = w;
    return w;
}

HostTest::WriteList HostTest::WritesSince(std::size_t from) const {
    WriteList out;
    for (std::size_t i = from; i < os.processes.journal.size(); ++i)
        out.emplace_back(os.processes.journal[i].address, os.processes.journal[i].bytes);
    return out;
}

}  // namespace vmtest

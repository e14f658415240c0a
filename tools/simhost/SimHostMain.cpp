// simhost.exe: the simulated host as a Windows program (see SimHost.h).
//
//   simhost [--marker E8] [--menus 82,2,11,0,10] [--texts-after ms] [--lifetime ms] [--hang-on-close ms]
//           [--plugin-record file] [--plugin-calls calls]
//
// It is linked at 0x400000 without relocations, and its image holds one large zero-filled
// array, so that every fixed address of the host's memory map lies inside the image, as in the
// real game (the loader has reserved those addresses; they cannot be allocated afterwards).
// Its window of class "D3D Window" takes Enter while in front, closes on WM_CLOSE and comes to
// the front on kFrontMessage. Exit codes: 0 closed, 2 bad command line, 3 image cannot hold
// the map, 4 no window, 5 a plug-in call it does not know. The plug-ins of the Plugins folder
// beside it are loaded at start and unloaded at the end (PluginHost.h).
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/GameWindow.h"
#include "platform/win32/Win32Adapters.h"
#include "services/host/HostMap.h"
#include "tools/simhost/PluginHost.h"
#include "tools/simhost/SimHost.h"

namespace {

// The image's bulk; must reach from below kCodeBegin to past kMapEnd (checked at start).
constexpr std::uint32_t kImageBytes = 0x1400000;
alignas(4096) std::uint8_t gImage[kImageBytes];

class OwnImage : public simhost::HostMemory {
public:
    bool Holds(std::uint32_t address, std::uint32_t size) override {
        const auto begin = reinterpret_cast<std::uintptr_t>(gImage);
        return address >= begin && std::uint64_t(address) + size <= std::uint64_t(begin) + kImageBytes;
    }
    bool Put(std::uint32_t address, const void* data, std::uint32_t size) override {
        if (!Holds(address, size)) return false;
        std::memcpy(At(address), data, size);
        return true;
    }
    bool Get(std::uint32_t address, void* buffer, std::uint32_t size) override {
        if (!Holds(address, size)) return false;
        std::memcpy(buffer, At(address), size);
        return true;
    }

private:
    static std::uint8_t* At(std::uint32_t address) { return gImage + (address - reinterpret_cast<std::uintptr_t>(gImage)); }
};

class App : public platform::GameWindowEvents {
public:
    App(simhost::SimHost& host, simhost::PluginHost& plugins) : host_(host), plugins_(plugins) {}
    void Attach(platform::GameWindow& window) { window_ = &window; }

    void OnKeyDown(std::uint32_t virtualKey) override {
        if (virtualKey == platform::kVkReturn) host_.OnEnter();
    }
    void OnTimer(std::uint32_t, std::uint32_t tickCount) override {
        if (!started_) {
            start_ = tickCount;  // time counts from the first tick of the loop
            started_ = true;
            std::string bad;
            if (!plugins_.Run(host_.options().pluginCalls, &bad)) {
                std::fprintf(stderr, "simhost: bad plug-in call %s\n", bad.c_str());
                platform::QuitMessageLoop(5);
            }
        }
        const std::uint32_t elapsed = tickCount - start_;
        host_.OnTick(elapsed);
        if (host_.options().lifetimeMs != 0 && elapsed >= host_.options().lifetimeMs) platform::QuitMessageLoop(0);
    }
    bool OnClose() override {
        if (host_.options().hangOnCloseMs != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(host_.options().hangOnCloseMs));
        return true;
    }
    void OnAppMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
        if (message == simhost::kFrontMessage && window_) window_->BringToFront();
    }

private:
    simhost::SimHost& host_;
    simhost::PluginHost& plugins_;
    platform::GameWindow* window_ = nullptr;
    std::uint32_t start_ = 0;
    bool started_ = false;
};

// Gives the host's code range the protection of code.
void ProtectCode() {
    platform::win32::Win32Processes processes;
    platform::ScopedProcess self(processes, processes.Open(processes.CurrentProcessId(), platform::kProcessVmOperation));
    std::uint32_t previous = 0;
    if (!self || !processes.ProtectMemory(self.get(), simhost::kCodeBegin, simhost::kCodeEnd - simhost::kCodeBegin,
                                          platform::kPageExecuteRead, &previous))
        std::fprintf(stderr, "simhost: the code range keeps its protection\n");
}

// A test that opens the host through the shell learns how it was started: VM_SIMHOST_REPORT names
// a file that receives the car list "Cars\Cars.ini" as the host finds it through its relative
// path, which holds only when the host was started in its own folder.
void WriteStartReport() {
    platform::win32::Win32Environment environment;
    const std::string report = environment.GetVariable("VM_SIMHOST_REPORT");
    if (report.empty()) return;
    platform::win32::Win32FileSystem files;
    const std::string cars = files.ReadFile("Cars\\Cars.ini").value_or("<no Cars\\Cars.ini>");
    if (files.WriteFile(report + ".tmp", cars) == platform::FsStatus::Ok) (void)files.MoveFile(report + ".tmp", report);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto options = simhost::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
    if (!options) {
        std::fprintf(stderr, "simhost: %s\n", error.c_str());
        return 2;
    }
    OwnImage image;
    simhost::SimHost host(image, *options);
    if (!host.Layout()) {
        std::fprintf(stderr, "simhost: the image at %p does not hold the memory map\n", static_cast<void*>(gImage));
        return 3;
    }
    ProtectCode();
    WriteStartReport();
    platform::win32::Win32FileSystem files;
    simhost::PluginHost plugins(image, files, options->pluginRecord);
    plugins.LoadAll(platform::win32::Win32Environment().ProgramFolder() + "\\Plugins", options->marker);
    App app(host, plugins);
    auto window = platform::GameWindow::Create(hostmap::kWindowClass, "Kovarra", 640, 480, app);
    if (!window) return 4;
    app.Attach(*window);
    window->SetTimer(1, 50);
    const int exitCode = platform::RunMessageLoop();
    window.reset();
    plugins.UnloadAll();
    plugins.Record("end");
    return exitCode;
}

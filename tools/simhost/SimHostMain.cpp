// simhost.exe: the simulated host as a Windows program (see SimHost.h).
//
//   simhost [--marker E8] [--menu 82] [--texts-after ms] [--lifetime ms] [--hang-on-close ms]
//           [--show-after ms] [--linger ms] [--stage 65.2,130.37,181.05] [--speed 1] [--close-at s]
//           [--routine-a s,...] [--routine-b s,...] [--plugin-record file] [--plugin-calls calls]
//           [--status-file file]
//
// Started without arguments (as the client starts the host), it takes them from the file
// simhost-args.txt beside it when there is one.
//
// It is linked at 0x400000 without relocations, and its image holds one large zero-filled
// array, so that every fixed address of the host's memory map lies inside the image, as in the
// real game (the loader has reserved those addresses; they cannot be allocated afterwards).
// Its window of class "D3D Window" takes Enter while in front, closes on WM_CLOSE, comes to
// the front on kFrontMessage and shows what the host was given; with --status-file it also writes
// that text into the file (when it changed, at most every 250 ms, and at its end with a last
// line "Ended"), so that a test can read it. With --show-after the process runs that long
// without a window before it makes one (a host slow to show); with --linger it goes on that long
// after its window has gone, before the line "Ended" (a host slow to end). Exit codes: 0 closed,
// 2 bad command line, 3 image cannot hold the map, 4 no window, 5 a plug-in call it does not know.
// The plug-ins of the Plugins folder beside it are loaded at start and unloaded at the end
// (PluginHost.h); they hear of its stage run as the host's plug-ins do.
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

// The image's bulk (see kImageBulkBytes).
constexpr std::uint32_t kImageBytes = simhost::kImageBulkBytes;
alignas(4096) std::uint8_t gImage[kImageBytes];
// The image's header page (the image base), which holds the two flag cells.
constexpr std::uint32_t kHeaderPage = 0x400000;

// The header page and the bulk of the program's own image. A write goes only where the page
// allows it now, as a store of the host's code would.
class OwnImage : public simhost::HostMemory {
public:
    OwnImage()
        : self_(processes_, processes_.Open(processes_.CurrentProcessId(), platform::kProcessQueryInformation)) {}

    bool Holds(std::uint32_t address, std::uint32_t size) override { return At(address, size) != nullptr; }
    bool Put(std::uint32_t address, const void* data, std::uint32_t size) override {
        std::uint8_t* at = At(address, size);
        if (at == nullptr) return false;
        if (size == 0) return true;
        const std::uint32_t last = (address + size - 1) / platform::kPageSize;
        for (std::uint32_t page = address / platform::kPageSize; page <= last; ++page) {
            auto protection = processes_.QueryProtection(self_.get(), page * platform::kPageSize);
            if (!protection || !platform::IsWritableProtection(*protection)) return false;
        }
        std::memcpy(at, data, size);
        return true;
    }
    bool Get(std::uint32_t address, void* buffer, std::uint32_t size) override {
        const std::uint8_t* at = At(address, size);
        if (at == nullptr) return false;
        std::memcpy(buffer, at, size);
        return true;
    }

private:
    // The bytes at the address when all size of them lie in the header page or the bulk, else null.
    static std::uint8_t* At(std::uint32_t address, std::uint32_t size) {
        const std::uint64_t end = std::uint64_t(address) + size;
        if (address >= kHeaderPage && end <= kHeaderPage + platform::kPageSize)
            return reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(address));
        const auto begin = reinterpret_cast<std::uintptr_t>(gImage);
        if (address >= begin && end <= std::uint64_t(begin) + kImageBytes) return gImage + (address - begin);
        return nullptr;
    }

    platform::win32::Win32Processes processes_;
    platform::ScopedProcess self_;
};

class App : public platform::GameWindowEvents, public simhost::HostWindow {
public:
    App(simhost::SimHost& host, simhost::PluginHost& plugins) : host_(host), plugins_(plugins) {}
    void Attach(platform::GameWindow& window) {
        window_ = &window;
        host_.Attach(*this);
    }

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
        if (window_ == nullptr) return;  // closed by the tick
        std::string text = host_.StatusText();
        if (text != shown_) window_->SetText(shown_ = std::move(text));
        if (shown_ != written_ && tickCount - writtenAt_ >= 250) {
            WriteStatus(shown_);
            written_ = shown_;
            writtenAt_ = tickCount;
        }
        if (host_.options().lifetimeMs != 0 && elapsed >= host_.options().lifetimeMs) platform::QuitMessageLoop(0);
    }
    void KeepInFront() override {
        if (window_) window_->BringToFront();
    }
    void Close() override {
        if (window_ == nullptr) return;
        window_->Destroy();
        window_ = nullptr;
        platform::QuitMessageLoop(0);
    }
    bool OnClose() override {
        if (host_.options().hangOnCloseMs != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(host_.options().hangOnCloseMs));
        return true;
    }
    void OnAppMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
        if (message == simhost::kFrontMessage && window_) window_->BringToFront();
    }
    // The status file's last text, once the window is gone.
    void WriteLastStatus() { WriteStatus(host_.StatusText() + "Ended\n"); }

private:
    void WriteStatus(const std::string& text) {
        if (!host_.options().statusFile.empty())
            (void)platform::win32::Win32FileSystem().WriteFile(host_.options().statusFile, text);
    }

    simhost::SimHost& host_;
    simhost::PluginHost& plugins_;
    platform::GameWindow* window_ = nullptr;
    std::string shown_, written_;
    std::uint32_t writtenAt_ = 0;
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

// The command line's arguments, or without any those of the file simhost-args.txt beside the
// program.
std::vector<std::string> Arguments(int argc, char** argv) {
    if (argc > 1) return std::vector<std::string>(argv + 1, argv + argc);
    const std::string file = platform::win32::Win32Environment().ProgramFolder() + "\\simhost-args.txt";
    return simhost::SplitWords(platform::win32::Win32FileSystem().ReadFile(file).value_or(""));
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto options = simhost::ParseOptions(Arguments(argc, argv), &error);
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
    host.Attach(plugins);
    App app(host, plugins);
    std::this_thread::sleep_for(std::chrono::milliseconds(options->showAfterMs));
    auto window = platform::GameWindow::Create(hostmap::kWindowClass, "Kovarra", 640, 480, app);
    if (!window) return 4;
    app.Attach(*window);
    window->SetTimer(1, 50);
    const int exitCode = platform::RunMessageLoop();
    window.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(options->lingerMs));
    app.WriteLastStatus();
    plugins.UnloadAll();
    plugins.Record("end");
    return exitCode;
}

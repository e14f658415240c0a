#include "platform/native/NativePlatform.h"

#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

#include "platform/EventLoop.h"

namespace fs = std::filesystem;

namespace platform {

fs::path NativePlatform::MakeRoot() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path p = fs::temp_directory_path() /
                 ("vm-native-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(p);
    return p;
}

NativePlatform::NativePlatform() : files(MakeRoot()), saved_(ports()) {
    root_ = files.HostPath("C:\\").parent_path();
    Ports& p = ports();
    p.profile = &profile;
    p.registry = &registry;
    p.environment = &environment;
    p.fileSystem = &files;
    p.messageBox = &messageBox;
    p.clock = &clock;
    p.http = &http;
    p.shell = &shell;
    p.regional = &regional;
    p.webPanes = &webPanes;
    p.md5 = &md5;
    p.desktop = &desktop;
    p.processes = &processes;
    p.fileDialog = &fileDialog;
    p.instances = &instances;
    p.pictures = &pictures;
    desktop.clock = &clock;
    processes.onEnd = [this](std::uint32_t id) { desktop.RemoveWindowsOf(id); };
}

NativePlatform::~NativePlatform() {
    ResetEventLoop();  // nothing held for the next
    ports() = saved_;
    std::error_code ec;
    fs::remove_all(root_, ec);
}

}  // namespace platform

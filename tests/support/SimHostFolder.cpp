#include "tests/support/SimHostFolder.h"

#include <filesystem>
#include <thread>

#include "platform/Bytes.h"
#include "plugins/HostAddresses.h"
#include "services/host/HostMap.h"
#include "tools/simhost/SimHost.h"

namespace vmtest {

SimHostFolder::SimHostFolder(const std::string& shifterIni, int menuCarIndex, bool withPlugins) {
    const std::string build = platform::win32::Win32Environment().ProgramFolder() + "\\..";
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path = (std::filesystem::temp_directory_path() / ("vmplugins-" + std::to_string(stamp))).string();
    for (const std::string& folder : {path, path + "\\Plugins", path + "\\Cars"}) (void)files.CreateFolder(folder);
    (void)files.CopyFile(build + "\\tools\\simhost\\simhost.exe", path + "\\Kovarra.exe");
    if (withPlugins) {
        (void)files.CopyFile(build + "\\plugins\\shifter\\shifter.dll", path + "\\Plugins\\shifter.dll");
        (void)files.CopyFile(build + "\\plugins\\avviora\\avviora.dll", path + "\\Plugins\\avviora.dll");
    }
    (void)files.WriteFile(path + "\\Cars\\Cars.ini", "[MENU_CAR_INDEX]\r\nINDEX=" + std::to_string(menuCarIndex) + "\r\n");
    (void)files.WriteFile(path + "\\Plugins\\shifter.ini", "[MAIN]\r\n" + shifterIni);
}

SimHostFolder::~SimHostFolder() {
    if (process) {
        if (!processes.WaitForExit(process, 0)) processes.Terminate(process, 1);
        processes.WaitForExit(process, 10000);
        processes.Close(process);
    }
    // The executable stays busy until its process has gone.
    for (int i = 0; i < 50 && files.DeleteFolder(path, true) != platform::FsStatus::Ok; ++i)
        Sleep(std::chrono::milliseconds(100));
}

void SimHostFolder::Sleep(std::chrono::microseconds time) { std::this_thread::sleep_for(time); }

bool SimHostFolder::Start(const std::string& pluginCalls, const std::string& arguments) {
    // The host's working folder is its own folder: the started program inherits this one's.
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(path);
    process = processes.Start("\"" + path + "\\Kovarra.exe\" --lifetime 120000 --plugin-record \"" + path +
                                  "\\record.txt\" --plugin-calls \"" + pluginCalls + "\" " + arguments,
                              &pid);
    std::filesystem::current_path(here);
    // A Wine process can take long to start on a loaded machine.
    return process != 0 && Until(
                               [&] {
                                   const platform::WindowHandle w = desktop.FindTopWindow("D3D Window");
                                   if (w != 0 && desktop.WindowProcessId(w) == pid) window = w;
                                   return window != 0;
                               },
                               std::chrono::seconds(30));
}

bool SimHostFolder::Close() {
    desktop.Post(window, platform::kWmClose, 0, 0);
    return processes.WaitForExit(process, 20000);
}

std::uint32_t SimHostFolder::Read32(std::uint32_t address) {
    std::uint8_t b[4] = {};
    return processes.ReadMemory(process, address, b, 4) ? platform::FromLe32(b) : 0xDEADBEEF;
}

std::vector<std::string> SimHostFolder::Record() {
    std::vector<std::string> lines;
    const std::string text = files.ReadFile(path + "\\record.txt").value_or("");
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

void SimHostFolder::Press(std::uint8_t scanCode, bool down) {
    constexpr std::uint32_t kScanCodeOnly = 0x8;  // KEYEVENTF_SCANCODE
    desktop.KeyEvent(0, scanCode, (down ? 0 : platform::kKeyEventKeyUp) | kScanCodeOnly, 0);
}

std::uint32_t SimHostFolder::Gear() { return Read32(simhost::layout::kCar + qvrplugin::kCarGear); }

bool SimHostFolder::ShiftWith(std::uint8_t scanCode, std::uint32_t gear) {
    bool shifted = false;
    for (int i = 0; i < 100 && !shifted; ++i) {
        Press(scanCode, true);
        shifted = Until([&] { return Gear() == gear; }, std::chrono::milliseconds(200));
        Press(scanCode, false);
    }
    return shifted;
}

bool SimHostFolder::StartStage() {
    using namespace std::chrono_literals;
    desktop.Post(window, simhost::kFrontMessage, 0, 0);
    if (!Until([&] { return desktop.ForegroundWindow() == window; })) return false;
    desktop.KeyEvent(platform::kVkReturn, 0, 0, 0);
    desktop.KeyEvent(platform::kVkReturn, 0, platform::kKeyEventKeyUp, 0);
    return Until([&] { return Read32(simhost::layout::kGame + hostmap::game::kMode) == simhost::kModeStage; });
}

}  // namespace vmtest

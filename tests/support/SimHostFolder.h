// A host folder on the real file system: the simulated host as its executable, this build's
// plug-ins in its Plugins folder with a shifter.ini, and Cars\Cars.ini; and the simulated host
// started in it as the client starts the host, recording its plug-ins' calls. Windows only.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/Win32Adapters.h"

namespace vmtest {

class SimHostFolder {
public:
    // shifterIni: the lines of shifter.ini's section MAIN; without plug-ins the Plugins folder
    // stays empty.
    SimHostFolder(const std::string& shifterIni, int menuCarIndex, bool withPlugins = true);
    // Ends the simulated host if it still runs, and deletes the folder.
    ~SimHostFolder();
    SimHostFolder(const SimHostFolder&) = delete;
    SimHostFolder& operator=(const SimHostFolder&) = delete;

    // Starts the simulated host in the folder with the plug-in calls and further arguments, and
    // waits for its window. Returns false when it has none.
    bool Start(const std::string& pluginCalls, const std::string& arguments = "");
    // Asks the simulated host to close and waits for its end. Returns true if it ended.
    bool Close();
    // A 32-bit value of the simulated host's memory, or 0xDEADBEEF when it cannot be read.
    std::uint32_t Read32(std::uint32_t address);
    // The lines recorded so far (PluginHost.h).
    std::vector<std::string> Record();
    // A synthetic key event by scan code.
    void Press(std::uint8_t scanCode, bool down);
    // The gear of the host's car, as the shifter writes it.
    std::uint32_t Gear();
    // Presses the key until the gear reads the value, 100 times at most: the first presses may
    // come before the shifter's poll thread has opened the keyboard. Returns true once it does.
    bool ShiftWith(std::uint8_t scanCode, std::uint32_t gear);
    // Puts the window in front and presses Enter, which at the start entry (--menu 10) starts the
    // stage. Returns true once the stage has started.
    bool StartStage();

    // Polls the condition every 5 ms until it holds, at most limit. Returns the condition.
    template <class F>
    static bool Until(F&& condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        for (auto end = std::chrono::steady_clock::now() + limit; !condition();) {
            if (std::chrono::steady_clock::now() > end) return false;
            Sleep(std::chrono::milliseconds(5));
        }
        return true;
    }
    static void Sleep(std::chrono::microseconds time);

    std::string path;  // the folder
    platform::ProcessHandle process = 0;
    std::uint32_t pid = 0;
    platform::WindowHandle window = 0;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32Processes processes;
};

}  // namespace vmtest

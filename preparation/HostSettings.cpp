#include "preparation/HostSettings.h"

#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"

namespace gFunc {

using vm::g;

namespace {

// Clears the file's attributes so that a read-only file can be written; a missing file fails
// silently and the following write creates it.
void MakeWritable(const std::string& path) {
    (void)platform::fileSystem().SetAttributes(path, platform::kAttrNormal);
}

}  // namespace

std::string HostFile(const std::string& name) { return g.gHostPath + "\\" + name; }

void SetHostDebugCode(const std::string& code) {
    std::string file = HostFile(kHostSettings);
    MakeWritable(file);
    (void)platform::profile().WriteString("Velomark", "Debug", code.c_str(), file);
}

void WriteHostDefaults(bool keepDisplayMode) {
    struct Entry {
        const char* file;
        const char* section;
        const char* key;
        const char* value;
        bool always;  // false: only outside testing mode, and not when the display mode is kept
    };
    static const Entry kDefaults[] = {
        {kHostSettings, "Settings", "RunIntro", "false", true},
        {kHostSettings, "Settings", "Fullscreen", "true", false},
        {"Cars\\GhostCarSettings.ini", "Settings", "MaxOpacity", "0.0", true},
        {"audio.ini", "OPTIONS::SOUNDS", "NumberChannels", "8", true},
    };
    const char* current = nullptr;
    for (const Entry& e : kDefaults) {
        if (current != e.file) {
            current = e.file;
            g.gIniFile = HostFile(e.file);
            MakeWritable(g.gIniFile);
        }
        if (e.always || (!g.gTestSwitch && !keepDisplayMode)) ReadWrite::WriteINI(e.section, e.key, e.value);
    }
}

std::int32_t LaunchHost() {
    g.gIniFile = HostFile("Cars\\cars.ini");
    ReadWrite::WriteINI("MENU_CAR_INDEX", "INDEX", std::to_string(g.gCar));
    return ShellMod::OpenFile(HostFile("Kovarra_SSE.exe"));
}

}  // namespace gFunc

namespace ShellMod {

std::int32_t OpenFile(const std::string& file) {
    return platform::shell().Execute(platform::kDesktopOwner, "Open", file, "", vm::g.gHostPath,
                                     platform::kShowNormal);
}

}  // namespace ShellMod

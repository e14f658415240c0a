// avviora.dll: presets the host's menu car from the client's choice, at every notification of
// the loader. It exports nothing.
#include "platform/win32/Win32Adapters.h"
#include "platform/win32/Win32PluginPorts.h"
#include "plugins/avviora/MenuCarPreset.h"

extern "C" int __stdcall DllMain(void*, unsigned long reason, void*) {
    try {
        platform::win32::Win32Profile profile;
        platform::win32::Win32OwnMemory memory;
        avviora::PresetMenuCar(profile, memory, reason);
    } catch (...) {
    }
    return 1;
}

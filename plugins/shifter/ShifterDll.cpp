// shifter.dll: the H-pattern gear shifter, a plug-in of the host. Its one export is
// QVR_CreatePlugin; its entry function starts the poll thread and nothing else.
#include "platform/Library.h"
#include "platform/win32/Win32Adapters.h"
#include "platform/win32/Win32PluginPorts.h"
#include "plugins/shifter/ShifterPlugin.h"

namespace {

// The library's state on the Win32 adapters. Made on first use and never destroyed: at the
// host's exit its threads are gone before the library's destructors would run, and one of
// them may have held a lock that a destructor would wait for.
struct Library {
    platform::win32::Win32Profile profile;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Clock clock;
    platform::win32::Win32Environment environment;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32Processes processes;
    platform::win32::Win32OwnMemory memory;
    platform::win32::Win32DirectInput directInput;
    shifter::Shifter shifter{{profile, files, clock, environment, desktop, processes, memory, directInput}};
};

shifter::Shifter& TheShifter() {
    static Library* library = new Library;
    return library->shifter;
}

void RunPollThread(void*) {
    try {
        shifter::GearPollThread(TheShifter());
    } catch (...) {
    }
}

}  // namespace

extern "C" __attribute__((dllexport)) HostPlugin* QVR_CDECL QVR_CreatePlugin(HostGameApi* host) {
    try {
        return shifter::CreateShifterPlugin(host, TheShifter());
    } catch (...) {
        return nullptr;
    }
}

extern "C" int __stdcall DllMain(void*, unsigned long reason, void*) {
    constexpr unsigned long kProcessAttach = 1;
    if (reason == kProcessAttach) (void)platform::StartLibraryThread(RunPollThread, nullptr);
    return 1;
}

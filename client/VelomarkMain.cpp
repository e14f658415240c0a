// Velomark.exe: the client's entry.
#include "platform/win32/Win32Adapters.h"
#include "services/Settings.h"
#include "services/gLog.h"

int main() {
    platform::win32::InstallWin32Ports();
    gLog::OpenLog();
    qvrMod::LoadSettings();
    gLog::WriteLogTimed("Settings loaded from " + qvrMod::ProgramFile("velomark.ini"));
    gLog::CloseLog();
    return 0;
}

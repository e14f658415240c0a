// Tornavel.exe: the restore tool's entry.
#include "platform/win32/Win32Adapters.h"
#include "services/Messages.h"

int main() {
    platform::win32::InstallWin32Ports();
    vm::SetProgramTitle("Tornavel");
    return 0;
}

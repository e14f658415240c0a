// Tornavel.exe: the restore tool's entry.
#include "platform/win32/Win32Adapters.h"
#include "restore/foRestore.h"
#include "services/Messages.h"

int main() {
    platform::win32::InstallWin32Ports();
    vm::SetProgramTitle("Tornavel");
    foRestore window;
    window.Show();
    // The window has no view of its own yet: with nothing to show it in, the program ends here.
    return 0;
}

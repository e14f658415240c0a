// Tornavel.exe: the restore tool's entry. Its one window stays until the user closes it.
#include <exception>
#include <string>

#include "platform/CallbackFailure.h"
#include "platform/win32/Win32Adapters.h"
#include "restore/foRestore.h"
#include "services/Messages.h"
#include "ui/win32/FormViews.h"

namespace {

// A failure the restores did not expect: the user sees it, and the window stays usable.
void ShowFailure(const std::string& what) {
    vm::ShowMessage("An unexpected failure stopped this action:\r\n" + what, platform::kMsgOk | platform::kMsgCritical);
}

}  // namespace

int main() {
    platform::win32::InstallWin32Ports();
    vm::SetProgramTitle("Tornavel");
    platform::SetCallbackFailureHandler(&ShowFailure);
    try {
        ui::win32::InstallFormViews();
        foRestore window;
        window.Show();
        return ui::win32::RunMessageLoop();
    } catch (const std::exception& e) {
        // The window could not be made or loaded: nothing is left to keep alive.
        ShowFailure(e.what());
        return 1;
    }
}

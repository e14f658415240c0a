// Velomark.exe, the client: the connect window's load handler runs the start-up (a refused
// start ends the program there); then the windows answer the driver until none is loaded.
#include "client/foConnect.h"
#include "platform/CallbackFailure.h"
#include "platform/win32/Win32Adapters.h"
#include "services/Messages.h"
#include "services/gLog.h"
#include "ui/win32/FormViews.h"

int main() {
    platform::win32::InstallWin32Ports();
    // A handler that fails is told and logged; the windows go on.
    platform::SetCallbackFailureHandler([](const std::string& what) {
        gLog::WriteLogTimed("Unexpected failure: " + what);
        vm::ShowMessage("Unexpected failure: " + what, platform::kMsgCritical, "Error");
    });
    ui::win32::InstallFormViews();
    foConnect::Instance().Show();
    return ui::win32::RunMessageLoop();
}

// Enter presses into the host and closing it.
#include "platform/Ports.h"
#include "services/host/qvrHost.h"

namespace qvrMod {

namespace {
// A host that does not answer within this time is left alone.
constexpr std::uint32_t kCloseTimeoutMs = 1000;

// The key-down of Enter, made only while the host is in front, so that Enter cannot confirm
// another program's dialog. Returns true if it was made.
bool EnterDownIntoHost() {
    if (!Memory::IsHostForeground()) return false;
    platform::desktop().KeyEvent(platform::kVkReturn, 0, 0, 0);
    return true;
}
}  // namespace

void PressEnter() {
    // A key-up always follows a key-down that was made, even if the focus moved in between: a
    // key-up confirms nothing, and leaving it out would leave Enter held down.
    if (EnterDownIntoHost()) platform::desktop().KeyEvent(platform::kVkReturn, 0, platform::kKeyEventKeyUp, 0);
}

void PressEnterDown() { (void)EnterDownIntoHost(); }

void CloseHost() {
    std::uint32_t window = Memory::state.gHostWnd;
    if (window != 0) (void)platform::desktop().SendWithTimeout(window, platform::kWmClose, 0, 0, kCloseTimeoutMs);
}

}  // namespace qvrMod

#include "platform/StopSignal.h"
#include "platform/win32/WinApi.h"

namespace platform {

void PauseThread(std::uint32_t ms) { ::Sleep(ms); }

}  // namespace platform

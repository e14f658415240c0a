#include <chrono>
#include <thread>

#include "platform/StopSignal.h"

namespace platform {

void PauseThread(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace platform

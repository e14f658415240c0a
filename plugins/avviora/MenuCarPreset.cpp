#include "plugins/avviora/MenuCarPreset.h"

#include <cstdlib>

#include "platform/Bytes.h"
#include "platform/Process.h"
#include "plugins/HostAddresses.h"

namespace avviora {

bool WriteOwnProcessMemory(platform::OwnMemoryPort& memory, std::uint32_t address, const void* bytes,
                           std::uint32_t count) {
    if (memory.IsWritable(address, count)) return memory.Write(address, bytes, count);
    std::uint32_t old = 0;
    if (!memory.Protect(address, count, platform::kPageExecuteReadWrite, &old)) return false;
    const bool written = memory.Write(address, bytes, count);
    (void)memory.Protect(address, count, old, nullptr);
    if (old == platform::kPageExecuteRead) memory.FlushCode(address, count);
    return written;
}

void PatchHostBranches(platform::OwnMemoryPort& memory) {
    for (std::uint32_t address : {qvrplugin::kBranchA, qvrplugin::kBranchB})
        (void)WriteOwnProcessMemory(memory, address, &qvrplugin::kShortJump, 1);
}

void PresetMenuCar(platform::ProfilePort& profile, platform::OwnMemoryPort& memory, unsigned long reason) {
    constexpr unsigned long kProcessAttach = 1;
    char text[100] = {};
    profile.GetString("MENU_CAR_INDEX", "INDEX", "unknown", text, sizeof text, "Cars\\Cars.ini");
    const auto index = static_cast<std::int32_t>(std::strtol(text, nullptr, 10));

    std::uint8_t marker = 0;
    if (!memory.Read(qvrplugin::kBuildMarker, &marker, 1)) return;
    std::uint32_t address = 0;
    if (marker == qvrplugin::kMarkerIndexAt565DE5) address = qvrplugin::kMenuCarIndexE8;
    else if (marker == qvrplugin::kMarkerIndexAt55C465) address = qvrplugin::kMenuCarIndex00;
    else return;

    const std::string bytes = platform::Le32(static_cast<std::uint32_t>(index));
    if (!WriteOwnProcessMemory(memory, address, bytes.data(), 4)) return;
    if (reason == kProcessAttach) PatchHostBranches(memory);
}

}  // namespace avviora

// Which host build runs, its base pointers and the menu index.
#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"

namespace qvrMod {

namespace {
Memory::Value<std::int32_t> Version3Pointer(std::uint32_t cell) {
    if (GetHostVersion() != 3) return {0, false};
    return Memory::ReadLong(cell);
}
}  // namespace

int GetHostVersion() {
    Memory::GetHostProcess();
    Memory::Value<std::uint8_t> marker = Memory::ReadByte(hostmap::kMarker);
    if (!marker.ok) return 0;
    switch (marker.value) {
        case hostmap::kMarkerV1: return 1;
        case hostmap::kMarkerV2: return 2;
        case hostmap::kMarkerV3: return 3;
        case hostmap::kMarkerV4: return 4;
        default: return 0;
    }
}

Memory::Value<std::int32_t> GetGameBase() { return Version3Pointer(hostmap::kGamePtr); }

Memory::Value<std::int32_t> GetMenuBase() { return Version3Pointer(hostmap::kMenuAPtr); }

Memory::Value<std::int32_t> GetMenuBaseB() { return Version3Pointer(hostmap::kMenuBPtr); }

int GetMenuIndex() {
    using namespace hostmap::menu;
    Memory::Value<std::int32_t> base = GetMenuBase();
    Memory::Value<std::int32_t> selected = Memory::ReadLong(base + kSelected);
    if (!selected.ok) return kNoMenuIndex;
    for (int i = 0; i < kIndexCount; ++i) {
        Memory::Value<std::int32_t> entry = Memory::ReadLong(base + kTableA + 4 * i);
        if (entry.ok && entry == selected) return i;
    }
    return kIndexCount;
}

bool IsGameStateNotOne() {
    Memory::Value<std::int32_t> mode = Memory::ReadLong(GetGameBase() + hostmap::game::kMode);
    return !mode.ok || mode != 1;
}

}  // namespace qvrMod

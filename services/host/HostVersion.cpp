// Which host build runs, its base pointers and the menu index.
#include <array>

#include "platform/Bytes.h"
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
    // The whole table in one read, searched here: one process access instead of one an entry.
    std::array<std::uint8_t, 4 * kIndexCount> table;
    if (!Memory::ReadBlock(base + kTableA, table.data(), table.size())) return kNoMenuIndex;
    for (int i = 0; i < kIndexCount; ++i)
        if (platform::FromLe32(&table[4 * i]) == static_cast<std::uint32_t>(selected.value)) return i;
    return kIndexCount;
}

bool IsGameStateNotOne() {
    Memory::Value<std::int32_t> mode = Memory::ReadLong(GetGameBase() + hostmap::game::kMode);
    return !mode.ok || mode != 1;
}

}  // namespace qvrMod

// The restore tool's own track-texture folder table: the maps whose texture folders it moves
// back out of the place the host reads.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "services/ProgramState.h"
#include "services/gCheck.h"

namespace vm {

// Highest index of restoreSwapTable.
inline constexpr int kLastRestoreSwap = 100;
// The folder moves scan the entries 0 to this one.
inline constexpr int kLastRestoreScanned = 99;

inline ProgramWide<std::array<FolderSwap, kLastRestoreSwap + 1>> restoreSwapTable;

}  // namespace vm

namespace gFill {

// Registers the 37 map codes of the restore tool with their swap modes.
void FillRestoreTrackTextures();

// Sets the entry of a map code (the number of its first two characters) with its mode and its
// folder paths on the current gHostPath. A code without such a number is not registered.
void AddRestoreTrackTexture(const std::string& code, std::int16_t mode);

}  // namespace gFill

// The track-texture folder table: the host maps whose texture folders the client may swap.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "services/ProgramState.h"
#include "services/gCheck.h"

namespace vm {

// Highest index of folderSwapTable; the client's folder moves scan all of it.
inline constexpr int kLastFolderSwap = 900;

inline ProgramWide<std::array<FolderSwap, kLastFolderSwap + 1>> folderSwapTable;

}  // namespace vm

namespace gFill {

// Registers the 62 swappable map codes with their swap modes.
void FillTrackTextures();

// Sets the entry of a map code (its fixed index, else the number of its first two characters)
// with its mode and its folder paths on the current gHostPath.
void AddTrackTexture(const std::string& code, std::int16_t mode);

}  // namespace gFill

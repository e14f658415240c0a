// The data-file check list: the client's data packages and the host plug-ins it relies on,
// each with the digest of the file as shipped.
#pragma once
#include <array>

#include "services/ProgramState.h"
#include "services/gCheck.h"

namespace vm {

// Entry roles: 1..10 the physics package of car class 1..10, 11..14 the materials packages.
inline constexpr int kCheckTarmacMaterials = 11;
inline constexpr int kCheckSnowMaterials = 12;
inline constexpr int kCheckStockMaterials = 13;
inline constexpr int kCheckGravelMaterials = 14;
inline constexpr int kCheckZPlugin = 15;
inline constexpr int kCheckAvviora = 16;
inline constexpr int kCheckScripts = 17;
inline constexpr int kLastFileCheck = 20;

inline ProgramWide<std::array<FileCheck, kLastFileCheck + 1>> fileCheckList;

}  // namespace vm

namespace gFill {

// Fills entries 0..17 of fileCheckList: the packages in the Windows system folder with their
// digests, or in testing mode (gTestSwitch) from the host folder without digests.
void FillFileCheckList();

}  // namespace gFill

// The catalogue of the cars a driver can drive: per car id the host car slot it takes over, its
// class and place in the class list, its physics folders and the host files of the car.
#pragma once
#include <array>

#include "catalogues/CarTable.h"

namespace vm {

inline constexpr int kCarClasses = 10;

// The code of each car class 1..10 ("A8" .. "OS"); [0] is empty.
extern const std::array<const char*, kCarClasses + 1> kCarClassCodes;

// The physics folder of a host car slot 0..7 below "Physics\Physics" ("c_xsara" for slot 0);
// empty for any other slot.
const char* HostSlotFolder(int slot);

}  // namespace vm

namespace gFill {

// Writes name .. textures of the catalogue's cars and gCatCount(1..10). The physics paths embed
// gHostPath as it is now; nothing is cleared first and the skin fields are left alone.
void FillCarTable();

}  // namespace gFill

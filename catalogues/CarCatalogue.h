// The catalogue of the cars a driver can drive: per car id the host car slot it takes over, its
// class and place in the class list, its physics folders and the host files of the car.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "services/ProgramState.h"

namespace vm {

struct CarEntry {
    std::string name;            // make and model as the car lists show them (ANSI)
    std::int16_t slot = 0;       // host car slot 0..7
    std::int16_t category = 0;   // car class 1..10; 0 for an unused id
    std::int16_t position = 0;   // place in the class list, from 0
    std::string hostPhysicsDir;  // gHostPath\Physics\Physics\<slot folder>
    std::string carPhysicsDir;   // gHostPath\Physics\Physics\<car physics folder>
    // Relative to the host folder.
    std::string model, carIni, skinsIni, shaders, shaderSettings, textures;
    // The chosen skin, set by the skin procedures.
    std::string skinCode;
    std::int16_t skinNumber = 0;
};

inline constexpr int kCarIds = 1000;  // car ids 0..999
inline constexpr int kCarClasses = 10;

struct CarCatalogue {
    std::vector<CarEntry> carTable = std::vector<CarEntry>(kCarIds);
    // Per class 1..10 the highest position used (cars in the class minus one); 0, 11, 12 stay 0.
    std::array<std::int16_t, 13> gCatCount{};
};

inline ProgramWide<CarCatalogue> cars;

// The code of each car class 1..10 ("A8" .. "OS"); [0] is empty.
extern const std::array<const char*, kCarClasses + 1> kCarClassCodes;

}  // namespace vm

namespace gFill {

// Writes name .. textures of the catalogue's cars and gCatCount(1..10). The physics paths embed
// gHostPath as it is now; nothing is cleared first and the skin fields are left alone.
void FillCarTable();

}  // namespace gFill

// The car catalogue: carTable, indexed by car id 0..999, and gCatCount, the highest position
// used in each car class 1..10. gFill fills them at start-up.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "services/ProgramState.h"

namespace vm {

struct CarEntry {
    std::string name;
    std::int16_t slot = 0;      // host car slot 0..7
    std::int16_t category = 0;  // car class 1..10; 0 for an unused id
    std::int16_t position = 0;  // place in the class list, from 0
    std::string hostPhysicsDir, carPhysicsDir;  // absolute
    std::string model, carIni, skinsIni, shaders, shaderSettings, textures;  // relative to the host folder
    std::string skinCode;          // the chosen skin's code
    std::int16_t skinNumber = 0;   // the chosen skin; 0 is the default skin
};

constexpr int kCarIds = 1000;

struct CarCatalogue {
    std::array<CarEntry, kCarIds> carTable;
    std::array<std::int16_t, 13> gCatCount{};
};

inline ProgramWide<CarCatalogue> cars;

}  // namespace vm

// The SS the driver picked last: a copy of its roadbook section, which the start and
// the clock read. Its number is gCurrentSS.
#pragma once
#include <cstdint>
#include <string>

#include "services/ProgramState.h"

namespace vm {

struct CurrentStage {
    std::int16_t gCurSSStage = 0;    // stage id
    std::int16_t gCurSSWeather = 0;  // weather option
    std::int32_t gCurSSTime = 0;     // first start, seconds after midnight
    std::string gCurSSSky;           // host sky name
    std::int32_t gCurSSHumid = 0;
    std::int32_t gCurSSWear = 0;     // from the start rank when the roadbook says so
    std::int32_t gCurSSSurface = 0;  // surface index; -1: the stage's own rule
};

inline ProgramWide<CurrentStage> curSS;

}  // namespace vm

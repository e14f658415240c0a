// The event's roadbook qvr-race.ini, read into program-wide variables at log-in.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "services/ProgramState.h"

namespace gFunc {

// The SS of an event are the roadbook's sections "01" to "20"; element n of each array is section n
// (element 0 is never filled).
constexpr int kRoadbookStages = 20;

template <class T>
using PerStage = std::array<T, kRoadbookStages + 1>;

// The roadbook's values, besides gRoadbookPwd and gStartDelay, which are event state (vm::g).
struct RoadbookVars {
    std::string gRoadbookDesc;          // [MAIN] DESC, the event's title
    std::int32_t gRoadbookDamage = 0;   // [MAIN] DAM, damage level 0..3
    std::int16_t gRoadbookTip = 0;      // [MAIN] TIP, with DEL: wear from the start rank
    std::int16_t gSSCount = 0;          // sections whose SS is greater than 0
    PerStage<std::int16_t> gRoadbookSS{};       // SS, stage id; > 0: an SS
    PerStage<std::int16_t> gRoadbookWeather{};  // WH, weather option
    PerStage<std::int32_t> gRoadbookTime{};     // TM, first start, seconds after midnight
    PerStage<std::int32_t> gRoadbookService{};  // SP, 1: service before the stage
    PerStage<std::string> gRoadbookSky;         // BK, host sky name
    PerStage<std::int32_t> gRoadbookHumid{};    // HU, humidity 0..2
    PerStage<std::int32_t> gRoadbookWear{};     // GR, tyre wear 0..2
    PerStage<std::int32_t> gRoadbookSurface{};  // SU, surface index; -1: the stage's own rule
};

inline vm::ProgramWide<RoadbookVars> rb;

// The roadbook's path: "qvr-race.ini" in the program folder.
std::string RoadbookFile();

// Reads the roadbook into the variables above and into gRoadbookPwd and gStartDelay, all of
// which it first clears: a value that is missing, not a whole number or too wide stays 0 (texts
// empty). Leaves gIniFile on the roadbook.
void ReadRoadbook();

}  // namespace gFunc

// The driver's result record, scrambled into the address of the server's log page.
#pragma once
#include <cstdint>
#include <string>

#include "services/ProgramState.h"

namespace qvrMod {

// The two parts of the manual upload address: the last start record and the first finish
// record since the host was opened. The start procedure empties both.
struct UploadParts {
    std::string gErrUrlStart;   // gUrlError & driver & "&msg0=" & record & "&pwd0=" & event password
    std::string gErrUrlFinish;  // "&msg2=" & record & "&pwd2=" & event password
};

inline vm::ProgramWide<UploadParts> upload;

}  // namespace qvrMod

namespace gFunc {

// Record kinds.
enum : std::int16_t { kRecordStart = 0, kRecordFinish = 2, kRecordStatus = 3, kRecordRetired = 6 };

// The 16 fields joined by ";": kind, stage time ("12:34.56" when empty, else stripped of its
// blanks), stage id, weather,
// car slot, catalogue id, damage, host option, test flag, humidity, wear, sky index,
// the SS number, the start offset gStartDelay x (gStartRank - 1) (0 without a start interval),
// the car class, and the clock's "dd/mm/yyyy hh:nn:ss" in the regional separators.
std::string BuildEventRecord(std::int16_t kind, const std::string& stageTime, std::int32_t stageId,
                             std::int32_t weather, std::int32_t car, std::int32_t carPlus, std::int32_t damage,
                             std::int32_t hostOption, std::uint8_t testFlag, std::uint8_t humid, std::uint8_t wear,
                             std::uint8_t skyIndex, std::int16_t ss, std::int32_t carCategory);

// Builds the record, scrambles it under driver name & event password and returns
// gUrlLog & driver & "&msg=" & scrambled & "&pwd=" & event password. A start record replaces
// gErrUrlStart; the first finish record after a start fills gErrUrlFinish.
std::string BuildLogUrl(std::int16_t kind, const std::string& eventPwd, const std::string& driverName,
                        const std::string& stageTime, std::int32_t stageId, std::int32_t weather, std::int32_t car,
                        std::int32_t carPlus, std::int32_t damage, std::int32_t hostOption, std::uint8_t testFlag,
                        std::uint8_t humid, std::uint8_t wear, std::uint8_t skyIndex, std::int16_t ss,
                        std::int32_t carCategory);

}  // namespace gFunc

#include "preparation/ResultRecord.h"

#include "platform/Ports.h"
#include "preparation/WebAddresses.h"
#include "services/Crypt.h"
#include "services/Globals.h"
#include "services/TextNumbers.h"
#include "services/TimeText.h"

namespace gFunc {

using vm::g;

namespace {

// The driver's delay behind the first starter, in seconds. Computed wide: a product beyond
// 16 bits is written as it is, so that the record is never lost.
std::int32_t StartOffset() {
    if (g.gStartDelay <= 0) return 0;
    return std::int32_t{g.gStartDelay} * g.gStartRank - g.gStartDelay;
}

}  // namespace

std::string BuildEventRecord(std::int16_t kind, const std::string& stageTime, std::int32_t stageId,
                             std::int32_t weather, std::int32_t car, std::int32_t carPlus, std::int32_t damage,
                             std::int32_t hostOption, std::uint8_t testFlag, std::uint8_t humid, std::uint8_t wear,
                             std::uint8_t skyIndex, std::int16_t ss, std::int32_t carCategory) {
    const long long numbers[] = {stageId, weather, car,      carPlus, damage,        hostOption, testFlag,
                                 humid,   wear,    skyIndex, ss,      StartOffset(), carCategory};
    // Only an empty time is replaced; a time of blanks alone strips to an empty field.
    const std::string time = stageTime.empty() ? "12:34.56" : vm::TrimBlanks(stageTime);
    auto& regional = platform::regional();
    std::string record = std::to_string(kind);
    auto field = [&record](const std::string& text) { record.append(1, ';').append(text); };
    field(time);
    for (long long n : numbers) field(std::to_string(n));
    field(vm::FormatDayFirstStamp(platform::clock().Now(), regional.DateSeparator(), regional.TimeSeparator()));
    return record;
}

std::string BuildLogUrl(std::int16_t kind, const std::string& eventPwd, const std::string& driverName,
                        const std::string& stageTime, std::int32_t stageId, std::int32_t weather, std::int32_t car,
                        std::int32_t carPlus, std::int32_t damage, std::int32_t hostOption, std::uint8_t testFlag,
                        std::uint8_t humid, std::uint8_t wear, std::uint8_t skyIndex, std::int16_t ss,
                        std::int32_t carCategory) {
    std::string record = BuildEventRecord(kind, stageTime, stageId, weather, car, carPlus, damage, hostOption,
                                          testFlag, humid, wear, skyIndex, ss, carCategory);
    std::string scrambled = QueryValue(Crypt::Encrypt(record, driverName + eventPwd));
    std::string user = QueryValue(driverName), pwd = QueryValue(eventPwd);
    auto& kept = qvrMod::upload;
    if (kind == kRecordStart)
        kept.gErrUrlStart = g.gUrlError + user + "&msg0=" + scrambled + "&pwd0=" + pwd;
    else if (kind == kRecordFinish && kept.gErrUrlFinish.empty())
        kept.gErrUrlFinish = "&msg2=" + scrambled + "&pwd2=" + pwd;
    return g.gUrlLog + user + "&msg=" + scrambled + "&pwd=" + pwd;
}

}  // namespace gFunc

#include "preparation/WebAddresses.h"

#include "services/Globals.h"
#include "services/Settings.h"

namespace gFunc {

using vm::g;

namespace {
std::string Number(long long v) { return std::to_string(v); }
}  // namespace

std::string QueryValue(const std::string& value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : value) {
        auto b = static_cast<unsigned char>(c);
        bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                     b == '.' || b == '_' || b == '~';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kDigits[b >> 4];
            out += kDigits[b & 15];
        }
    }
    return out;
}

std::string RankUrl(const std::string& driver, const std::string& eventPwd) {
    return g.gUrlRank + QueryValue(driver) + "&pwd=" + QueryValue(eventPwd);
}

std::string DriverUrl(const std::string& nickname, std::int32_t car, std::int32_t category, std::int32_t tyre,
                      const std::string& version, const std::string& password) {
    return g.gUrlDriver + QueryValue(nickname) + "&car=" + Number(car) + "&cat=" + Number(category) +
           "&tyre=" + Number(tyre) + "&ver=" + QueryValue(version) + "&pwd=" + QueryValue(password);
}

std::string CarImageUrl() { return g.gUrlCarImage + QueryValue(g.gDriverName) + "&cat=" + Number(g.gCarCategory); }

std::string HotLapPageUrl() { return g.gUrlHotLaps + "index.php"; }

std::string HotLapResultUrl(const vm::StageChoice& stage, const std::string& time) {
    return g.gUrlHotLaps + "log.php?driver=" + QueryValue(g.gDriverName) + "&stage=" + Number(stage.stageId) +
           "&wear=" + Number(stage.wear) + "&humid=" + Number(stage.humid) + "&surface=" + Number(stage.surface) +
           "&time=" + QueryValue(time) + "&car=" + Number(stage.carPlus) + "&class=" + Number(stage.carCategory);
}

std::string ChatUrl() { return std::string(qvrMod::kLiveWebBase) + "/chat/index.php?driver=" + QueryValue(g.gDriverName); }

}  // namespace gFunc

#include "preparation/ServerClock.h"

#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/TextNumbers.h"

namespace gFunc {

namespace {

// One or two digits at pos, at most max; advances pos.
std::optional<int> Field(const std::string& t, std::size_t& pos, int max) {
    int value = 0, digits = 0;
    while (pos < t.size() && digits < 2 && t[pos] >= '0' && t[pos] <= '9') {
        value = value * 10 + (t[pos++] - '0');
        ++digits;
    }
    if (digits == 0 || value > max) return std::nullopt;
    return value;
}

}  // namespace

std::optional<TimeOfDay> ParseTimeOfDay(const std::string& text) {
    const std::string t = vm::TrimBlanks(text, " \t\r\n");
    std::size_t pos = 0;
    auto hour = Field(t, pos, 23);
    if (!hour || pos >= t.size() || t[pos++] != ':') return std::nullopt;
    auto minute = Field(t, pos, 59);
    if (!minute) return std::nullopt;
    int second = 0;
    if (pos < t.size()) {
        if (t[pos++] != ':') return std::nullopt;
        auto s = Field(t, pos, 59);
        if (!s) return std::nullopt;
        second = *s;
    }
    if (pos != t.size()) return std::nullopt;
    return TimeOfDay{*hour, *minute, second};
}

void SetClockFromServer() {
    auto reply = platform::http().Get(vm::g.gUrlTime, platform::kHttpTimeoutSeconds);
    if (!reply) return;
    auto time = ParseTimeOfDay(*reply);
    if (!time) return;
    platform::LocalTime now = platform::clock().Now();
    now.hour = time->hour;
    now.minute = time->minute;
    now.second = time->second;
    now.millisecond = 0;
    (void)platform::clock().SetLocal(now);  // a refused change leaves the clock as it was
}

}  // namespace gFunc

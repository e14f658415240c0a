#include "services/TimeText.h"

#include <cstdio>

namespace vm {

std::string FormatTimeStamp(const platform::LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buf;
}

std::string FormatCompactStamp(const platform::LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buf;
}

std::string FormatFileStamp(const platform::LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buf;
}

std::string FormatDayFirstStamp(const platform::LocalTime& t, const std::string& dateSep, const std::string& timeSep) {
    char buf[32];
    auto two = [&](int v) {
        std::snprintf(buf, sizeof buf, "%02d", v);
        return std::string(buf);
    };
    std::snprintf(buf, sizeof buf, "%04d", t.year);
    std::string year = buf;
    return two(t.day) + dateSep + two(t.month) + dateSep + year + " " + two(t.hour) + timeSep + two(t.minute) +
           timeSep + two(t.second);
}

}  // namespace vm

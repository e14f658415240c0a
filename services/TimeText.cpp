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

}  // namespace vm

#include "services/TimeText.h"

#include <cstdio>

namespace vm {

namespace {

std::string Padded(int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

// The date, year or day first, with dateSep between its fields, then gap, then the time of day
// with timeSep between its fields; the year has four digits, every other field two.
std::string Stamp(const platform::LocalTime& t, bool dayFirst, const std::string& dateSep, const std::string& gap,
                  const std::string& timeSep) {
    std::string year = Padded(t.year, 4), day = Padded(t.day, 2);
    return (dayFirst ? day : year) + dateSep + Padded(t.month, 2) + dateSep + (dayFirst ? year : day) + gap +
           Padded(t.hour, 2) + timeSep + Padded(t.minute, 2) + timeSep + Padded(t.second, 2);
}

}  // namespace

std::string FormatTimeStamp(const platform::LocalTime& t) { return Stamp(t, false, "-", " ", ":"); }

std::string FormatCompactStamp(const platform::LocalTime& t) { return Stamp(t, false, "", "", ""); }

std::string FormatFileStamp(const platform::LocalTime& t) { return Stamp(t, false, "", "_", ""); }

std::string FormatDayFirstStamp(const platform::LocalTime& t, const std::string& dateSep, const std::string& timeSep) {
    return Stamp(t, true, dateSep, " ", timeSep);
}

}  // namespace vm

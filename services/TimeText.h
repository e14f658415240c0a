// Date and time texts of the run log and file names.
#pragma once
#include <string>

#include "platform/Clock.h"

namespace vm {

// "YYYY-MM-DD hh:nn:ss", 24-hour.
std::string FormatTimeStamp(const platform::LocalTime& t);
// "YYYYMMDDhhNNss".
std::string FormatCompactStamp(const platform::LocalTime& t);
// "yyyymmdd_hhnnss".
std::string FormatFileStamp(const platform::LocalTime& t);
// "dd/mm/yyyy hh:nn:ss", 24-hour, with the given date and time separators in place of "/" and ":".
std::string FormatDayFirstStamp(const platform::LocalTime& t, const std::string& dateSep, const std::string& timeSep);

}  // namespace vm

// Date and time texts of the run log and file names.
#pragma once
#include <string>

#include "platform/Clock.h"

namespace vm {

// "YYYY-MM-DD hh:nn:ss", 24-hour.
std::string FormatTimeStamp(const platform::LocalTime& t);
// "YYYYMMDDhhNNss".
std::string FormatCompactStamp(const platform::LocalTime& t);

}  // namespace vm

// The user's regional settings that the client's texts follow.
// This file must contain only operating-system independent declarations.
#pragma once
#include <string>

namespace platform {

class RegionalPort {
public:
    virtual ~RegionalPort() = default;

    // Returns the separator between day, month and year ("/" in many settings).
    virtual std::string DateSeparator() = 0;
    // Returns the separator between hours, minutes and seconds (":" in many settings).
    virtual std::string TimeSeparator() = 0;
    // Returns the decimal separator ("." or ",").
    virtual std::string DecimalSeparator() = 0;
};

}  // namespace platform

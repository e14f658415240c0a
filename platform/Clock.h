// The local clock, setting it, and the millisecond tick count.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>

namespace platform {

struct LocalTime {
    int year = 0, month = 0, day = 0;          // month 1..12, day 1..31
    int hour = 0, minute = 0, second = 0;      // 24-hour
    int millisecond = 0;
    bool operator==(const LocalTime&) const = default;
};

class ClockPort {
public:
    virtual ~ClockPort() = default;

    // Returns the current local date and time.
    virtual LocalTime Now() = 0;

    // Sets the PC clock to the given local date and time. Returns true on success.
    virtual bool SetLocal(const LocalTime& t) = 0;

    // Returns milliseconds since the system started; wraps after 2^32.
    virtual std::uint32_t TickCount() = 0;
};

}  // namespace platform

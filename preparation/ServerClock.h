// The PC clock set to the event's web server's time of day.
#pragma once
#include <optional>
#include <string>

namespace gFunc {

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0;
    bool operator==(const TimeOfDay&) const = default;
};

// "h:mm" or "h:mm:ss" on the 24-hour clock, with blanks and line ends around it; nothing for
// any other text.
std::optional<TimeOfDay> ParseTimeOfDay(const std::string& text);

// Fetches gUrlTime and sets the PC clock's time of day to the reply, keeping the date. A failed
// request, a reply that is no time of day or a refused change leaves the clock as it was.
void SetClockFromServer();

}  // namespace gFunc

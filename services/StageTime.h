// Stage times as the client shows and sends them.
#pragma once
#include <string>

namespace qvrMod {

// A number of seconds, given as text in the user's number form, as "mm:ss.hh". The hundredths
// are the two characters after the integer digits and a one-character separator, cut from the
// text and never rounded ("59.999" gives "00:59.99"); missing ones are filled with zeros.
// Text that is no number counts as 0 seconds. From 100000 s on there are no hundredths.
std::string FormatTime(const std::string& seconds);

}  // namespace qvrMod

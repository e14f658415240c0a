#include "services/StageTime.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "services/Globals.h"
#include "services/TextNumbers.h"

namespace qvrMod {

namespace {
// A whole number with at least two digits.
std::string TwoDigits(double whole) {
    char buf[std::numeric_limits<double>::max_exponent10 + 4];  // every digit of the largest double
    std::snprintf(buf, sizeof buf, "%s%02.0f", whole < 0 ? "-" : "", std::fabs(whole));
    return buf;
}
}  // namespace

std::string FormatTime(const std::string& seconds) {
    double v = vm::ToDouble(seconds, vm::g.gDecimalSep).value_or(0);
    if (!std::isfinite(v)) v = 0;
    // Where the fraction starts (1-based) after up to five integer digits and the separator.
    std::size_t p = 0;
    if (v < 10) p = 3;
    else if (v < 100) p = 4;
    else if (v < 1000) p = 5;
    else if (v < 10000) p = 6;
    else if (v < 100000) p = 7;
    const std::string fraction = p != 0 && p <= seconds.size() ? seconds.substr(p - 1, 2) : std::string();
    // The whole minutes and the seconds left of the whole seconds: exact below 2^53 s, so that
    // the seconds lie in 0..59 also where v / 60 would round (-1e-15 s is -1 min 59 s).
    const double whole = std::floor(v);
    double secondsLeft = std::fmod(whole, 60);
    if (secondsLeft < 0) secondsLeft += 60;
    const double minutes = (whole - secondsLeft) / 60;
    std::string result = TwoDigits(minutes) + ":" + TwoDigits(secondsLeft) + "." + fraction;
    if (result.size() == 6) result += "00";
    else if (result.size() == 7) result += "0";
    return result;
}

}  // namespace qvrMod

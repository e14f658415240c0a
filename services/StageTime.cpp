#include "services/StageTime.h"

#include <cmath>
#include <cstdio>

#include "services/Globals.h"
#include "services/TextNumbers.h"

namespace qvrMod {

namespace {
// A whole number with at least two digits.
std::string TwoDigits(double whole) {
    char buf[64];
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
    const double minutes = std::floor(v / 60);
    std::string result = TwoDigits(minutes) + ":" + TwoDigits(std::floor(v - minutes * 60)) + "." + fraction;
    if (result.size() == 6) result += "00";
    else if (result.size() == 7) result += "0";
    return result;
}

}  // namespace qvrMod

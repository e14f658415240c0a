// The stage-time formatting over any text, with either decimal separator the user may have.
// Beyond crashes and undefined behaviour it checks the result's shape for every number the text
// may hold: minutes of at least two digits, ":", seconds of at least two digits, ".", then the
// two characters cut from the text after the integer digits and the separator, padded with
// zeros to eight characters; the minutes are the whole minutes of the number, and below 1e15 s
// (where a double still holds every whole second) minutes and seconds give back its whole
// seconds, the seconds in 0..59.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/Globals.h"
#include "services/StageTime.h"
#include "services/TextNumbers.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// Digits with an optional minus sign in front, at least two digits.
bool IsTwoDigitsOrMore(const std::string& s) {
    const std::size_t digits = !s.empty() && s[0] == '-' ? 1 : 0;
    if (s.size() < digits + 2) return false;
    for (std::size_t i = digits; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

void Check(const std::string& text, const std::string& separator) {
    vm::g.gDecimalSep = separator;
    const std::string result = qvrMod::FormatTime(text);
    auto fail = [&](const std::string& why) {
        fuzz::Fail("FormatTime(\"" + text + "\") with \"" + separator + "\" gave \"" + result + "\": " + why);
    };

    const std::size_t colon = result.find(':');
    const std::size_t point = colon == std::string::npos ? colon : result.find('.', colon);
    if (point == std::string::npos) fail("no minutes, seconds and point");
    const std::string minutes = result.substr(0, colon), seconds = result.substr(colon + 1, point - colon - 1);
    if (!IsTwoDigitsOrMore(minutes) || !IsTwoDigitsOrMore(seconds)) fail("minutes or seconds not in digits");

    const double v = vm::ToDouble(text, separator).value_or(0);
    std::size_t at = 0;  // where the hundredths start in the text, from 0; 0 for none
    for (double limit = 10, start = 2; limit <= 100000 && at == 0; limit *= 10, ++start)
        if (v < limit) at = static_cast<std::size_t>(start);
    const std::string hundredths = at != 0 && at < text.size() ? text.substr(at, 2) : std::string();
    std::string expectedEnd = hundredths;
    if (point + 1 + hundredths.size() < 8) expectedEnd.append(8 - (point + 1 + hundredths.size()), '0');
    if (result.substr(point + 1) != expectedEnd) fail("the hundredths are not \"" + expectedEnd + "\"");

    const double wholeMinutes = std::floor(v / 60);
    const double shownMinutes = std::strtod(minutes.c_str(), nullptr);
    if (std::fabs(shownMinutes - wholeMinutes) > std::fabs(wholeMinutes) * 1e-12)
        fail("the minutes are not the number's whole minutes");
    if (std::fabs(v) < 1e15) {
        const double shownSeconds = std::strtod(seconds.c_str(), nullptr);
        if (shownSeconds < 0 || shownSeconds > 59 || shownMinutes * 60 + shownSeconds != std::floor(v))
            fail("minutes and seconds do not give the number's whole seconds");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Check(text, ".");
    Check(text, ",");
    return 0;
}

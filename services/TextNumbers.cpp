#include "services/TextNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vm {

std::string TrimBlanks(const std::string& text, std::string_view blanks) {
    auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Text written with "." as its decimal point, with the user's decimal sign in its place.
std::string WithDecimalSign(std::string text, const std::string& decimalSep) {
    if (auto point = text.find('.'); point != std::string::npos) text.replace(point, 1, DecimalSign(decimalSep));
    return text;
}

}  // namespace

std::string DecimalSign(const std::string& decimalSep) { return decimalSep.empty() ? "." : decimalSep; }

namespace {

// Parses sign, digits, an optional fraction after sep and an optional exponent into a double.
std::optional<double> ParseNumber(const std::string& raw, const std::string& sep) {
    std::string t = TrimBlanks(raw, " \t");
    if (t.empty()) return std::nullopt;
    std::string normal;
    std::size_t i = 0;
    if (t[0] == '+' || t[0] == '-') normal += t[i++];
    bool digits = false, fraction = false;
    while (i < t.size()) {
        if (IsDigit(t[i])) {
            normal += t[i++];
            digits = true;
        } else if (!fraction && !sep.empty() && t.compare(i, sep.size(), sep) == 0) {
            normal += '.';
            i += sep.size();
            fraction = true;
        } else if (digits && (t[i] == 'e' || t[i] == 'E')) {
            // The exponent that FormatPointNumber and SingleToText write for large and small
            // numbers ("1e+16", "1.234568E+07"): a sign and digits, to the end of the text.
            normal += t[i++];
            if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
            const std::size_t first = i;
            while (i < t.size() && IsDigit(t[i])) normal += t[i++];
            if (i == first || i != t.size()) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(normal.data() + (normal[0] == '+'), normal.data() + normal.size(), value);
    if (ec != std::errc() || end != normal.data() + normal.size()) return std::nullopt;
    return value;
}

template <class Int>
std::optional<Int> ToWhole(const std::string& text, const std::string& decimalSep) {
    auto v = ParseNumber(text, DecimalSign(decimalSep));
    if (!v) return std::nullopt;
    double r = std::nearbyint(*v);  // the default rounding mode rounds half to even
    if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max()) return std::nullopt;
    return static_cast<Int>(r);
}

}  // namespace

std::optional<std::int32_t> ToLong(const std::string& text, const std::string& decimalSep) {
    return ToWhole<std::int32_t>(text, decimalSep);
}

std::optional<std::int16_t> ToInteger(const std::string& text, const std::string& decimalSep) {
    return ToWhole<std::int16_t>(text, decimalSep);
}

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    if (what.empty()) return text;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

std::optional<double> ToDouble(const std::string& text, const std::string& decimalSep) {
    return ParseNumber(text, DecimalSign(decimalSep));
}

std::string FormatNumber(double value, const std::string& decimalSep) {
    return WithDecimalSign(FormatPointNumber(value), decimalSep);
}

std::string SingleToText(float value, const std::string& decimalSep) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(value));
    return WithDecimalSign(buf, decimalSep);
}

std::optional<double> ParsePointNumber(const std::string& text) { return ParseNumber(text, "."); }

std::string FormatPointNumber(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

}  // namespace vm

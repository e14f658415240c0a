// Conversions between text and numbers as the client's files and settings need them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vm {

// The text without the blanks (spaces unless told otherwise) at either end.
std::string TrimBlanks(const std::string& text, std::string_view blanks = " ");

// A whole number from text in the user's number form: blanks around it, an optional sign,
// digits, optionally decimalSep with more digits, and optionally an exponent ("E" or "e", an
// optional sign, digits), rounded half to even as Windows' own conversion does. Empty,
// non-numeric or out-of-range text gives nothing.
std::optional<std::int32_t> ToLong(const std::string& text, const std::string& decimalSep);
std::optional<std::int16_t> ToInteger(const std::string& text, const std::string& decimalSep);

// The user's decimal sign; "." when the settings name none.
std::string DecimalSign(const std::string& decimalSep);

// The text with every what replaced by with (an empty what replaces nothing).
std::string ReplaceAll(std::string text, const std::string& what, const std::string& with);

// A number from text in the user's number form, as ToLong reads it but without rounding.
std::optional<double> ToDouble(const std::string& text, const std::string& decimalSep);
// A number as text in the user's number form: FormatPointNumber with decimalSep for the point
// ("." when decimalSep is empty, as ToDouble reads it).
std::string FormatNumber(double value, const std::string& decimalSep);
// A 32-bit float as text in the user's number form: up to seven significant digits, no
// superfluous zeros, an exponent only for very large or small values (65.2f -> "65.2").
std::string SingleToText(float value, const std::string& decimalSep);

// A number written with "." as its decimal point, whatever the user's settings.
std::optional<double> ParsePointNumber(const std::string& text);
// A number as text with "." as its decimal point and no superfluous digits (0.25 -> "0.25").
std::string FormatPointNumber(double value);

}  // namespace vm

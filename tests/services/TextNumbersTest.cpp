#include <gtest/gtest.h>

#include "services/TextNumbers.h"

namespace vm {
namespace {

TEST(TextNumbers, WholeNumbersInTheUsersForm) {
    struct Case {
        int line;
        const char* text;
        const char* sep;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {__LINE__, "12", ".", 12},
        {__LINE__, "  7 ", ".", 7},
        {__LINE__, "-3", ".", -3},
        {__LINE__, "+4", ".", 4},
        {__LINE__, "2.5", ".", 2},  // half to even
        {__LINE__, "3.5", ".", 4},
        {__LINE__, "1,5", ",", 2},
        {__LINE__, "1.5", ",", std::nullopt},  // not this user's decimal sign
        {__LINE__, "", ".", std::nullopt},
        {__LINE__, "abc", ".", std::nullopt},
        {__LINE__, "12abc", ".", std::nullopt},
        {__LINE__, "-", ".", std::nullopt},
        {__LINE__, "99999999999", ".", std::nullopt},
        {__LINE__, "1e3", ".", 1000},  // an exponent, as large and small numbers are written
        {__LINE__, "2,5E-1", ",", 0},
        {__LINE__, "-1.5e+1", ".", -15},
        {__LINE__, " 4E0 ", ".", 4},
        {__LINE__, "1e", ".", std::nullopt},
        {__LINE__, "1e+", ".", std::nullopt},
        {__LINE__, "e3", ".", std::nullopt},
        {__LINE__, "1e3.5", ".", std::nullopt},
        {__LINE__, "1e3e3", ".", std::nullopt},
        {__LINE__, "1e10", ".", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        EXPECT_EQ(ToLong(c.text, c.sep), c.expected);
    }
    EXPECT_EQ(ToInteger("32767", "."), std::optional<std::int16_t>(32767));
    EXPECT_EQ(ToInteger("40000", "."), std::nullopt);
}

TEST(TextNumbers, PointNumbersIgnoreTheRegionalSign) {
    EXPECT_EQ(ParsePointNumber("0.25"), 0.25);
    EXPECT_EQ(ParsePointNumber("0,25"), std::nullopt);
    EXPECT_EQ(FormatPointNumber(0.25), "0.25");
    EXPECT_EQ(FormatPointNumber(3), "3");
    EXPECT_EQ(FormatPointNumber(0.1), "0.1");
}

TEST(TextNumbers, NumbersWrittenAsTextReadBack) {
    for (const std::string sep : {".", ",", ""}) {  // "": no sign in the settings, read and written as "."
        for (double v : {0.1, -0.75, 1e16, -1.5e-5, 123456789012345.0, 1e-200, 1.7e308}) {
            EXPECT_EQ(ToDouble(FormatNumber(v, sep), sep), v) << FormatNumber(v, sep);
            EXPECT_EQ(ParsePointNumber(FormatPointNumber(v)), v) << FormatPointNumber(v);
        }
        for (float v : {65.2f, 12345678.f, 1e-5f, -3.4e38f})
            EXPECT_EQ(ToDouble(SingleToText(v, sep), sep), std::stod(SingleToText(v, "."))) << SingleToText(v, sep);
    }
}

TEST(TextNumbers, TrimBlanksTakesOnlyTheEnds) {
    struct Case {
        const char* text;
        const char* blanks;  // nullptr: the default, spaces
        const char* expected;
    } cases[] = {
        /*0*/ {"  12:34.56 ", nullptr, "12:34.56"},
        /*1*/ {" a  b ", nullptr, "a  b"},
        /*2*/ {"   ", nullptr, ""},
        /*3*/ {"", nullptr, ""},
        /*4*/ {"\tx\t", nullptr, "\tx\t"},
        /*5*/ {" \tx \t", " \t", "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.blanks ? TrimBlanks(c.text, c.blanks) : TrimBlanks(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace vm

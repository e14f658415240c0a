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

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

}  // namespace
}  // namespace vm

#include <gtest/gtest.h>

#include "services/Globals.h"
#include "services/StageTime.h"
#include "services/TextNumbers.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using StageTimeTest = VmTest;

TEST_F(StageTimeTest, SecondsAsMinutesSecondsAndHundredthsCutFromTheText) {
    struct Case {
        int line;
        const char* seconds;
        const char* sep;
        const char* expected;
    } cases[] = {
        {__LINE__, "65.5", ".", "01:05.50"},
        {__LINE__, "125.25", ".", "02:05.25"},
        {__LINE__, "59.999", ".", "00:59.99"},  // cut, never rounded up
        {__LINE__, "65", ".", "01:05.00"},
        {__LINE__, "0.5", ".", "00:00.50"},
        {__LINE__, "181.05", ".", "03:01.05"},
        {__LINE__, "3599.99", ".", "59:59.99"},
        {__LINE__, "99999.5", ".", "1666:39.5"},  // nine characters: nothing appended
        {__LINE__, "100000", ".", "1666:40."},    // no hundredths from here on
        {__LINE__, "181,05", ",", "03:01.05"},    // the user's decimal sign
        {__LINE__, "", ".", "00:00.00"},          // no number: no time
        {__LINE__, "-0.000000000000001", ".", "-01:59..0"},  // never 60 seconds (the hundredths cut as ever)
        {__LINE__, "1.234568E+07", ".", "205761:20."},  // a clock past 10^7 s, as its text is written
        // 60 * 2^240 s: every one of the 73 digits of the minutes
        {__LINE__, "106010823886703059774997850044575110949649033812537137487296372077557186560", ".",
         "1766847064778384329583297500742918515827483896875618958121606201292619776:00."},
    };
    for (const Case& c : cases) {
        vm::g.gDecimalSep = c.sep;
        EXPECT_EQ(qvrMod::FormatTime(c.seconds), c.expected) << "case at line " << c.line;
    }
}

TEST_F(StageTimeTest, TheHostsSecondsBecomeTextOfSevenDigitsAtMost) {
    EXPECT_EQ(vm::SingleToText(65.2f, "."), "65.2");
    EXPECT_EQ(vm::SingleToText(130.37f, "."), "130.37");
    EXPECT_EQ(vm::SingleToText(181.05f, ","), "181,05");
    EXPECT_EQ(vm::SingleToText(59.999f, "."), "59.999");
    EXPECT_EQ(vm::SingleToText(1234.5678f, "."), "1234.568");
    EXPECT_EQ(vm::SingleToText(65.f, "."), "65");
    EXPECT_EQ(vm::SingleToText(0.f, "."), "0");
}

}  // namespace
}  // namespace vmtest

// The PC clock set to the server's time of day.
#include <gtest/gtest.h>

#include "preparation/ServerClock.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

class ServerClockTest : public VmTest {
protected:
    ServerClockTest() { vm::g.gUrlTime = "http://events.test/ora.php"; }
};

TEST_F(ServerClockTest, TheReplySetsTheTimeOfDayAndKeepsTheDate) {
    struct Case {
        const char* reply;
        std::optional<gFunc::TimeOfDay> time;
    };
    const Case cases[] = {
        {"12:34:56", gFunc::TimeOfDay{12, 34, 56}},
        {"9:05", gFunc::TimeOfDay{9, 5, 0}},
        {" 23:59:59\r\n", gFunc::TimeOfDay{23, 59, 59}},
        {"00:00:00", gFunc::TimeOfDay{0, 0, 0}},
        {"24:00:00", std::nullopt},
        {"12:60", std::nullopt},
        {"12:34:56 extra", std::nullopt},
        {"12.34.56", std::nullopt},
        {"123:4", std::nullopt},
        {"noon", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        os.clock.now = {2026, 12, 8, 7, 45, 3, 250};
        os.clock.setCalls.clear();
        os.http.replies[vm::g.gUrlTime] = c.reply;
        gFunc::SetClockFromServer();
        if (c.time) {
            const platform::LocalTime set{2026, 12, 8, c.time->hour, c.time->minute, c.time->second, 0};
            EXPECT_EQ(os.clock.setCalls, std::vector<platform::LocalTime>{set});
        } else {
            EXPECT_TRUE(os.clock.setCalls.empty());
        }
    }
}

TEST_F(ServerClockTest, AFailedRequestOrARefusedChangeLeavesTheClock) {
    const platform::LocalTime before{2026, 12, 8, 7, 45, 3, 0};
    os.clock.now = before;
    gFunc::SetClockFromServer();  // no reply
    EXPECT_TRUE(os.clock.setCalls.empty());

    os.http.replies[vm::g.gUrlTime] = "12:00:00";
    os.clock.refuseSet = true;
    gFunc::SetClockFromServer();
    EXPECT_EQ(os.clock.setCalls.size(), 1u);
    EXPECT_EQ(os.clock.now, before);
}

}  // namespace
}  // namespace vmtest

#include <gtest/gtest.h>

#include "services/gLog.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

const char* kLogFile = "C:\\VelomarkLog_20070315214502.txt";
const std::string kStars(47, '*');

std::string StartBanner(const std::string& stamp) {
    return kStars + "\r\nSTART Velomark ON " + stamp + "\r\n" + kStars + "\r\n \r\n \r\n";
}
std::string EndBanner(const std::string& stamp) {
    return " \r\n \r\n" + kStars + "\r\nEND Velomark ON " + stamp + "\r\n" + kStars + "\r\n";
}

class LogTest : public VmTest {};

TEST_F(LogTest, WholeRunGivesBannersPlainAndTimedLines) {
    gLog::WriteLog("before open");  // dropped
    gLog::OpenLog();
    ASSERT_TRUE(gLog::gLogOpen());
    gLog::WriteLog("plain text");
    os.clock.now.second = 9;
    gLog::WriteLogTimed("timed text");
    EXPECT_EQ(Get(kLogFile), StartBanner("2007-03-15 21:45:02") + "plain text\r\n2007-03-15 21:45:09 timed text\r\n")
        << "each line is on disk as soon as it is written";
    os.clock.now.minute = 50;
    gLog::CloseLog();
    gLog::CloseLog();  // does nothing
    gLog::WriteLog("after close");
    EXPECT_EQ(Get(kLogFile), StartBanner("2007-03-15 21:45:02") +
                                 "plain text\r\n2007-03-15 21:45:09 timed text\r\n" +
                                 EndBanner("2007-03-15 21:50:09"));
}

TEST_F(LogTest, SecondRunInTheSameSecondAppends) {
    gLog::OpenLog();
    gLog::CloseLog();
    gLog::OpenLog();
    gLog::CloseLog();
    std::string run = StartBanner("2007-03-15 21:45:02") + EndBanner("2007-03-15 21:45:02");
    EXPECT_EQ(Get(kLogFile), run + run);
}

TEST_F(LogTest, UnwritableFileLeavesTheLogClosed) {
    Put(kLogFile, "someone else's");
    ASSERT_EQ(os.files.SetAttributes(kLogFile, platform::kAttrReadOnly), platform::FsStatus::Ok);
    gLog::OpenLog();
    EXPECT_FALSE(gLog::gLogOpen());
    gLog::WriteLog("dropped");
    gLog::CloseLog();
    EXPECT_EQ(Get(kLogFile), "someone else's");
}

}  // namespace
}  // namespace vmtest

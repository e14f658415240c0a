#include <gtest/gtest.h>

#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using gFunc::rb;
using vm::g;

const char* kRoadbook = "C:\\Velomark\\qvr-race.ini";

// SS in 01, 02 and 05 only, values that do not fit their widths, and sections that
// are named like stages but are not "01".."20".
const char* kSparse =
    "[MAIN]\r\nDESC=Rally of the Lakes\r\nPWD=Lak3s\r\nDAM=2\r\nDEL=30\r\nTIP=1\r\n"
    "[01]\r\nSS=41\r\nWH=0\r\nTM=52200\r\nSP=1\r\nBK=Sunny Afternoon\r\nHU=0\r\nGR=1\r\nSU=-1\r\n"
    "[02]\r\nSS=10\r\nWH=40000\r\nTM=fast\r\nSP=0\r\nBK=Overcast\r\nHU=2\r\nGR=2\r\nSU=3000000000\r\n"
    "[05]\r\nSS=12\r\nWH=2\r\nTM=61200\r\nBK=Night\r\nHU=1\r\nGR=0\r\nSU=2\r\n"
    "[1]\r\nSS=77\r\n[001]\r\nSS=78\r\n[21]\r\nSS=79\r\n";

class RoadbookTest : public VmTest {
protected:
    RoadbookTest() { os.environment.programFolder = "C:\\Velomark"; }
};

TEST_F(RoadbookTest, ReadsSparseSectionsAndKeepsOutOfRangeValuesAtZero) {
    Put(kRoadbook, kSparse);
    gFunc::ReadRoadbook();
    EXPECT_EQ(g.gIniFile, kRoadbook);
    EXPECT_EQ(rb.gRoadbookDesc, "Rally of the Lakes");
    EXPECT_EQ(g.gRoadbookPwd, "Lak3s");
    EXPECT_EQ(rb.gRoadbookDamage, 2);
    EXPECT_EQ(g.gStartDelay, 30);
    EXPECT_EQ(rb.gRoadbookTip, 1);
    EXPECT_EQ(rb.gSSCount, 3);

    EXPECT_EQ(rb.gRoadbookSS, (gFunc::PerStage<std::int16_t>{0, 41, 10, 0, 0, 12}));
    EXPECT_EQ(rb.gRoadbookTime[1], 52200);
    EXPECT_EQ(rb.gRoadbookService[1], 1);
    EXPECT_EQ(rb.gRoadbookSky[1], "Sunny Afternoon");
    EXPECT_EQ(rb.gRoadbookWear[1], 1);
    EXPECT_EQ(rb.gRoadbookSurface[1], -1);
    EXPECT_EQ(rb.gRoadbookWeather[2], 0);  // 40000 does not fit in 16 bits
    EXPECT_EQ(rb.gRoadbookTime[2], 0);     // not a number
    EXPECT_EQ(rb.gRoadbookSurface[2], 0);  // does not fit in 32 bits
    EXPECT_EQ(rb.gRoadbookHumid[2], 2);
    EXPECT_EQ(rb.gRoadbookWeather[5], 2);
    EXPECT_EQ(rb.gRoadbookSky[5], "Night");
    EXPECT_EQ(rb.gRoadbookSurface[5], 2);
    EXPECT_EQ(rb.gRoadbookSky[3], "");
}

TEST_F(RoadbookTest, StartIntervalBeyond16BitsIsNoInterval) {
    Put(kRoadbook, "[MAIN]\r\nDEL=40000\r\n");
    g.gStartDelay = 45;  // from an earlier read
    gFunc::ReadRoadbook();
    EXPECT_EQ(g.gStartDelay, 0);
}

TEST_F(RoadbookTest, ASecondReadLeavesNothingOfTheFirst) {
    Put(kRoadbook, kSparse);
    gFunc::ReadRoadbook();
    Put(kRoadbook, "[MAIN]\r\nPWD=other\r\n[01]\r\nSS=5\r\n");
    gFunc::ReadRoadbook();
    EXPECT_EQ(rb.gSSCount, 1);
    EXPECT_EQ(rb.gRoadbookDesc, "");
    EXPECT_EQ(g.gRoadbookPwd, "other");
    EXPECT_EQ(rb.gRoadbookDamage, 0);
    EXPECT_EQ(g.gStartDelay, 0);
    EXPECT_EQ(rb.gRoadbookTip, 0);
    EXPECT_EQ(rb.gRoadbookSS, (gFunc::PerStage<std::int16_t>{0, 5}));
    EXPECT_EQ(rb.gRoadbookTime[1], 0);
    EXPECT_EQ(rb.gRoadbookService[1], 0);
    EXPECT_EQ(rb.gRoadbookWear[1], 0);
    EXPECT_EQ(rb.gRoadbookSurface[1], 0);
    EXPECT_EQ(rb.gRoadbookWeather[5], 0);
    EXPECT_EQ(rb.gRoadbookSurface[5], 0);
}

TEST_F(RoadbookTest, AMissingFileAfterARoadbookCountsNoStage) {
    Put(kRoadbook, kSparse);
    gFunc::ReadRoadbook();
    ASSERT_EQ(os.files.DeleteFile(kRoadbook, true), platform::FsStatus::Ok);
    gFunc::ReadRoadbook();
    EXPECT_EQ(rb.gSSCount, 0);
    EXPECT_EQ(g.gRoadbookPwd, "");
    EXPECT_EQ(g.gStartDelay, 0);
    EXPECT_EQ(rb.gRoadbookSS, gFunc::PerStage<std::int16_t>{});
}

}  // namespace
}  // namespace vmtest

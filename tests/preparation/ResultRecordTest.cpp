#include <gtest/gtest.h>

#include "preparation/ResultRecord.h"
#include "services/Crypt.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using qvrMod::upload;
using vm::g;

class ResultRecordTest : public VmTest {
protected:
    ResultRecordTest() {
        os.clock.now = {2026, 12, 8, 7, 45, 3, 250};
        g.gUrlLog = "http://127.0.0.1:8080/log.php?user=";
        g.gUrlError = "http://127.0.0.1:8080/err.php?user=";
        g.gCarCategory = 1;
    }
    // A record of kind with the arguments of the worked finish (stage 10, slot 4, car 55, ...).
    std::string Record(std::int16_t kind, const std::string& time = "") {
        return gFunc::BuildEventRecord(kind, time, 10, 0, 4, 55, 3, 0, 0, 0, 1, 2, g.gCurrentSS, g.gCarCategory);
    }
    std::string Url(std::int16_t kind, const std::string& pwd = "Lak3s", const std::string& driver = "Ari",
                    const std::string& time = "") {
        return gFunc::BuildLogUrl(kind, pwd, driver, time, 10, 0, 4, 55, 3, 0, 0, 0, 1, 2, g.gCurrentSS, g.gCarCategory);
    }
};

TEST_F(ResultRecordTest, TheWorkedFinishRecord) {
    g.gCurrentSS = 1;
    g.gStartDelay = 30;
    g.gStartRank = 1;
    EXPECT_EQ(Record(gFunc::kRecordFinish, " 04:51.27 "), "2;04:51.27;10;0;4;55;3;0;0;0;1;2;1;0;1;08/12/2026 07:45:03");
}

TEST_F(ResultRecordTest, OnlyAnEmptyTimeBecomesThePlaceholder) {
    EXPECT_EQ(Record(gFunc::kRecordFinish, ""), "2;12:34.56;10;0;4;55;3;0;0;0;1;2;0;0;1;08/12/2026 07:45:03");
    EXPECT_EQ(Record(gFunc::kRecordFinish, "   "), "2;;10;0;4;55;3;0;0;0;1;2;0;0;1;08/12/2026 07:45:03");
}

TEST_F(ResultRecordTest, TheStatusRecordAfterLogIn) {
    EXPECT_EQ(gFunc::BuildEventRecord(gFunc::kRecordStatus, "", 0, 2, 6, 112, 1, 0, 1, 2, 0, 5, 0, 7),
              "3;12:34.56;0;2;6;112;1;0;1;2;0;5;0;0;7;08/12/2026 07:45:03");
}

TEST_F(ResultRecordTest, TheTimeStampTakesTheRegionalSeparators) {
    os.regional.dateSeparator = '.';
    os.regional.timeSeparator = '.';
    EXPECT_EQ(Record(gFunc::kRecordStart), "0;12:34.56;10;0;4;55;3;0;0;0;1;2;0;0;1;08.12.2026 07.45.03");
}

TEST_F(ResultRecordTest, StartOffsetIsTheDelayBehindTheFirstStarter) {
    struct Case {
        int line;
        std::int16_t delay, rank;
        std::string offset;
    };
    const Case cases[] = {
        {__LINE__, 0, 5, "0"},            // no start interval
        {__LINE__, -10, 5, "0"},
        {__LINE__, 30, 1, "0"},           // the first starter
        {__LINE__, 30, 4, "90"},
        {__LINE__, 30, 0, "-30"},         // no rank received
        {__LINE__, 300, 200, "59700"},    // beyond 16 bits: written as it is, the record kept
        {__LINE__, 32767, 32767, "1073643522"},
    };
    for (const Case& c : cases) {
        g.gStartDelay = c.delay;
        g.gStartRank = c.rank;
        EXPECT_EQ(Record(gFunc::kRecordStart), "0;12:34.56;10;0;4;55;3;0;0;0;1;2;0;" + c.offset + ";1;08/12/2026 07:45:03")
            << "case at line " << c.line;
    }
}

TEST_F(ResultRecordTest, TheLogAddressCarriesTheScrambledRecord) {
    g.gCurrentSS = 1;
    EXPECT_EQ(Url(gFunc::kRecordFinish, "Lak3s", "Ari", "04:51.27"),
              "http://127.0.0.1:8080/log.php?user=Ari&msg="
              "73AD99809BA064A173787C72717C717C757C76767C747C717C717C717C727C737C727C717C727C717970727370737173776171787B75767B7174"
              "&pwd=Lak3s");
}

TEST_F(ResultRecordTest, NameAndPasswordAreEncodedButTheKeyIsTheirPlainText) {
    const std::string driver = "A&B =#+%", pwd = "p w&x";
    std::string scrambled = Crypt::Encrypt(Record(gFunc::kRecordStart), driver + pwd);
    EXPECT_EQ(Url(gFunc::kRecordStart, pwd, driver),
              "http://127.0.0.1:8080/log.php?user=A%26B%20%3D%23%2B%25&msg=" + scrambled + "&pwd=p%20w%26x");
    EXPECT_EQ(upload.gErrUrlStart,
              "http://127.0.0.1:8080/err.php?user=A%26B%20%3D%23%2B%25&msg0=" + scrambled + "&pwd0=p%20w%26x");
}

TEST_F(ResultRecordTest, KeptPartsAreTheLastStartAndTheFirstFinish) {
    auto msg = [](const std::string& url) { return url.substr(url.find("&msg=") + 5, url.find("&pwd=") - url.find("&msg=") - 5); };
    EXPECT_EQ(upload.gErrUrlStart, "");
    (void)Url(gFunc::kRecordStatus);
    EXPECT_EQ(upload.gErrUrlStart, "");
    EXPECT_EQ(upload.gErrUrlFinish, "");

    (void)Url(gFunc::kRecordStart);
    os.clock.now.second = 4;
    std::string start = msg(Url(gFunc::kRecordStart));
    EXPECT_EQ(upload.gErrUrlStart, "http://127.0.0.1:8080/err.php?user=Ari&msg0=" + start + "&pwd0=Lak3s");

    std::string finish = msg(Url(gFunc::kRecordFinish, "Lak3s", "Ari", "03:01.05"));
    (void)Url(gFunc::kRecordFinish, "Lak3s", "Ari", "02:59.99");
    (void)Url(gFunc::kRecordRetired);
    EXPECT_EQ(upload.gErrUrlStart, "http://127.0.0.1:8080/err.php?user=Ari&msg0=" + start + "&pwd0=Lak3s");
    EXPECT_EQ(upload.gErrUrlFinish, "&msg2=" + finish + "&pwd2=Lak3s");
}

}  // namespace
}  // namespace vmtest

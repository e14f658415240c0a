#include <gtest/gtest.h>

#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "services/Settings.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

TEST(QueryValueTest, EveryByteOutsideTheUnreservedSetIsEscaped) {
    struct Case {
        int line;
        std::string value, encoded;
    };
    const Case cases[] = {
        {__LINE__, "", ""},
        {__LINE__, "AZaz09-._~", "AZaz09-._~"},
        {__LINE__, "0A1F9C", "0A1F9C"},  // scrambled records come out unchanged
        {__LINE__, "a&b=c#d+e%f g", "a%26b%3Dc%23d%2Be%25f%20g"},
        {__LINE__, "03:01.05", "03%3A01.05"},
        {__LINE__, "/?\"'", "%2F%3F%22%27"},
        {__LINE__, "Jos\xE9", "Jos%E9"},  // the ANSI byte
        {__LINE__, std::string("\x01\x7F\x80\xFF", 4), "%01%7F%80%FF"},
    };
    for (const Case& c : cases) EXPECT_EQ(gFunc::QueryValue(c.value), c.encoded) << "case at line " << c.line;
}

class WebAddressesTest : public VmTest {
protected:
    WebAddressesTest() {
        os.registry.SetString(platform::RegRoot::LocalMachine, qvrMod::kHostInstallKey, "", "C:\\Kovarra");
        Put("C:\\Velomark\\velomark.ini", "[MAIN]\r\nW=http://127.0.0.1:8080\r\n");
        qvrMod::LoadSettings();
        g.gDriverName = "Ari B&co";
        g.gCarCategory = 7;
    }
};

TEST_F(WebAddressesTest, ServerAddresses) {
    EXPECT_EQ(gFunc::RankUrl("Ari B&co", "p=1"), "http://127.0.0.1:8080/rank.php?user=Ari%20B%26co&pwd=p%3D1");
    EXPECT_EQ(gFunc::DriverUrl("Ari B&co", 55, 7, 1, "2.0", "my pwd#"),
              "http://127.0.0.1:8080/driver.php?driver=Ari%20B%26co&car=55&cat=7&tyre=1&ver=2.0&pwd=my%20pwd%23");
    EXPECT_EQ(gFunc::CarImageUrl(), "http://127.0.0.1:8080/img_car.php?driver=Ari%20B%26co&cat=7");
    EXPECT_EQ(gFunc::HotLapPageUrl(), "http://127.0.0.1:8080/HotLaps/index.php");
    vm::StageChoice driven;
    driven.stageId = 41;
    driven.wear = 1;
    driven.humid = 2;
    driven.surface = 2;
    driven.carPlus = 55;
    driven.carCategory = 7;
    EXPECT_EQ(gFunc::HotLapResultUrl(driven, "03:01.05"),
              "http://127.0.0.1:8080/HotLaps/log.php?driver=Ari%20B%26co&stage=41&wear=1&humid=2&surface=2"
              "&time=03%3A01.05&car=55&class=7");
    EXPECT_EQ(gFunc::ChatUrl(), std::string(qvrMod::kLiveWebBase) + "/chat/index.php?driver=Ari%20B%26co");
}

}  // namespace
}  // namespace vmtest

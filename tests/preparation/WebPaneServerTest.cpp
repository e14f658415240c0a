// The queued web panes on this build's HTTP client (libcurl natively, WinINet on Windows) against
// the local event server, which records exactly what it was sent.
#include <gtest/gtest.h>

#include <memory>

#include "preparation/ResultRecord.h"
#include "preparation/Results.h"
#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "tests/support/OsWeb.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

class WebPaneServerTest : public VmTest {
protected:
    void SetUp() override {
        server = EventServerAddress();
        ASSERT_FALSE(server.empty()) << "run through scripts/with-event-server";
        ASSERT_TRUE(ResetEventServer(http, server));
        platform::ports().webPanes = &os_panes.panes;
        g.gUrlLog = server + "/log.php?user=";
        g.gUrlError = server + "/err.php?user=";
        g.gUrlHotLaps = server + "/HotLaps/";
        os.clock.now = {2026, 12, 8, 7, 45, 3, 0};
    }
    std::string Recorded() {
        os_panes.Flush();
        return EventServerRequests(http, server);
    }
    std::string Target(const std::string& url) { return url.substr(server.size()); }

    OsHttp http;
    OsPanes os_panes;
    std::string server;
};

TEST_F(WebPaneServerTest, TheServerReceivesEachNavigationExactly) {
    const std::string driver = "A&B =#+%\xE9", pwd = "p w&x";
    std::string start = gFunc::BuildLogUrl(gFunc::kRecordStart, pwd, driver, "", 10, 0, 4, 55, 3, 0, 0, 0, 1, 2, 1, 1);
    std::string finish =
        gFunc::BuildLogUrl(gFunc::kRecordFinish, pwd, driver, "03:01.05", 10, 0, 4, 55, 3, 0, 0, 0, 1, 2, 1, 1);
    g.gDriverName = driver;
    vm::StageChoice driven;
    driven.surface = 1;
    std::string hotLap = gFunc::HotLapResultUrl(driven, "03:01.05");

    platform::webPanes().Navigate("wb", start);
    platform::webPanes().Navigate("wb", "about:blank");  // shows an empty pane, asks no server
    platform::webPanes().Navigate("wb", finish);
    gFunc::UploadStageTime();
    platform::webPanes().Navigate("wb", hotLap);
    EXPECT_EQ(Recorded(), Target(start) + "\n" + Target(finish) + "\n" + Target(qvrMod::upload.gErrUrlStart) +
                              qvrMod::upload.gErrUrlFinish + "\n" + Target(hotLap) + "\n");
}

TEST_F(WebPaneServerTest, EachPaneGetsItsOwnPages) {
    platform::webPanes().Navigate("wbCar", server + "/img_car.php?driver=Ari&cat=1");  // 404: not noticed
    platform::webPanes().Navigate("wb", server + "/log.php?user=Ari&msg=41&pwd=");
    std::string got = Recorded();
    EXPECT_NE(got.find("/img_car.php?driver=Ari&cat=1\n"), std::string::npos) << got;
    EXPECT_NE(got.find("/log.php?user=Ari&msg=41&pwd=\n"), std::string::npos) << got;
}

}  // namespace
}  // namespace vmtest

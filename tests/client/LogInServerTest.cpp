// An event log-in against the local event server, through this build's HTTP adapter and web
// panes (libcurl natively, WinINet on Windows): what the server receives, in its order.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "tests/client/ClientTest.h"
#include "tests/support/OsWeb.h"

namespace vmtest {
namespace {

using vm::g;

class LogInServerTest : public ClientTest {
protected:
    void SetUp() override {
        server = EventServerAddress();
        ASSERT_FALSE(server.empty()) << "run through scripts/with-event-server";
        ASSERT_TRUE(ResetEventServer(http, server));
        platform::ports().http = &http;
        platform::ports().webPanes = &panes.panes;
    }
    // The request targets the server received, in their order.
    std::vector<std::string> Received() {
        panes.Flush();
        std::istringstream lines(EventServerRequests(http, server));
        std::vector<std::string> targets;
        for (std::string line; std::getline(lines, line);) targets.push_back(line);
        return targets;
    }

    OsHttp http;
    OsPanes panes;
};

TEST_F(LogInServerTest, TheServerReceivesTimeRankRoadbookAndRegistrationThenTheStatusPage) {
    Settings("CAR1_p=26\r\n");
    ASSERT_EQ(Start(), std::nullopt);
    LogIn("secret");
    ASSERT_TRUE(main().Visible()) << (os.messageBox.shown.empty() ? "" : os.messageBox.shown.back().text);

    std::vector<std::string> received = Received();
    ASSERT_EQ(received.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(received.begin(), received.begin() + 4),
              (std::vector<std::string>{"/ora.php", "/rank.php?user=Ari&pwd=secret", "/roadbook/qvr-race.ini",
                                        "/driver.php?driver=Ari&car=26&cat=1&tyre=0&ver=2.6.2&pwd=pw"}));
    // The two panes load side by side.
    std::vector<std::string> panesAsked(received.begin() + 4, received.end());
    std::sort(panesAsked.begin(), panesAsked.end());
    EXPECT_EQ(panesAsked,
              (std::vector<std::string>{"/img_car.php?driver=Ari&cat=1", g.gWebPage.substr(server.size())}));

    EXPECT_EQ(os.clock.setCalls, (std::vector<platform::LocalTime>{{2007, 3, 15, 12, 34, 56, 0}}));
    EXPECT_EQ(g.gStartRank, 3);
    EXPECT_EQ(gFunc::rb.gSSCount, 3);
    EXPECT_EQ(main().laRally.Caption(), "Rally of the Lakes");
    EXPECT_EQ(main().laDelay.Caption(), "+120\"");
}

}  // namespace
}  // namespace vmtest

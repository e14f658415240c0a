// The HTTP adapter of this build (libcurl natively, WinINet on Windows) against the local event
// server, which records exactly what it was sent; also the web panes closing while a server keeps
// them waiting.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/Socket.h"
#include "platform/WebPane.h"
#include "tests/support/OsWeb.h"

namespace vmtest {
namespace {

class HttpTest : public ::testing::Test {
protected:
    void SetUp() override {
        server = EventServerAddress();
        ASSERT_FALSE(server.empty()) << "run through scripts/with-event-server";
        ASSERT_TRUE(ResetEventServer(http, server));
    }
    std::string Recorded() { return EventServerRequests(http, server); }

    OsHttp http;
    std::string server;
};

TEST_F(HttpTest, RepliesComeBackAsTheyWereServed) {
    EXPECT_EQ(http.Get(server + "/ora.php").value_or("<failed>"), "12:34:56");
    EXPECT_EQ(http.Get(server + "/rank.php?user=Ari&pwd=secret").value_or("<failed>"), "3");
    // The roadbook is bytes: CRLF, NUL and bytes above 0x7F unchanged.
    EXPECT_EQ(http.Get(server + "/roadbook/qvr-race.ini").value_or("<failed>"),
              std::string("[RALLY]\r\nPWD=secret\r\n\0\xff\xe9\r\n", 26));
    EXPECT_EQ(http.Get(server + "/HotLaps/").value_or("<failed>"), "<html><body>hot laps</body></html>");
}

TEST_F(HttpTest, ServerRecordsTheExactAddresses) {
    (void)http.Get(server + "/driver.php?driver=Ari&car=12&cat=3&tyre=1&ver=2.0&pwd=p%26w");
    (void)http.Get(server + "/log.php?user=Ari&msg=0A1B&pwd=");
    EXPECT_EQ(Recorded(), "/driver.php?driver=Ari&car=12&cat=3&tyre=1&ver=2.0&pwd=p%26w\n/log.php?user=Ari&msg=0A1B&pwd=\n");
}

TEST_F(HttpTest, FailuresGiveNothing) {
    EXPECT_FALSE(http.Get(server + "/no-such-page.php").has_value());  // 404
    EXPECT_FALSE(http.Get("http://127.0.0.1:1/ora.php", 5).has_value());  // nobody listening
}

// A server that takes the connection and never answers holds each page for a whole page
// timeout; the program's end must not wait for the pages still queued, one after the other.
TEST(WebPanesClosing, WaitsForNoPageTimeoutOfASilentServer) {
    auto silent = platform::ListenLoopback(0);  // never accepts, never answers
    ASSERT_TRUE(silent);
    const std::string page = "http://127.0.0.1:" + std::to_string(silent->Port()) + "/log.php?user=Ari";
    static OsHttp http;  // a worker left fetching still uses it
    const auto start = std::chrono::steady_clock::now();
    {
        platform::QueuedWebPanes panes(http);
        for (int i = 0; i < 4; ++i) panes.Navigate("wb", page);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(platform::kHttpTimeoutSeconds));
}

}  // namespace
}  // namespace vmtest

// The HTTP adapter of this build (libcurl natively, WinINet on Windows) against the local event
// server, which records exactly what it was sent; also replies cut off in transfer and the web
// panes closing while a server keeps them waiting.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

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

// A server that declares a body's length and closes the connection after part of it: what came
// is not the reply, and must not be taken for it (a cut roadbook read as the event's whole one).
TEST(HttpCutOff, AReplyCutInTransferIsAFailedRequest) {
    struct Case {
        std::size_t declared, sent;
    } cases[] = {{1000, 0}, {1000, 300}, {100000, 40000}, {100000, 99999}};
    for (const Case& c : cases) {
        auto listener = platform::ListenLoopback(0);
        ASSERT_TRUE(listener);
        std::thread server([&] {
            auto conn = listener->Accept();
            if (!conn) return;
            std::string request;
            char buf[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                int n = conn->Receive(buf, sizeof buf);
                if (n <= 0) return;
                request.append(buf, static_cast<std::size_t>(n));
            }
            conn->SendAll("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                          std::to_string(c.declared) + "\r\nConnection: close\r\n\r\n" + std::string(c.sent, 'r'));
        });  // the connection closes here, the rest of the body unsent
        OsHttp http;
        auto reply = http.Get("http://127.0.0.1:" + std::to_string(listener->Port()) + "/roadbook/qvr-race.ini", 20);
        server.join();
        EXPECT_FALSE(reply.has_value()) << c.sent << " of " << c.declared << " bytes came as a reply of "
                                        << reply.value_or("").size();
    }
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

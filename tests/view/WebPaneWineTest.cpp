// The web pane of a real window against the local event server: each navigation reaches the
// server exactly once, whether the system's browser sends it or the pane fetches it itself
// (VM_PANE_EXPECT says which one this run must have: "browser", or "text" when the browser was
// taken away with WINEDLLOVERRIDES=ieframe=), and a server that is down gets no request later.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Ports.h"
#include "platform/Socket.h"
#include "platform/win32/Win32Adapters.h"
#include "platform/win32/WinApi.h"
#include "tests/support/OsWeb.h"
#include "ui/Form.h"
#include "ui/win32/FormViews.h"

namespace vmtest {
namespace {

const ui::ControlDesign kPaneControls[] = {{"wb", ui::Kind::WebPane, 0, 0, 400, 300}};
const ui::FormDesign kPaneDesign{400, 300, true, kPaneControls};

class PaneForm : public ui::Form {
public:
    PaneForm() : ui::Form("vmPanes") { SetDesign(kPaneDesign); }
};

class WebPaneWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        platform::win32::InstallWin32Ports();
        ui::win32::InstallFormViews();
    }

    void SetUp() override {
        server = EventServerAddress();
        ASSERT_FALSE(server.empty()) << "run through scripts/with-event-server";
        ASSERT_TRUE(ResetEventServer(http, server));
        form.Show();
        HWND window = ::FindWindowA("vmPanes", nullptr);
        ASSERT_NE(window, nullptr);
        pane = ::GetDlgItem(window, static_cast<int>(reinterpret_cast<INT_PTR>(::GetPropA(window, "vm:wb"))));
        ASSERT_NE(pane, nullptr);
        text = ::FindWindowExA(pane, nullptr, "Edit", nullptr);
        const char* expect = std::getenv("VM_PANE_EXPECT");
        ASSERT_NE(expect, nullptr) << "VM_PANE_EXPECT must say browser or text";
        browser = std::string(expect) == "browser";
    }
    void TearDown() override { form.Unload(); }

    // Handles the window's events until done() holds or 20 s have passed.
    bool PumpUntil(const std::function<bool()>& done) {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > 20000) return false;
            platform::desktop().PumpEvents();
            platform::desktop().WaitForEvents(50);
        }
        return true;
    }
    void PumpFor(DWORD ms) {
        const DWORD start = ::GetTickCount();
        PumpUntil([&] { return ::GetTickCount() - start > ms; });
    }
    std::string Recorded() { return EventServerRequests(http, server); }
    std::string PaneText() {
        char buf[256] = {};
        ::GetWindowTextA(text, buf, sizeof buf);
        return ::IsWindowVisible(text) ? buf : "<hidden>";
    }
    // True when the pane holds a window of the browser beside its text.
    bool HasBrowserWindow() {
        for (HWND child = ::GetWindow(pane, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (child != text) return true;
        return false;
    }

    platform::win32::WinInetHttp http;
    std::string server;
    PaneForm form;
    HWND pane = nullptr, text = nullptr;
    bool browser = false;
};

TEST_F(WebPaneWineTest, EachNavigationReachesTheServerOnce) {
    EXPECT_EQ(HasBrowserWindow(), browser);
    const std::vector<std::string> pages = {"/log.php?user=Ari&msg=0A1B&pwd=", "/HotLaps/?ss=1&t=03:01.05",
                                            "/log.php?user=Ari&msg=2C3D&pwd="};
    std::string expected;
    for (const std::string& page : pages) {
        platform::webPanes().Navigate("wb", server + page);
        expected += page + "\n";
    }
    platform::webPanes().Navigate("wb", "about:blank");
    ASSERT_TRUE(PumpUntil([&] { return Recorded() == expected; })) << Recorded();
    PumpFor(1500);  // a second send of any page would come by now
    EXPECT_EQ(Recorded(), expected);
    // The last page, about:blank, has left the pane blank: no text, or the browser's empty page.
    EXPECT_TRUE(PaneText() == "" || PaneText() == "<hidden>") << PaneText();
}

TEST_F(WebPaneWineTest, APageOfAServerThatIsDownShowsATextAndIsNeverSentLater) {
    std::uint16_t port = 0;
    {
        auto probe = platform::ListenLoopback(0);
        ASSERT_TRUE(probe);
        port = probe->Port();
    }  // nobody listens there now
    platform::webPanes().Navigate("wb", "http://127.0.0.1:" + std::to_string(port) + "/log.php?user=Ari&msg=9");
    ASSERT_TRUE(PumpUntil([&] { return PaneText() == platform::kPageNotShown; })) << PaneText();

    // The server comes up: nothing of the failed page reaches it; then a page that works does.
    auto listener = platform::ListenLoopback(port);
    ASSERT_TRUE(listener);
    std::mutex mutex;
    std::vector<std::string> late;
    std::thread serve([&] {
        for (;;) {
            auto connection = listener->Accept();
            if (!connection) return;
            char buf[2048];
            const int n = connection->Receive(buf, sizeof buf);
            std::string request(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
            const std::string target = request.substr(4, request.find(' ', 4) - 4);
            connection->SendAll("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            std::lock_guard lock(mutex);
            late.push_back(target);
            if (target == "/__end") return;
        }
    });
    PumpFor(1500);
    (void)http.Get("http://127.0.0.1:" + std::to_string(port) + "/__end", 10);
    serve.join();
    EXPECT_EQ(late, std::vector<std::string>{"/__end"});

    platform::webPanes().Navigate("wb", server + "/log.php?user=Ari&msg=10");
    ASSERT_TRUE(PumpUntil([&] { return Recorded() == "/log.php?user=Ari&msg=10\n"; })) << Recorded();
}

}  // namespace
}  // namespace vmtest

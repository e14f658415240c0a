// The web panes' queues: a browser view loads one page at a time, pages it leaves behind are
// fetched, and a pane without a browser shows what it fetched as text.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/WebPane.h"
#include "platform/native/NativeAdapters.h"

namespace vmtest {
namespace {

// A browser that loads whatever it is told and finishes when the test says so.
struct FakeBrowser : platform::PageView {
    std::vector<std::string> loads;
    std::vector<std::function<void()>> done;
    bool SendsRequests() const override { return true; }
    void Load(const std::string& address, std::function<void()> d) override {
        loads.push_back(address);
        done.push_back(std::move(d));
    }
    void ShowText(const std::string&) override { ADD_FAILURE() << "a browser is never given text"; }
};

// A text area; its texts come from the fetching thread.
struct FakeText : platform::PageView {
    std::mutex mutex;
    std::vector<std::string> texts;
    bool SendsRequests() const override { return false; }
    void Load(const std::string&, std::function<void()>) override { ADD_FAILURE() << "a text area loads nothing"; }
    void ShowText(const std::string& text) override {
        std::lock_guard lock(mutex);
        texts.push_back(text);
    }
};

TEST(QueuedWebPanesTest, ABrowserLoadsOnePageAtATimeInOrder) {
    platform::ScriptedHttp http;
    platform::QueuedWebPanes panes(http);
    FakeBrowser browser;
    panes.SetView("wb", &browser);
    panes.Navigate("wb", "http://s/a");
    panes.Navigate("wb", "about:blank");
    panes.Navigate("wb", "http://s/b");
    EXPECT_EQ(browser.loads, (std::vector<std::string>{"http://s/a"}));
    browser.done[0]();
    browser.done[0]();  // a second report of the same page starts nothing more
    EXPECT_EQ(browser.loads, (std::vector<std::string>{"http://s/a", "about:blank"}));
    browser.done[1]();
    browser.done[2]();
    EXPECT_EQ(browser.loads, (std::vector<std::string>{"http://s/a", "about:blank", "http://s/b"}));
    panes.Flush();
    EXPECT_TRUE(http.requests.empty());  // the browser sent them all
}

TEST(QueuedWebPanesTest, PagesABrowserLeavesBehindAreFetchedOnceAndTheLoadingOneIsNotSentAgain) {
    platform::ScriptedHttp http;
    platform::QueuedWebPanes panes(http);
    {
        FakeBrowser browser;
        panes.SetView("wb", &browser);
        for (const char* page : {"http://s/a", "http://s/b", "http://s/c"}) panes.Navigate("wb", page);
        panes.SetView("wb", nullptr);  // the window closes while a is loading
        browser.done[0]();             // too late to count
    }
    panes.Navigate("wb", "http://s/d");
    panes.Flush();
    EXPECT_EQ(http.requests, (std::vector<std::string>{"http://s/b", "http://s/c", "http://s/d"}));
}

TEST(QueuedWebPanesTest, APaneWithoutABrowserShowsWhatItFetchedAsText) {
    platform::ScriptedHttp http;
    http.replies["http://s/status.php"] = "<b>3 drivers</b>";
    platform::QueuedWebPanes panes(http);
    FakeText text;
    panes.SetView("wbCar", &text);
    panes.Navigate("wbCar", "http://s/status.php");
    panes.Navigate("wbCar", "http://s/missing.php");
    panes.Navigate("wbCar", "about:blank");
    panes.Flush();
    panes.SetView("wbCar", nullptr);
    EXPECT_EQ(text.texts, (std::vector<std::string>{"<b>3 drivers</b>", platform::kPageNotShown, ""}));
    EXPECT_EQ(http.requests, (std::vector<std::string>{"http://s/status.php", "http://s/missing.php"}));
}

}  // namespace
}  // namespace vmtest

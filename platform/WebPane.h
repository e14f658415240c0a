// The main window's web panes ("wb", "wbCar"), through which the result records reach the server.
// This file must contain only operating-system independent code.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/Http.h"

namespace platform {

// What a pane shows in place of a page that could not be loaded.
inline constexpr const char* kPageNotShown = "The page could not be shown.";

// Shows one pane's pages in a window.
class PageView {
public:
    virtual ~PageView() = default;

    // True when the view sends each page's request itself (a browser). Fixed when it is made.
    virtual bool SendsRequests() const = 0;
    // Starts loading the address; only views that send requests are asked. done must run once,
    // on the window thread, when the page has loaded, failed or timed out.
    virtual void Load(const std::string& address, std::function<void()> done) = 0;
    // Shows a text in place of a page: a reply that the pane fetched, or why there is none. May be
    // called from any thread while the view is set; must not block.
    virtual void ShowText(const std::string& text) = 0;
};

class WebPanePort {
public:
    virtual ~WebPanePort() = default;

    // Opens address in the named pane: an http(s) address reaches its server as a GET, whether
    // or not the pane can show the page. Returns without reporting how the page loaded.
    virtual void Navigate(const std::string& pane, const std::string& address) = 0;

    // From now on the pane's pages show in view (nullptr: in none). The view must stay until it
    // is replaced. Ports that show nothing ignore it.
    virtual void SetView(const std::string& pane, PageView* view) {}
};

// True for the addresses a pane fetches from a web server (http:// and https://, any case).
bool IsWebAddress(const std::string& address);

// Web panes that send each navigation exactly once, in order per pane, without holding up the
// window thread. A pane whose view sends requests (a browser) loads its pages there, one after
// the other; any other pane fetches them with one GET each on a worker thread of its own and
// shows the reply as text. Pages still waiting when a browser view goes are fetched instead.
class QueuedWebPanes : public WebPanePort {
public:
    // http must allow several GETs at once from different threads.
    explicit QueuedWebPanes(HttpPort& http);
    // Goes on fetching what is queued for a few seconds at most, drops the rest and stops the
    // workers; a page still loading then does not hold up the caller.
    ~QueuedWebPanes() override;
    QueuedWebPanes(const QueuedWebPanes&) = delete;
    QueuedWebPanes& operator=(const QueuedWebPanes&) = delete;

    // Called on the window thread.
    void Navigate(const std::string& pane, const std::string& address) override;
    void SetView(const std::string& pane, PageView* view) override;

    // Waits until every page queued for fetching so far has been fetched or has failed.
    void Flush();

private:
    struct Panes;
    // Loads the pane's next page in its browser when none is loading.
    void LoadNext(const std::string& pane);
    std::unique_ptr<Panes> panes_;
};

}  // namespace platform

#include "platform/WebPane.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/AnsiText.h"

namespace platform {

bool IsWebAddress(const std::string& address) {
    auto starts = [&](std::string_view scheme) {
        return address.size() > scheme.size() && EqualsNoCase(std::string_view(address).substr(0, scheme.size()), scheme);
    };
    return starts("http://") || starts("https://");
}

namespace {
using Clock = std::chrono::steady_clock;
// How long closing the panes may go on fetching what is queued.
constexpr auto kCloseLimit = std::chrono::seconds(5);
// How much longer it waits for a page that was fetching at the limit.
constexpr auto kCloseGrace = std::chrono::seconds(1);
}  // namespace

// One lock guards every pane; each pane that fetches has a worker of its own.
struct QueuedWebPanes::Panes {
    struct Pane {
        PageView* view = nullptr;
        // Pages for the browser view, and whether it is loading one (window thread).
        std::deque<std::string> pages;
        bool loading = false;
        unsigned generation = 0;  // a page's done from an earlier view or page is ignored
        // Pages to fetch, and the worker that fetches them.
        std::deque<std::string> fetches;
        bool busy = false;
        bool done = false;  // its worker has stopped
        std::thread worker;
    };

    explicit Panes(HttpPort& http) : http(http) {}

    HttpPort& http;
    std::mutex mutex;
    std::condition_variable changed;
    bool stopping = false;
    Clock::time_point closeBy;  // once stopping: what is not fetched by then is dropped
    std::map<std::string, Pane> panes;

    static bool Browses(const Pane& p) { return p.view != nullptr && p.view->SendsRequests(); }

    // Queues fetches of the pane (the lock held) and starts its worker when it has none.
    void Fetch(Pane& pane, std::deque<std::string>& addresses) {
        for (auto& a : addresses) pane.fetches.push_back(std::move(a));
        addresses.clear();
        if (!pane.worker.joinable()) pane.worker = std::thread([this, &pane] { Run(pane); });
        changed.notify_all();
    }

    void Run(Pane& pane) {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopping || !pane.fetches.empty(); });
            int timeout = kHttpTimeoutSeconds;
            if (stopping) {
                auto left = std::chrono::ceil<std::chrono::seconds>(closeBy - Clock::now()).count();
                if (left <= 0) pane.fetches.clear();
                else timeout = std::min<int>(timeout, static_cast<int>(left));
            }
            if (pane.fetches.empty()) break;  // stopping, and all is fetched or dropped
            std::string address = std::move(pane.fetches.front());
            pane.fetches.pop_front();
            pane.busy = true;
            lock.unlock();
            std::optional<std::string> reply;
            if (IsWebAddress(address)) reply = http.Get(address, timeout);
            else reply = std::string();  // about:blank and the like load nothing from a server
            lock.lock();
            pane.busy = false;
            if (pane.view != nullptr && !Browses(pane)) pane.view->ShowText(reply ? *reply : kPageNotShown);
            changed.notify_all();
        }
        pane.done = true;
        changed.notify_all();
    }
};

QueuedWebPanes::QueuedWebPanes(HttpPort& http) : panes_(std::make_unique<Panes>(http)) {}

QueuedWebPanes::~QueuedWebPanes() {
    Panes& all = *panes_;
    std::vector<std::thread> finished, fetching;
    {
        std::unique_lock lock(all.mutex);
        all.stopping = true;
        all.closeBy = Clock::now() + kCloseLimit;
        for (auto& [name, pane] : all.panes) {
            pane.view = nullptr;
            if (!pane.worker.joinable()) pane.done = true;
        }
        all.changed.notify_all();
        all.changed.wait_until(lock, all.closeBy + kCloseGrace, [&] {
            return std::all_of(all.panes.begin(), all.panes.end(), [](const auto& p) { return p.second.done; });
        });
        for (auto& [name, pane] : all.panes) (pane.done ? finished : fetching).push_back(std::move(pane.worker));
    }
    for (std::thread& t : finished)
        if (t.joinable()) t.join();
    if (fetching.empty()) return;
    // A page that is still fetching keeps its worker, which still uses the panes: both are left
    // to the end of the process rather than holding it up.
    for (std::thread& t : fetching) t.detach();
    (void)panes_.release();
}

void QueuedWebPanes::Navigate(const std::string& pane, const std::string& address) {
    {
        std::lock_guard lock(panes_->mutex);
        Panes::Pane& p = panes_->panes[pane];
        if (!Panes::Browses(p)) {
            std::deque<std::string> one{address};
            panes_->Fetch(p, one);
            return;
        }
        p.pages.push_back(address);
    }
    LoadNext(pane);
}

void QueuedWebPanes::SetView(const std::string& pane, PageView* view) {
    bool browses = false;
    {
        std::lock_guard lock(panes_->mutex);
        Panes::Pane& p = panes_->panes[pane];
        p.view = view;
        // A page the old view was loading has gone out; its done no longer counts.
        p.loading = false;
        ++p.generation;
        browses = Panes::Browses(p);
        if (!browses && !p.pages.empty()) panes_->Fetch(p, p.pages);
    }
    if (browses) LoadNext(pane);
}

void QueuedWebPanes::LoadNext(const std::string& pane) {
    PageView* view = nullptr;
    std::string address;
    unsigned generation = 0;
    {
        std::lock_guard lock(panes_->mutex);
        Panes::Pane& p = panes_->panes[pane];
        if (p.loading || p.pages.empty() || !Panes::Browses(p)) return;
        address = std::move(p.pages.front());
        p.pages.pop_front();
        p.loading = true;
        generation = ++p.generation;
        view = p.view;
    }
    view->Load(address, [this, pane, generation] {
        {
            std::lock_guard lock(panes_->mutex);
            Panes::Pane& p = panes_->panes[pane];
            if (p.generation != generation || !p.loading) return;
            p.loading = false;
        }
        LoadNext(pane);
    });
}

void QueuedWebPanes::Flush() {
    std::unique_lock lock(panes_->mutex);
    panes_->changed.wait(lock, [&] {
        for (auto& [name, p] : panes_->panes)
            if (p.busy || !p.fetches.empty()) return false;
        return true;
    });
}

}  // namespace platform

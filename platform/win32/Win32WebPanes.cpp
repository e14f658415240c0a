#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/win32/Win32Adapters.h"

namespace platform::win32 {

namespace {
using Clock = std::chrono::steady_clock;
// How long closing the panes may go on sending what is queued.
constexpr auto kCloseLimit = std::chrono::seconds(5);
// How much longer it waits for a page that was loading at the limit.
constexpr auto kCloseGrace = std::chrono::seconds(1);
}  // namespace

// One worker per pane; all share one lock, which guards every queue and flag.
struct WinInetWebPanes::Lanes {
    struct Lane {
        std::deque<std::string> queue;
        bool busy = false;
        bool done = false;  // its worker has stopped
        std::thread worker;
    };

    std::mutex mutex;
    std::condition_variable changed;
    bool stopping = false;
    Clock::time_point closeBy;  // once stopping: what is not sent by then is dropped
    std::map<std::string, Lane> lanes;

    void Run(Lane& lane) {
        WinInetHttp http;
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopping || !lane.queue.empty(); });
            int timeout = kHttpTimeoutSeconds;
            if (stopping) {
                auto left = std::chrono::ceil<std::chrono::seconds>(closeBy - Clock::now()).count();
                if (left <= 0) lane.queue.clear();
                else timeout = std::min<int>(timeout, static_cast<int>(left));
            }
            if (lane.queue.empty()) break;  // stopping, and all is sent or dropped
            std::string address = std::move(lane.queue.front());
            lane.queue.pop_front();
            lane.busy = true;
            lock.unlock();
            (void)http.Get(address, timeout);
            lock.lock();
            lane.busy = false;
            changed.notify_all();
        }
        lane.done = true;
        changed.notify_all();
    }
};

WinInetWebPanes::WinInetWebPanes() : lanes_(std::make_unique<Lanes>()) {}

WinInetWebPanes::~WinInetWebPanes() {
    Lanes& all = *lanes_;
    std::vector<std::thread> finished, loading;
    {
        std::unique_lock lock(all.mutex);
        all.stopping = true;
        all.closeBy = Clock::now() + kCloseLimit;
        all.changed.notify_all();
        all.changed.wait_until(lock, all.closeBy + kCloseGrace, [&] {
            return std::all_of(all.lanes.begin(), all.lanes.end(), [](const auto& l) { return l.second.done; });
        });
        for (auto& [name, lane] : all.lanes) (lane.done ? finished : loading).push_back(std::move(lane.worker));
    }
    for (std::thread& t : finished)
        if (t.joinable()) t.join();
    if (loading.empty()) return;
    // A page that is still loading keeps its worker, which still uses the lanes: both are left
    // to the end of the process rather than holding it up.
    for (std::thread& t : loading) t.detach();
    (void)lanes_.release();
}

void WinInetWebPanes::Navigate(const std::string& pane, const std::string& address) {
    if (!IsWebAddress(address)) return;  // about:blank and the like load nothing from a server
    std::lock_guard lock(lanes_->mutex);
    auto& lane = lanes_->lanes[pane];
    lane.queue.push_back(address);
    if (!lane.worker.joinable()) lane.worker = std::thread([all = lanes_.get(), &lane] { all->Run(lane); });
    lanes_->changed.notify_all();
}

void WinInetWebPanes::Flush() {
    std::unique_lock lock(lanes_->mutex);
    lanes_->changed.wait(lock, [&] {
        for (auto& [name, lane] : lanes_->lanes)
            if (lane.busy || !lane.queue.empty()) return false;
        return true;
    });
}

}  // namespace platform::win32

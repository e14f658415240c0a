#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "platform/win32/Win32Adapters.h"

namespace platform::win32 {

// One worker per pane; all share one lock, which guards every queue and flag.
struct WinInetWebPanes::Lanes {
    struct Lane {
        std::deque<std::string> queue;
        bool busy = false;
        std::thread worker;
    };

    std::mutex mutex;
    std::condition_variable changed;
    bool stopping = false;
    std::map<std::string, Lane> lanes;

    void Run(Lane& lane) {
        WinInetHttp http;
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopping || !lane.queue.empty(); });
            if (lane.queue.empty()) return;  // stopping, and all is sent
            std::string address = std::move(lane.queue.front());
            lane.queue.pop_front();
            lane.busy = true;
            lock.unlock();
            (void)http.Get(address, kHttpTimeoutSeconds);
            lock.lock();
            lane.busy = false;
            changed.notify_all();
        }
    }
};

WinInetWebPanes::WinInetWebPanes() : lanes_(std::make_unique<Lanes>()) {}

WinInetWebPanes::~WinInetWebPanes() {
    {
        std::lock_guard lock(lanes_->mutex);
        lanes_->stopping = true;
    }
    lanes_->changed.notify_all();
    for (auto& [name, lane] : lanes_->lanes)
        if (lane.worker.joinable()) lane.worker.join();
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

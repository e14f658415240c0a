// Asks a worker thread to stop, and paces the worker until then.
// This file must contain only operating-system independent code.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

class StopSignal {
public:
    StopSignal() = default;
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    // Asks the worker to stop; from any thread, any number of times.
    void Raise() {
        {
            std::lock_guard lock(mutex_);
            raised_ = true;
        }
        changed_.notify_all();
    }

    // Returns true once Raise was called.
    bool Raised() {
        std::lock_guard lock(mutex_);
        return raised_;
    }

    // Waits up to ms, or less when Raise is called. Returns true once Raise was called.
    bool WaitFor(std::uint32_t ms) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return raised_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool raised_ = false;
};

}  // namespace platform

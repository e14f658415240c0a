// Asks a worker thread to stop, and paces the worker until then.
// This file must contain only operating-system independent declarations.
#pragma once
#include <atomic>
#include <cstdint>

namespace platform {

// Suspends the calling thread for ms milliseconds (Sleep on Windows).
void PauseThread(std::uint32_t ms);

// A plain sleep paces the worker: under Wine a timed wait on a synchronisation object costs a
// round trip to the server, which at a 10 ms period is most of a poll thread's CPU, and the
// runtime's sleep costs twice the system's.
class StopSignal {
public:
    StopSignal() = default;
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    // Asks the worker to stop; from any thread, any number of times.
    void Raise() { raised_ = true; }

    // Returns true once Raise was called.
    bool Raised() const { return raised_; }

    // Sleeps ms, then returns true once Raise was called (it does not cut the sleep short).
    bool WaitFor(std::uint32_t ms) {
        if (!raised_) PauseThread(ms);
        return raised_;
    }

private:
    std::atomic<bool> raised_{false};
};

}  // namespace platform

#include "platform/EventLoop.h"

#include <deque>
#include <exception>
#include <utility>

#include "platform/CallbackFailure.h"
#include "platform/Ports.h"

namespace platform {

namespace {

struct Held {
    const void* target;
    std::function<void()> action;
};

// The window thread's loops, from the innermost modal window's (or the program's) on.
struct Loop {
    int waits = 0;
    std::deque<Held> held;
};
Loop& Current() {
    static Loop loop;
    return loop;
}

// The loop that runs the held actions may be blocked for events: it is woken once they can run.
void WakeIfHeld() {
    const Loop& loop = Current();
    if (loop.waits == 0 && !loop.held.empty() && ports().desktop) ports().desktop->Wake();
}

}  // namespace

void HandleEventsFor(std::uint32_t ms) {
    ClockPort& clock = platform::clock();
    DesktopPort& desktop = platform::desktop();
    // Elapsed time is the unsigned difference of tick counts, which stays right across a wrap.
    const std::uint32_t start = clock.TickCount();
    auto elapsed = [&] { return static_cast<std::uint32_t>(clock.TickCount() - start); };
    while (elapsed() < ms) {
        desktop.PumpEvents();
        const std::uint32_t done = elapsed();
        if (done >= ms) break;
        desktop.WaitForEvents(ms - done);
    }
    // Actions that a wait held until now, as the program's loop, woken, runs them.
    RunHeldDriverActions();
}

WaitScope::WaitScope() { ++Current().waits; }

WaitScope::~WaitScope() {
    --Current().waits;
    WakeIfHeld();
}

namespace {
// The loops that a modal window's loop interrupts.
std::deque<Loop>& Interrupted() {
    static std::deque<Loop> loops;
    return loops;
}
}  // namespace

ModalScope::ModalScope() { Interrupted().push_back(std::exchange(Current(), Loop{})); }

ModalScope::~ModalScope() {
    Loop inner = std::exchange(Current(), std::move(Interrupted().back()));
    Interrupted().pop_back();
    // What arrived for the modal window and was not run yet comes after what was held before it.
    for (Held& h : inner.held) Current().held.push_back(std::move(h));
    WakeIfHeld();
}

bool InsideWait() { return Current().waits > 0; }

void DriverAction(const void* target, std::function<void()> action) {
    Loop& loop = Current();
    if (loop.waits > 0 || !loop.held.empty()) {
        // Behind those held before it, also when no wait is in progress now.
        loop.held.push_back({target, std::move(action)});
        RunHeldDriverActions();
        return;
    }
    action();
}

void RunHeldDriverActions() {
    // One at a time from the front: an action that waits or opens a modal window lets the loops
    // inside it go on with the next.
    while (Current().waits == 0 && !Current().held.empty()) {
        Held next = std::move(Current().held.front());
        Current().held.pop_front();
        // It runs from a loop, not from the window procedure that would have reported its
        // failure. What is no failure (the in-process adapters' end of the program) goes on up.
        try {
            next.action();
        } catch (const std::exception&) {
            ReportCallbackFailure(std::current_exception());
        }
    }
}

void DropDriverActions(const void* target) {
    auto drop = [target](Loop& loop) {
        std::erase_if(loop.held, [target](const Held& h) { return h.target == target; });
    };
    drop(Current());
    for (Loop& loop : Interrupted()) drop(loop);
}

std::size_t HeldDriverActions() {
    std::size_t n = Current().held.size();
    for (const Loop& loop : Interrupted()) n += loop.held.size();
    return n;
}

void ResetEventLoop() {
    Current() = Loop{};
    Interrupted().clear();
}

}  // namespace platform

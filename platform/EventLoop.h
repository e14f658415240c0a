// The window thread's event loops: the program's own, a modal window's, and the waits that a
// handler or a timer tick makes while it keeps window events flowing (Memory.Wait).
//
// Timer ticks run inside waits. A driver's action (a click, a pick, a typed text, a menu item,
// the close box) never does: one that arrives during a wait is held, and runs once the handler
// or tick that waits has returned, in the order the actions came. Every loop runs the held
// actions where no wait is in progress: the program's message loop, a modal window's loop and
// the desktop's PumpEvents.
// This file must contain only operating-system independent code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

// Handles the thread's window events until ms milliseconds of the clock port have passed (at
// once for 0), blocking for events in between; copes with the tick count wrapping.
void HandleEventsFor(std::uint32_t ms);

// Marks the calling thread as waiting, for the scope's lifetime: a driver's action that arrives
// meanwhile is held. Waits nest.
class WaitScope {
public:
    WaitScope();
    ~WaitScope();
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

// The loop of a modal window, for the scope's lifetime: the window's own input runs, also when
// the window was opened inside a wait; the actions held before it stay held until it closes.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// True while a wait is in progress (and no modal window was opened inside it since).
bool InsideWait();

// Runs a driver's action on target now, or holds it while a wait is in progress.
void DriverAction(const void* target, std::function<void()> action);

// Runs the held actions, in order, unless a wait is in progress. An action may itself wait or
// open a modal window; the loops inside it go on with the rest.
void RunHeldDriverActions();

// Forgets the held actions on target, which is going away.
void DropDriverActions(const void* target);

// The number of actions held now.
std::size_t HeldDriverActions();

// Forgets every held action and wait (a test's fresh start).
void ResetEventLoop();

}  // namespace platform

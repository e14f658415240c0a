// Top-level windows of all processes, the foreground window, synthetic keyboard input, window
// messages, and the calling thread's window events.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// A window handle of the Windows API (32 bits on the i686 target).
using WindowHandle = std::uint32_t;

// Values of the Windows API.
inline constexpr std::uint8_t kVkReturn = 0x0D;
inline constexpr std::uint32_t kKeyEventKeyUp = 0x2;  // KEYEVENTF_KEYUP
inline constexpr std::uint32_t kWmClose = 0x10;
inline constexpr std::uint32_t kWmApp = 0x8000;
inline constexpr std::uint32_t kWaitForever = 0xFFFFFFFF;  // INFINITE

class DesktopPort {
public:
    virtual ~DesktopPort() = default;

    // Returns the top-level window of the class (topmost in Z order when several), or 0 when there is none.
    virtual WindowHandle FindTopWindow(const std::string& className) = 0;

    // Returns the id of the process that owns the window, or 0 when it is no window.
    virtual std::uint32_t WindowProcessId(WindowHandle window) = 0;

    // Returns the topmost of the process's top-level windows that have no owner, or 0 when it has none.
    virtual WindowHandle FirstUnownedWindowOf(std::uint32_t processId) = 0;

    // Returns the window in front, which receives keyboard input, or 0 when there is none.
    virtual WindowHandle ForegroundWindow() = 0;

    // Returns true if the handle names an existing window.
    virtual bool IsWindow(WindowHandle window) = 0;

    // Puts one synthetic keyboard event into the system's input stream; it goes to whichever
    // window has the keyboard, not to a chosen one.
    virtual void KeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                          std::uintptr_t extraInfo) = 0;

    // Sends a message and waits until the window has handled it, but at most timeoutMs and not at
    // all when the window's thread is hung. Returns true if it was handled in time.
    virtual bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::uint32_t timeoutMs) = 0;

    // Queues a message for the window without waiting. Returns true if it was queued.
    virtual bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    // Handles every window event now pending for the calling thread (messages, timers), and the
    // driver's actions held by a wait that has ended (platform/EventLoop.h), and returns.
    virtual void PumpEvents() = 0;

    // Blocks until a window event arrives for the calling thread or timeoutMs have passed
    // (kWaitForever: until an event arrives).
    virtual void WaitForEvents(std::uint32_t timeoutMs) = 0;

    // Makes the calling thread's loop that blocks for events next return at once.
    virtual void Wake() = 0;

    // Calls tick on the calling thread every intervalMs (at least 1), from wherever that
    // thread handles its window events (PumpEvents, the program's message loop), until
    // StopTimer. Returns the timer's id, never 0.
    virtual std::uint32_t StartTimer(std::uint32_t intervalMs, std::function<void()> tick) = 0;

    // Stops a timer; an id that is not running is ignored.
    virtual void StopTimer(std::uint32_t id) = 0;
};

}  // namespace platform

// A top-level window of the calling thread as a game has one: key presses, timers, a close
// request and application messages, a text it shows, and the thread's message loop. Built for
// Windows only.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// What the window reports; each runs on the window's thread, inside RunMessageLoop.
class GameWindowEvents {
public:
    virtual ~GameWindowEvents() = default;
    // A key-down event reached the window, also one the system marks as a repeat: a synthetic
    // key-down without its key-up leaves the key held, and the next key-down is still a press.
    virtual void OnKeyDown(std::uint32_t virtualKey) {}
    // The timer of the id is due; tickCount is the system's millisecond tick count.
    virtual void OnTimer(std::uint32_t id, std::uint32_t tickCount) {}
    // The window is asked to close. Returns true to let it close, which ends the message loop.
    virtual bool OnClose() { return true; }
    // A message of the application range (from kWmApp) arrived.
    virtual void OnAppMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {}
};

class GameWindow {
public:
    // Creates and shows a top-level window of the class with the title and client size, and puts
    // it in front. Returns nothing on failure. events must outlive the window.
    static std::unique_ptr<GameWindow> Create(const std::string& className, const std::string& title, int width,
                                              int height, GameWindowEvents& events);
    // Destroys the window, as Destroy does.
    virtual ~GameWindow() = default;

    // Returns the window's handle.
    virtual WindowHandle Handle() const = 0;
    // Starts (or restarts) a repeating timer. Returns true on success.
    virtual bool SetTimer(std::uint32_t id, std::uint32_t intervalMs) = 0;
    // Puts the window in front unless it is there. Returns true if it is in front afterwards.
    virtual bool BringToFront() = 0;
    // Shows the text in the window's client area, lines split at line feeds, in place of the
    // text shown before.
    virtual void SetText(const std::string& text) = 0;
    // Destroys the window if it still exists, without ending the message loop.
    virtual void Destroy() = 0;
};

// Runs the calling thread's message loop until a window of it closes or QuitMessageLoop is
// called. Returns the exit code.
int RunMessageLoop();
// Ends the calling thread's message loop with the exit code.
void QuitMessageLoop(int exitCode);

}  // namespace platform

// In-process models of other processes and of the desktop, for native runs and tests: sparse
// 32-bit address spaces with page protections and a journal of writes; top-level windows with
// their owner processes and a foreground window; logs of key events and window messages.
#pragma once
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Process.h"
#include "platform/native/NativeAdapters.h"

namespace platform {

// A sparse 32-bit address space of pages, each with its protection; a page holds bytes only
// once written, so large mapped ranges cost little. A range that runs past 0xFFFFFFFF is never
// there.
class NativeAddressSpace {
public:
    // Commits the pages holding the size bytes at the address, zero-filled, with the protection;
    // pages already there keep their bytes and take the protection.
    void Map(std::uint32_t address, std::uint32_t size, std::uint32_t protection);

    // Returns the protection of the page holding the address, or nothing when no page is there.
    std::optional<std::uint32_t> Protection(std::uint32_t address) const;
    // Reads as a process memory read does: fails unless every page is there and readable.
    bool Read(std::uint32_t address, void* buffer, std::uint32_t size) const;
    // Returns true if every page of the range is there and writable.
    bool IsWritable(std::uint32_t address, std::uint32_t size) const;
    // Writes as a process memory write does: fails, changing nothing, unless every page is there
    // and writable (stricter than Windows, which lets a write into execute-read code through).
    bool Write(std::uint32_t address, const void* data, std::uint32_t size);
    // Gives every page of the range the protection; fails, changing nothing, unless all are there.
    bool Protect(std::uint32_t address, std::uint32_t size, std::uint32_t protection, std::uint32_t* previous);

    // Access for building and checking states, past any protection. Poke commits missing pages
    // read-write; Peek gives 0 for bytes of missing pages.
    void Poke(std::uint32_t address, std::string_view bytes);
    void Poke32(std::uint32_t address, std::uint32_t value);
    void PokeFloat(std::uint32_t address, float value);
    std::string Peek(std::uint32_t address, std::uint32_t size) const;
    std::uint32_t Peek32(std::uint32_t address) const;

private:
    using Bytes = std::array<std::uint8_t, kPageSize>;
    std::map<std::uint32_t, std::uint32_t> protection_;  // by page number; a page is there when listed
    std::map<std::uint32_t, Bytes> bytes_;               // pages written so far; others read as zeros
};

// Processes as a map from id to address space; every handle is counted so tests can see that
// none is kept.
class NativeProcesses : public ProcessPort {
public:
    // The id CurrentProcessId gives, and the exit code of a process that still runs.
    static constexpr std::uint32_t kCurrentProcessId = 4;
    static constexpr std::uint32_t kStillActive = 259;

    struct Process {
        NativeAddressSpace memory;
        bool running = true;
        std::uint32_t exitCode = kStillActive;  // Terminate's code once it has ended
    };
    struct Write {
        std::uint32_t processId = 0, address = 0;
        std::string bytes;
    };
    struct Opening {
        std::uint32_t processId = 0, access = 0;
    };

    // Adds a running process with an empty address space, in place of any of that id.
    Process& Add(std::uint32_t processId);
    // Returns the process of the id, or null.
    Process* Find(std::uint32_t processId);
    // The number of handles open now.
    std::size_t OpenHandles() const { return handles_.size(); }

    std::vector<Write> journal;           // every memory write that succeeded, in order
    std::vector<Opening> opened;          // every Open that gave a handle
    std::function<void(std::uint32_t)> onEnd;  // told the id of each process that Terminate ends

    ProcessHandle Open(std::uint32_t processId, std::uint32_t access) override;
    void Close(ProcessHandle process) override;
    bool ReadMemory(ProcessHandle process, std::uint32_t address, void* buffer, std::uint32_t size) override;
    bool WriteMemory(ProcessHandle process, std::uint32_t address, const void* data, std::uint32_t size) override;
    bool ProtectMemory(ProcessHandle process, std::uint32_t address, std::uint32_t size, std::uint32_t protection,
                       std::uint32_t* previous) override;
    std::optional<std::uint32_t> QueryProtection(ProcessHandle process, std::uint32_t address) override;
    bool Terminate(ProcessHandle process, std::uint32_t exitCode) override;
    bool WaitForExit(ProcessHandle process, std::uint32_t timeoutMs) override;
    std::uint32_t CurrentProcessId() override { return kCurrentProcessId; }
    // Starts nothing: there are no programs to start in the model.
    ProcessHandle Start(const std::string& commandLine, std::uint32_t* processId) override;

private:
    // The process behind a handle that holds every one of the rights, or null.
    Process* Through(ProcessHandle process, std::uint32_t rights, std::uint32_t* processId = nullptr);

    std::map<std::uint32_t, Process> processes_;
    std::map<ProcessHandle, Opening> handles_;
    ProcessHandle nextHandle_ = 0x100;
};

// Top-level windows in Z order, a foreground window, and logs of what was sent to them.
class NativeDesktop : public DesktopPort {
public:
    struct Window {
        WindowHandle handle = 0;
        std::string className;
        std::uint32_t processId = 0;
        WindowHandle owner = 0;
    };
    struct Key {
        std::uint8_t virtualKey = 0, scanCode = 0;
        std::uint32_t flags = 0;
        std::uintptr_t extraInfo = 0;
        WindowHandle foreground = 0;  // the window in front when the event was made
    };
    struct Message {
        WindowHandle window = 0;
        std::uint32_t message = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
        bool sent = false;  // sent and waited for; else posted
        std::uint32_t timeoutMs = 0;
    };

    // Adds a top-level window above the others, owned by another window when owner is given,
    // and returns its handle.
    WindowHandle AddWindow(const std::string& className, std::uint32_t processId, WindowHandle owner = 0);
    // Removes the window; the foreground becomes 0 when it was in front.
    void RemoveWindow(WindowHandle window);
    // Removes every window of the process, as when it ends; the foreground becomes 0 when one
    // of them was in front.
    void RemoveWindowsOf(std::uint32_t processId);

    std::vector<Window> windows;  // bottom to top
    WindowHandle foreground = 0;
    std::vector<Key> keys;
    std::vector<Message> messages;
    int pumps = 0;                     // PumpEvents calls
    std::vector<std::uint32_t> waits;  // the timeout of each WaitForEvents
    ManualClock* clock = nullptr;      // when set, each WaitForEvents moves it on by its whole timeout

    // Scripted behaviour. onMessage answers whether a message sent to a window that exists was
    // handled in time (without it: always); onKey and onPump stand for what the events would
    // cause. A message to a window that does not exist is neither recorded nor handled.
    std::function<bool(const Message&)> onMessage;
    std::function<void(const Key&)> onKey;
    std::function<void()> onPump;

    // Timers fall due by clock's tick count (without a clock, only when tests move nowMs).
    // PumpEvents runs every timer that is due, once, and each WaitForEvents ends at the next
    // timer that falls due. Waiting for ever with no timer and no onPump is a fault of the test
    // and raises std::logic_error instead of hanging.
    std::uint32_t nowMs = 0;

    WindowHandle FindTopWindow(const std::string& className) override;
    std::uint32_t WindowProcessId(WindowHandle window) override;
    WindowHandle FirstUnownedWindowOf(std::uint32_t processId) override;
    WindowHandle ForegroundWindow() override { return foreground; }
    bool IsWindow(WindowHandle window) override;
    void KeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override;
    bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                         std::uint32_t timeoutMs) override;
    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void PumpEvents() override;
    void WaitForEvents(std::uint32_t timeoutMs) override;
    // The in-process loops never block: nothing to wake.
    void Wake() override {}
    std::uint32_t StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void StopTimer(std::uint32_t id) override;
    // The number of running timers.
    std::size_t TimerCount() const { return timers_.size(); }

private:
    const Window* Lookup(WindowHandle window) const;
    WindowHandle nextHandle_ = 0x10010;

    struct Timer {
        std::uint32_t interval = 1;
        std::uint32_t due = 0;
        std::function<void()> tick;
    };
    std::uint32_t Now() const;
    std::map<std::uint32_t, Timer> timers_;
    std::uint32_t nextTimer_ = 1;
};

}  // namespace platform

// The client's road into the running host (module Memory): the host's window and process,
// reads and writes of its memory, whether it runs and is in front, and the wait that keeps the
// client's windows alive; and ending the host (module TestTerminateProcess).
#pragma once
#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

#include "platform/Process.h"
#include "services/ProgramState.h"

namespace Memory {

// A value read from the host and whether the read succeeded; a failed read carries the last
// value read at its width. Adding an offset keeps the flag, so an address computed from a failed
// read stays failed, and the writes skip a failed address or value. Plain values are good ones.
template <class T>
struct Value {
    T value{};
    bool ok = true;

    Value() = default;
    Value(T v) : value(v) {}
    Value(T v, bool good) : value(v), ok(good) {}
    template <class U>
        requires(std::is_integral_v<T> && std::is_integral_v<U> && !std::is_same_v<T, U>)
    Value(Value<U> o) : value(static_cast<T>(o.value)), ok(o.ok) {}

    operator T() const { return value; }

    template <std::integral I>
        requires std::is_integral_v<T>
    friend Value operator+(Value a, I offset) {
        return {static_cast<T>(static_cast<std::uint32_t>(a.value) + static_cast<std::uint32_t>(offset)), a.ok};
    }
};

// A host address.
using Address = Value<std::uint32_t>;

// The host's window and process as the last lookup found them, and the last value read at each
// width.
struct State {
    std::uint32_t gHostWnd = 0;  // 0 when the last lookup found no host window
    std::uint32_t gHostPid = 0;  // 0 whenever gHostWnd is
    std::uint8_t lastByte = 0;
    std::int32_t lastLong = 0;
    float lastSingle = 0;
};
inline vm::ProgramWide<State> state;

// Finds the top-level window of class "D3D Window" and stores it and its owner process in
// gHostWnd and gHostPid; with no such window both become 0.
void GetHostProcess();
// True when a top-level window of class "D3D Window" exists now; changes nothing.
bool IsHostRunning();
// True when gHostWnd is not 0 and is the foreground window (no new lookup).
bool IsHostForeground();

// Reads 1, 4 or 4 bytes. Each access opens the host process for itself, and only while
// gHostWnd still exists and belongs to gHostPid; a skipped or failed read gives its width's
// last value, marked failed.
Value<std::uint8_t> ReadByte(Address address);
Value<std::int32_t> ReadLong(Address address);
Value<float> ReadSingle(Address address);
// Reads size bytes in one access, opened and checked as above, and leaves the last values
// alone. Returns false when the read was skipped or failed.
bool ReadBlock(Address address, void* buffer, std::uint32_t size);

// Each write makes the bytes PAGE_EXECUTE_READWRITE, leaves them so, and writes them. Nothing
// is reported; a failed address or value skips the write.
void WriteByte(Address address, Value<std::uint8_t> value);
void WriteLong(Address address, Value<std::int32_t> value);
void WriteSingle(Address address, Value<float> value);
// Writes the text's bytes as they are, adding nothing (a caller that needs a terminator ends
// the text with one).
void WriteString(Address address, const std::string& text);
// Writes the bytes of the text's pairs of hexadecimal digits (platform::HexToBytes); a text
// with another character or an odd number of digits writes nothing.
void WriteHex(Address address, const std::string& hex);

// Handles the client's window events until ms milliseconds have passed since the call (at
// once for 0); blocks for events in between instead of spinning, and copes with the tick
// count wrapping. Timers tick inside it; a driver's action that arrives meanwhile is held until
// the handler or tick that waits has returned (platform/EventLoop.h).
void Wait(float ms);

}  // namespace Memory

namespace TestTerminateProcess {

// Ends the process when the window still exists and still belongs to it; does nothing for
// process id 0 or a process that cannot be opened. Does not wait for the end.
void KillProcess(std::uint32_t processId, std::uint32_t window);
// The inner step: terminates through the open handle when the window exists and its owner is
// processId.
void KillIfWindow(std::uint32_t window, platform::ProcessHandle process, std::uint32_t processId);

}  // namespace TestTerminateProcess

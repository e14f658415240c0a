#include "services/host/Memory.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "services/host/HostMap.h"

namespace Memory {

namespace {

// PROCESS_VM_OPERATION, PROCESS_VM_READ, PROCESS_VM_WRITE and PROCESS_QUERY_INFORMATION.
constexpr std::uint32_t kHostAccess = platform::kProcessVmOperation | platform::kProcessVmRead |
                                      platform::kProcessVmWrite | platform::kProcessQueryInformation;

// The host process, open for one access, or an empty handle. The window of the last lookup must
// still exist and belong to that process; the check follows the open, whose handle keeps the id
// from being reused.
platform::ScopedProcess OpenHost() {
    platform::ProcessPort& processes = platform::processes();
    if (state.gHostPid == 0 || state.gHostWnd == 0) return {processes, 0};
    platform::ScopedProcess host(processes, processes.Open(state.gHostPid, kHostAccess));
    if (host && platform::desktop().WindowProcessId(state.gHostWnd) != state.gHostPid) host.reset();
    return host;
}

// Reads the bytes at the address; false when the read was skipped or failed.
bool ReadBytes(Address address, void* buffer, std::uint32_t size) {
    if (!address.ok) return false;
    platform::ScopedProcess host = OpenHost();
    return host && platform::processes().ReadMemory(host.get(), address.value, buffer, size);
}

void WriteBytes(Address address, const void* data, std::uint32_t size) {
    if (!address.ok || size == 0) return;
    platform::ScopedProcess host = OpenHost();
    if (!host) return;
    platform::ProcessPort& processes = platform::processes();
    // Execute-capable, so that patched code still runs where no-execute is enforced.
    (void)processes.ProtectMemory(host.get(), address.value, size, platform::kPageExecuteReadWrite, nullptr);
    (void)processes.WriteMemory(host.get(), address.value, data, size);
}

std::uint32_t FromLittleEndian(const std::uint8_t* b) {
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

void ToLittleEndian(std::uint32_t v, std::uint8_t* b) {
    for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

void GetHostProcess() {
    platform::DesktopPort& desktop = platform::desktop();
    state.gHostWnd = desktop.FindTopWindow(hostmap::kWindowClass);
    state.gHostPid = state.gHostWnd ? desktop.WindowProcessId(state.gHostWnd) : 0;
    if (state.gHostPid == 0) state.gHostWnd = 0;  // gone between the two calls
}

bool IsHostRunning() { return platform::desktop().FindTopWindow(hostmap::kWindowClass) != 0; }

bool IsHostForeground() { return state.gHostWnd != 0 && platform::desktop().ForegroundWindow() == state.gHostWnd; }

Value<std::uint8_t> ReadByte(Address address) {
    std::uint8_t b = 0;
    if (!ReadBytes(address, &b, 1)) return {state.lastByte, false};
    state.lastByte = b;
    return b;
}

Value<std::int32_t> ReadLong(Address address) {
    std::uint8_t b[4];
    if (!ReadBytes(address, b, 4)) return {state.lastLong, false};
    state.lastLong = static_cast<std::int32_t>(FromLittleEndian(b));
    return state.lastLong;
}

Value<float> ReadSingle(Address address) {
    std::uint8_t b[4];
    if (!ReadBytes(address, b, 4)) return {state.lastSingle, false};
    std::uint32_t bits = FromLittleEndian(b);
    std::memcpy(&state.lastSingle, &bits, 4);
    return state.lastSingle;
}

void WriteByte(Address address, Value<std::uint8_t> value) {
    if (value.ok) WriteBytes(address, &value.value, 1);
}

void WriteLong(Address address, Value<std::int32_t> value) {
    if (!value.ok) return;
    std::uint8_t b[4];
    ToLittleEndian(static_cast<std::uint32_t>(value.value), b);
    WriteBytes(address, b, 4);
}

void WriteSingle(Address address, Value<float> value) {
    if (!value.ok) return;
    std::uint32_t bits;
    std::memcpy(&bits, &value.value, 4);
    std::uint8_t b[4];
    ToLittleEndian(bits, b);
    WriteBytes(address, b, 4);
}

void WriteString(Address address, const std::string& text) {
    WriteBytes(address, text.data(), static_cast<std::uint32_t>(text.size()));
}

bool HexToBytes(const std::string& hex) {
    state.hexBytes.clear();
    for (std::size_t k = 0; k + 1 < hex.size(); k += 2) {
        int high = HexDigit(hex[k]), low = HexDigit(hex[k + 1]);
        if (high < 0 || low < 0) {
            state.hexBytes.clear();
            return false;
        }
        state.hexBytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

void WriteHex(Address address, const std::string& hex) {
    if (HexToBytes(hex)) WriteBytes(address, state.hexBytes.data(), static_cast<std::uint32_t>(state.hexBytes.size()));
}

std::string WideText(std::string_view ansi) { return platform::Cp1252ToUtf16Le(ansi) + std::string(2, '\0'); }

void Wait(float ms) {
    platform::ClockPort& clock = platform::clock();
    platform::DesktopPort& desktop = platform::desktop();
    // Elapsed time is the unsigned difference of tick counts, which stays right across a wrap.
    const double wanted = std::isfinite(ms) ? std::clamp<double>(ms, 0, 0x7FFFFFFF) : 0;
    const std::uint32_t start = clock.TickCount();
    auto elapsed = [&] { return static_cast<std::uint32_t>(clock.TickCount() - start); };
    while (elapsed() < wanted) {
        desktop.PumpEvents();
        std::uint32_t done = elapsed();
        if (done >= wanted) break;
        desktop.WaitForEvents(static_cast<std::uint32_t>(std::ceil(wanted - done)));
    }
}

}  // namespace Memory

namespace TestTerminateProcess {

void KillProcess(std::uint32_t processId, std::uint32_t window) {
    if (processId == 0) return;
    platform::ProcessPort& processes = platform::processes();
    platform::ScopedProcess process(processes, processes.Open(processId, platform::kProcessAllAccess));
    if (process) KillIfWindow(window, process.get(), processId);
}

void KillIfWindow(std::uint32_t window, platform::ProcessHandle process, std::uint32_t processId) {
    platform::DesktopPort& desktop = platform::desktop();
    if (window != 0 && desktop.IsWindow(window) && desktop.WindowProcessId(window) == processId)
        (void)platform::processes().Terminate(process, 0);
}

}  // namespace TestTerminateProcess

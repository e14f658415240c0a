#include "services/host/Memory.h"

#include <algorithm>
#include <cmath>

#include "platform/Bytes.h"
#include "platform/EventLoop.h"
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

void WriteBytes(Address address, const void* data, std::uint32_t size) {
    if (!address.ok || size == 0) return;
    platform::ScopedProcess host = OpenHost();
    if (!host) return;
    platform::ProcessPort& processes = platform::processes();
    // Execute-capable, so that patched code still runs where no-execute is enforced.
    (void)processes.ProtectMemory(host.get(), address.value, size, platform::kPageExecuteReadWrite, nullptr);
    (void)processes.WriteMemory(host.get(), address.value, data, size);
}

}  // namespace

bool ReadBlock(Address address, void* buffer, std::uint32_t size) {
    if (!address.ok) return false;
    platform::ScopedProcess host = OpenHost();
    return host && platform::processes().ReadMemory(host.get(), address.value, buffer, size);
}

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
    if (!ReadBlock(address, &b, 1)) return {state.lastByte, false};
    state.lastByte = b;
    return b;
}

Value<std::int32_t> ReadLong(Address address) {
    std::uint8_t b[4];
    if (!ReadBlock(address, b, 4)) return {state.lastLong, false};
    state.lastLong = static_cast<std::int32_t>(platform::FromLe32(b));
    return state.lastLong;
}

Value<float> ReadSingle(Address address) {
    std::uint8_t b[4];
    if (!ReadBlock(address, b, 4)) return {state.lastSingle, false};
    state.lastSingle = platform::FromLeFloat(b);
    return state.lastSingle;
}

void WriteByte(Address address, Value<std::uint8_t> value) {
    if (value.ok) WriteBytes(address, &value.value, 1);
}

void WriteLong(Address address, Value<std::int32_t> value) {
    if (value.ok) WriteBytes(address, platform::Le32(static_cast<std::uint32_t>(value.value)).data(), 4);
}

void WriteSingle(Address address, Value<float> value) {
    if (value.ok) WriteBytes(address, platform::LeFloat(value.value).data(), 4);
}

void WriteString(Address address, const std::string& text) {
    WriteBytes(address, text.data(), static_cast<std::uint32_t>(text.size()));
}

void WriteHex(Address address, const std::string& hex) {
    if (auto bytes = platform::HexToBytes(hex)) WriteBytes(address, bytes->data(), static_cast<std::uint32_t>(bytes->size()));
}

void Wait(float ms) {
    const double wanted = std::isfinite(ms) ? std::clamp<double>(ms, 0, 0x7FFFFFFF) : 0;
    // The driver's actions that arrive meanwhile run after the handler or tick that waits.
    platform::WaitScope waiting;
    platform::HandleEventsFor(static_cast<std::uint32_t>(std::ceil(wanted)));
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

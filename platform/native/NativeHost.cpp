#include "platform/native/NativeHost.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/Bytes.h"
#include "platform/EventLoop.h"

namespace platform {

namespace {

struct Piece {
    std::uint32_t page, offset, at, count;  // page number, offset in it, offset in the range, bytes
};

// The page pieces of a range, or nothing when it runs past the 32-bit space.
std::optional<std::vector<Piece>> Pieces(std::uint32_t address, std::uint32_t size) {
    const std::uint64_t end = std::uint64_t(address) + size;
    if (end > 0x100000000ull) return std::nullopt;
    std::vector<Piece> pieces;
    for (std::uint64_t at = address; at < end;) {
        auto offset = static_cast<std::uint32_t>(at % kPageSize);
        auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(kPageSize - offset, end - at));
        pieces.push_back({static_cast<std::uint32_t>(at / kPageSize), offset, static_cast<std::uint32_t>(at - address),
                          count});
        at += count;
    }
    return pieces;
}

bool IsKnownProtection(std::uint32_t p) {
    switch (p) {
        case kPageNoAccess: case kPageReadOnly: case kPageReadWrite: case kPageWriteCopy:
        case kPageExecute: case kPageExecuteRead: case kPageExecuteReadWrite: case kPageExecuteWriteCopy:
            return true;
        default:
            return false;
    }
}

bool Readable(std::uint32_t p) { return p != kPageNoAccess && p != kPageExecute; }

}  // namespace

// --- address space ---

void NativeAddressSpace::Map(std::uint32_t address, std::uint32_t size, std::uint32_t protection) {
    auto pieces = Pieces(address, size);
    if (!pieces) return;
    for (const Piece& p : *pieces) protection_[p.page] = protection;
}

std::optional<std::uint32_t> NativeAddressSpace::Protection(std::uint32_t address) const {
    auto it = protection_.find(address / kPageSize);
    if (it == protection_.end()) return std::nullopt;
    return it->second;
}

bool NativeAddressSpace::Read(std::uint32_t address, void* buffer, std::uint32_t size) const {
    auto pieces = Pieces(address, size);
    if (!pieces) return false;
    for (const Piece& p : *pieces) {
        auto it = protection_.find(p.page);
        if (it == protection_.end() || !Readable(it->second)) return false;
    }
    std::string bytes = Peek(address, size);
    std::memcpy(buffer, bytes.data(), size);
    return true;
}

bool NativeAddressSpace::IsWritable(std::uint32_t address, std::uint32_t size) const {
    auto pieces = Pieces(address, size);
    if (!pieces) return false;
    for (const Piece& p : *pieces) {
        auto it = protection_.find(p.page);
        if (it == protection_.end() || !IsWritableProtection(it->second)) return false;
    }
    return true;
}

bool NativeAddressSpace::Write(std::uint32_t address, const void* data, std::uint32_t size) {
    if (!IsWritable(address, size)) return false;
    auto pieces = Pieces(address, size);
    for (const Piece& p : *pieces)
        std::memcpy(bytes_[p.page].data() + p.offset, static_cast<const char*>(data) + p.at, p.count);
    return true;
}

bool NativeAddressSpace::Protect(std::uint32_t address, std::uint32_t size, std::uint32_t protection,
                                 std::uint32_t* previous) {
    auto pieces = Pieces(address, size == 0 ? 1 : size);
    if (!pieces || !IsKnownProtection(protection)) return false;
    for (const Piece& p : *pieces)
        if (!protection_.count(p.page)) return false;
    if (previous) *previous = protection_[pieces->front().page];
    for (const Piece& p : *pieces) protection_[p.page] = protection;
    return true;
}

void NativeAddressSpace::Poke(std::uint32_t address, std::string_view bytes) {
    auto pieces = Pieces(address, static_cast<std::uint32_t>(bytes.size()));
    if (!pieces) return;
    for (const Piece& p : *pieces) {
        protection_.try_emplace(p.page, kPageReadWrite);
        std::memcpy(bytes_[p.page].data() + p.offset, bytes.data() + p.at, p.count);
    }
}

void NativeAddressSpace::Poke32(std::uint32_t address, std::uint32_t value) { Poke(address, Le32(value)); }

void NativeAddressSpace::PokeFloat(std::uint32_t address, float value) { Poke(address, LeFloat(value)); }

std::string NativeAddressSpace::Peek(std::uint32_t address, std::uint32_t size) const {
    std::string out(size, '\0');
    auto pieces = Pieces(address, size);
    if (!pieces) return out;
    for (const Piece& p : *pieces) {
        auto it = bytes_.find(p.page);
        if (it != bytes_.end()) std::memcpy(out.data() + p.at, it->second.data() + p.offset, p.count);
    }
    return out;
}

std::uint32_t NativeAddressSpace::Peek32(std::uint32_t address) const { return FromLe32(Peek(address, 4).data()); }

// --- processes ---

NativeProcesses::Process& NativeProcesses::Add(std::uint32_t processId) {
    Process& p = processes_[processId];
    p = Process{};
    return p;
}

NativeProcesses::Process* NativeProcesses::Find(std::uint32_t processId) {
    auto it = processes_.find(processId);
    return it == processes_.end() ? nullptr : &it->second;
}

NativeProcesses::Process* NativeProcesses::Through(ProcessHandle process, std::uint32_t rights,
                                                   std::uint32_t* processId) {
    auto it = handles_.find(process);
    if (it == handles_.end() || (it->second.access & rights) != rights) return nullptr;
    if (processId) *processId = it->second.processId;
    return Find(it->second.processId);
}

ProcessHandle NativeProcesses::Open(std::uint32_t processId, std::uint32_t access) {
    Process* p = Find(processId);
    if (p == nullptr || !p->running) return 0;
    ProcessHandle h = nextHandle_;
    nextHandle_ += 4;
    handles_[h] = {processId, access};
    opened.push_back({processId, access});
    return h;
}

void NativeProcesses::Close(ProcessHandle process) { handles_.erase(process); }

bool NativeProcesses::ReadMemory(ProcessHandle process, std::uint32_t address, void* buffer, std::uint32_t size) {
    Process* p = Through(process, kProcessVmRead);
    return p && p->running && p->memory.Read(address, buffer, size);
}

bool NativeProcesses::WriteMemory(ProcessHandle process, std::uint32_t address, const void* data,
                                  std::uint32_t size) {
    std::uint32_t id = 0;
    Process* p = Through(process, kProcessVmWrite | kProcessVmOperation, &id);
    if (!p || !p->running || !p->memory.Write(address, data, size)) return false;
    journal.push_back({id, address, std::string(static_cast<const char*>(data), size)});
    return true;
}

bool NativeProcesses::ProtectMemory(ProcessHandle process, std::uint32_t address, std::uint32_t size,
                                    std::uint32_t protection, std::uint32_t* previous) {
    Process* p = Through(process, kProcessVmOperation);
    return p && p->running && p->memory.Protect(address, size, protection, previous);
}

std::optional<std::uint32_t> NativeProcesses::QueryProtection(ProcessHandle process, std::uint32_t address) {
    Process* p = Through(process, kProcessQueryInformation);
    if (!p || !p->running) return std::nullopt;
    return p->memory.Protection(address);
}

bool NativeProcesses::Terminate(ProcessHandle process, std::uint32_t exitCode) {
    std::uint32_t id = 0;
    Process* p = Through(process, kProcessTerminate, &id);
    if (!p || !p->running) return false;
    p->running = false;
    p->exitCode = exitCode;
    if (onEnd) onEnd(id);
    return true;
}

bool NativeProcesses::WaitForExit(ProcessHandle process, std::uint32_t) {
    Process* p = Through(process, kProcessSynchronize);
    return p && !p->running;
}

ProcessHandle NativeProcesses::Start(const std::string&, std::uint32_t* processId) {
    if (processId) *processId = 0;
    return 0;
}

// --- desktop ---

WindowHandle NativeDesktop::AddWindow(const std::string& className, std::uint32_t processId, WindowHandle owner) {
    WindowHandle h = nextHandle_;
    nextHandle_ += 0x10;
    windows.push_back({h, className, processId, owner});
    return h;
}

void NativeDesktop::RemoveWindow(WindowHandle window) {
    std::erase_if(windows, [&](const Window& w) { return w.handle == window; });
    if (foreground == window) foreground = 0;
}

void NativeDesktop::RemoveWindowsOf(std::uint32_t processId) {
    if (foreground != 0 && WindowProcessId(foreground) == processId) foreground = 0;
    std::erase_if(windows, [&](const Window& w) { return w.processId == processId; });
}

const NativeDesktop::Window* NativeDesktop::Lookup(WindowHandle window) const {
    for (const Window& w : windows)
        if (w.handle == window && window != 0) return &w;
    return nullptr;
}

WindowHandle NativeDesktop::FindTopWindow(const std::string& className) {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->className == className) return it->handle;
    return 0;
}

std::uint32_t NativeDesktop::WindowProcessId(WindowHandle window) {
    const Window* w = Lookup(window);
    return w ? w->processId : 0;
}

WindowHandle NativeDesktop::FirstUnownedWindowOf(std::uint32_t processId) {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->processId == processId && it->owner == 0) return it->handle;
    return 0;
}

bool NativeDesktop::IsWindow(WindowHandle window) { return Lookup(window) != nullptr; }

void NativeDesktop::KeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                             std::uintptr_t extraInfo) {
    Key k{virtualKey, scanCode, flags, extraInfo, foreground};
    keys.push_back(k);
    if (onKey) onKey(k);  // a copy: the hook may make keys of its own
}

bool NativeDesktop::SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam, std::uint32_t timeoutMs) {
    if (!IsWindow(window)) return false;
    messages.push_back({window, message, wParam, lParam, true, timeoutMs});
    Message m = messages.back();
    return onMessage ? onMessage(m) : true;
}

bool NativeDesktop::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (!IsWindow(window)) return false;
    messages.push_back({window, message, wParam, lParam, false, 0});
    Message m = messages.back();
    if (onMessage) onMessage(m);
    return true;
}

std::uint32_t NativeDesktop::Now() const { return clock ? clock->ticks : nowMs; }

void NativeDesktop::PumpEvents() {
    ++pumps;
    RunHeldDriverActions();
    if (onPump) onPump();
    // The timers due now, each once; a tick may stop or start timers, or pump again.
    std::vector<std::uint32_t> due;
    for (const auto& [id, t] : timers_)
        if (static_cast<std::int32_t>(Now() - t.due) >= 0) due.push_back(id);
    for (std::uint32_t id : due) {
        auto it = timers_.find(id);
        if (it == timers_.end() || static_cast<std::int32_t>(Now() - it->second.due) < 0) continue;
        it->second.due = Now() + it->second.interval;
        std::function<void()> tick = it->second.tick;
        tick();
    }
}

void NativeDesktop::WaitForEvents(std::uint32_t timeoutMs) {
    waits.push_back(timeoutMs);
    std::uint32_t wait = timeoutMs;
    for (const auto& [id, t] : timers_) {
        const std::int32_t left = static_cast<std::int32_t>(t.due - Now());
        wait = std::min<std::uint32_t>(wait, left > 0 ? static_cast<std::uint32_t>(left) : 0);
    }
    if (wait == kWaitForever && !onPump) throw std::logic_error("waiting for ever: no timer and no scripted event");
    if (wait == kWaitForever) return;  // onPump stands for the event that ends the wait
    if (clock) clock->ticks += wait;
    else nowMs += wait;
}

std::uint32_t NativeDesktop::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    const std::uint32_t id = nextTimer_++;
    const std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
    timers_[id] = Timer{interval, Now() + interval, std::move(tick)};
    return id;
}

void NativeDesktop::StopTimer(std::uint32_t id) { timers_.erase(id); }

}  // namespace platform

#include "platform/win32/Win32PluginPorts.h"
#include "platform/win32/WinApi.h"

#include <cstring>

namespace platform::win32 {

namespace {

void* At(std::uint32_t address) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)); }

// Returns true if every page of the range is committed with one of the protections.
bool PagesAllow(std::uint32_t address, std::uint32_t size, DWORD protections) {
    const std::uint64_t end = std::uint64_t(address) + size;
    for (std::uint64_t at = address; at < end;) {
        MEMORY_BASIC_INFORMATION info{};
        if (::VirtualQuery(At(static_cast<std::uint32_t>(at)), &info, sizeof info) != sizeof info) return false;
        if (info.State != MEM_COMMIT || !(info.Protect & protections) || (info.Protect & PAGE_GUARD)) return false;
        at = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
    }
    return true;
}

constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kReadable = kWritable | PAGE_READONLY | PAGE_EXECUTE_READ;

}  // namespace

// Straight from memory once the pages are known readable, so that an address with no page
// behind it fails instead of faulting. (The process-memory call would cost a round trip to the
// server under Wine at every poll.)
bool Win32OwnMemory::Read(std::uint32_t address, void* buffer, std::uint32_t size) {
    if (!PagesAllow(address, size, kReadable)) return false;
    std::memcpy(buffer, At(address), size);
    return true;
}

bool Win32OwnMemory::IsWritable(std::uint32_t address, std::uint32_t size) { return PagesAllow(address, size, kWritable); }

bool Win32OwnMemory::Write(std::uint32_t address, const void* data, std::uint32_t size) {
    SIZE_T done = 0;
    return ::WriteProcessMemory(::GetCurrentProcess(), At(address), data, size, &done) && done == size;
}

bool Win32OwnMemory::Protect(std::uint32_t address, std::uint32_t size, std::uint32_t protection,
                             std::uint32_t* previous) {
    DWORD old = 0;
    if (!::VirtualProtect(At(address), size, protection, &old)) return false;
    if (previous) *previous = old;
    return true;
}

void Win32OwnMemory::FlushCode(std::uint32_t address, std::uint32_t size) {
    ::FlushInstructionCache(::GetCurrentProcess(), At(address), size);
}

}  // namespace platform::win32

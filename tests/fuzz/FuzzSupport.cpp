#include "tests/fuzz/FuzzSupport.h"

#include "platform/AnsiText.h"

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fuzz {

namespace {

std::atomic<bool> watching{false};
std::atomic<std::size_t> largestAllocation{0};

void OnAllocation(const volatile void*, std::size_t size) {
    if (!watching.load(std::memory_order_relaxed)) return;
    std::size_t seen = largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
}

void OnFree(const volatile void*) {}

}  // namespace

platform::NativePlatform& Os() {
    static platform::NativePlatform* os = [] {
        auto* made = new platform::NativePlatform;  // kept to the end: libFuzzer may leave by _Exit
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(Os().root(), ec);
        });
        return made;
    }();
    return *os;
}

void ClearDriveC() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(Os().root() / "C", ec))
        std::filesystem::remove_all(entry.path(), ec);
}

std::string FilesInMemory::Key(const std::string& path) { return platform::AnsiUpper(Normalize(path)); }

void FilesInMemory::Hold(const std::string& path, std::string text) { held_[Key(path)] = std::move(text); }

const std::string* FilesInMemory::Held(const std::string& path) const {
    const auto it = held_.find(Key(path));
    return it == held_.end() ? nullptr : &it->second;
}

std::optional<std::string> FilesInMemory::ReadFile(const std::string& path) {
    if (const std::string* text = Held(path)) return *text;
    return NativeFileSystem::ReadFile(path);
}

platform::FsStatus FilesInMemory::WriteFile(const std::string& path, const std::string& bytes) {
    if (const auto it = held_.find(Key(path)); it != held_.end()) {
        it->second = bytes;
        return platform::FsStatus::Ok;
    }
    return NativeFileSystem::WriteFile(path, bytes);
}

platform::FsStatus FilesInMemory::SetAttributes(const std::string& path, std::uint32_t attributes) {
    if (Held(path)) return platform::FsStatus::Ok;
    return NativeFileSystem::SetAttributes(path, attributes);
}

FilesInMemory& MemoryFiles() {
    static FilesInMemory* files = [] {
        auto* made = new FilesInMemory(Os().root());
        platform::ports().fileSystem = made;
        platform::ports().profile = new platform::NativeProfile(*made);
        return made;
    }();
    return *files;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "\n==FINDING== %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

AllocationWatch::AllocationWatch() {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree) != 0;
    if (!installed) Fail("the allocation hooks could not be installed");
    largestAllocation = 0;
    watching = true;
}

AllocationWatch::~AllocationWatch() { watching = false; }

std::size_t AllocationWatch::largest() const { return largestAllocation; }

}  // namespace fuzz

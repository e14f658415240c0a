// What the fuzz targets share: the in-process platform they run on, the way a target reports a
// finding, and a watch on the largest single allocation.
#pragma once
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/native/NativePlatform.h"

namespace fuzz {

// The in-process adapters, made on first use and kept for the life of the process; drive C:
// lies in a scratch folder below the temporary folder.
platform::NativePlatform& Os();

// Empties drive C: of the scratch folder.
void ClearDriveC();

// The scratch file system with some files held in memory: reading one gives its text, writing
// one replaces it, and setting its attributes succeeds. For readers that open a file once for
// every value they read, which would otherwise spend the run on the disk.
class FilesInMemory : public platform::NativeFileSystem {
public:
    using NativeFileSystem::NativeFileSystem;
    // Makes path a file held in memory with this text.
    void Hold(const std::string& path, std::string text);
    // The text of a held file, or nothing.
    const std::string* Held(const std::string& path) const;

    std::optional<std::string> ReadFile(const std::string& path) override;
    platform::FsStatus WriteFile(const std::string& path, const std::string& bytes) override;
    platform::FsStatus SetAttributes(const std::string& path, std::uint32_t attributes) override;

private:
    static std::string Key(const std::string& path);
    std::map<std::string, std::string> held_;
};

// FilesInMemory over the scratch folder of Os(), installed as the file-system port and under
// the profile port; made on first use.
FilesInMemory& MemoryFiles();

// Reports a finding and ends the process as a crash does, so that libFuzzer keeps the input.
[[noreturn]] void Fail(const std::string& what);

// While one of these exists, the size of every allocation is noted; largest() gives the
// largest so far.
class AllocationWatch {
public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;
    std::size_t largest() const;
};

}  // namespace fuzz

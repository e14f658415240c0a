// What the fuzz targets share: the in-process platform they run on, the way a target reports a
// finding, and a watch on the largest single allocation.
#pragma once
#include <cstddef>
#include <string>

#include "platform/native/NativePlatform.h"

namespace fuzz {

// The in-process adapters, made on first use and kept for the life of the process; drive C:
// lies in a scratch folder below the temporary folder.
platform::NativePlatform& Os();

// Empties drive C: of the scratch folder.
void ClearDriveC();

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

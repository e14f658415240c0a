// The zip layer's reader and unpack over archives of any bytes. Beyond crashes, hangs and
// undefined behaviour it catches: a file or folder made anywhere but inside the target folder
// (looked for on the host's side of the in-process file system, so that a name the host cuts
// short or resolves differently is caught too), a change to the archive itself, an allocation
// larger than the inflate limit that the layer sets for an entry, and an unpack that succeeds
// where the layer's own test of the archive fails.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "services/ProgramState.h"
#include "services/ZipLib.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

namespace fs = std::filesystem;

const std::string kArchive = "C:\\in.zip";
const std::string kTarget = "C:\\out\\pkg";

// Deflate packs at most 1032 to 1; an entry of this archive may claim no more. zlib's own
// state (window and tables) comes on top.
constexpr std::size_t kZlibState = 64 * 1024;
std::size_t AllocationLimit(std::size_t archiveSize) { return archiveSize * 1032 + 64 + kZlibState; }

// Everything on drive C: besides the archive, the target's parent and what lies in the target.
void CheckNothingOutsideTarget() {
    const fs::path drive = fuzz::Os().root() / "C";
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(drive, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (ec) fuzz::Fail("drive C: could not be listed: " + ec.message());
        const std::string rel = it->path().lexically_relative(drive).generic_string();
        if (rel == "in.zip" || rel == "out" || rel == "out/pkg" || rel.rfind("out/pkg/", 0) == 0) continue;
        fuzz::Fail("unpacking made " + rel + ", outside the target folder");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::NativePlatform& os = fuzz::Os();
    fuzz::ClearDriveC();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (os.files.CreateFolder("C:\\out") != platform::FsStatus::Ok ||
        os.files.WriteFile(kArchive, bytes) != platform::FsStatus::Ok)
        fuzz::Fail("the scratch drive could not be prepared");
    vm::ResetProgramState();

    bool tested = false, unpacked = false;
    std::size_t largest = 0;
    {
        fuzz::AllocationWatch watch;
        tested = ZipLib::TestArchive(kArchive).has_value();
        unpacked = ZipLib::Unzip(kArchive, kTarget);
        largest = watch.largest();
    }
    if (largest > AllocationLimit(size))
        fuzz::Fail("an allocation of " + std::to_string(largest) + " bytes for an archive of " +
                   std::to_string(size));
    if (unpacked && !tested) fuzz::Fail("Unzip succeeded on an archive that TestArchive refuses");
    CheckNothingOutsideTarget();
    if (os.files.ReadFile(kArchive) != bytes) fuzz::Fail("unpacking changed the archive");
    return 0;
}

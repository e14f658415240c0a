// The roadbook reader over any file text, through the in-process profile, with either decimal
// separator the user may have: no crash, hang or undefined behaviour. The reader reads the file
// once for each key, so this target runs far fewer inputs a second than the others.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Ports.h"
#include "platform/native/NativeProfile.h"
#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// The scratch file system, but the roadbook is read from memory: the reader reads the file
// once a key, and this keeps the runs fast.
class RoadbookInMemory : public platform::NativeFileSystem {
public:
    using NativeFileSystem::NativeFileSystem;
    std::string text;
    std::optional<std::string> ReadFile(const std::string& path) override {
        if (path == gFunc::RoadbookFile()) return text;
        return NativeFileSystem::ReadFile(path);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::NativePlatform& os = fuzz::Os();
    static RoadbookInMemory files(os.root());
    static platform::NativeProfile profile(files);
    os.environment.programFolder = "C:\\Velomark";
    platform::ports().profile = &profile;
    files.text.assign(reinterpret_cast<const char*>(data), size);
    for (const char* separator : {".", ","}) {
        // The comma as separator is tried only on texts that hold one, to keep the runs fast.
        if (*separator == ',' && files.text.find(',') == std::string::npos) break;
        vm::ResetProgramState();
        vm::g.gDecimalSep = separator;
        gFunc::ReadRoadbook();
    }
    return 0;
}

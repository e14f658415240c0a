// The roadbook reader over any file text, through the in-process profile, with either decimal
// separator the user may have: no crash, hang or undefined behaviour. The reader reads the file
// once for each key, so this target runs far fewer inputs a second than the others.
#include <cstddef>
#include <cstdint>
#include <string>

#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::NativePlatform& os = fuzz::Os();
    // The reader reads the file once a key: it is held in memory to keep the runs fast.
    fuzz::FilesInMemory& files = fuzz::MemoryFiles();
    os.environment.programFolder = "C:\\Velomark";
    const std::string text(reinterpret_cast<const char*>(data), size);
    files.Hold(gFunc::RoadbookFile(), text);
    for (const char* separator : {".", ","}) {
        // The comma as separator is tried only on texts that hold one, to keep the runs fast.
        if (*separator == ',' && text.find(',') == std::string::npos) break;
        vm::ResetProgramState();
        vm::g.gDecimalSep = separator;
        gFunc::ReadRoadbook();
    }
    return 0;
}

// The setup chooser reading a setup file of any bytes that the driver picks. Beyond crashes,
// hangs and undefined behaviour it checks that the slot takes at most what the file holds: the
// file's items each stand in the file, in its order and without overlapping, none empty; the
// slot holds them a line each; a file without items leaves the slot as it was, and says so.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "client/SetupFRM.h"
#include "services/Globals.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

const std::string kFile = "C:\\Kovarra\\savedgames\\fuzz.lsp";
constexpr const char* kBefore = "C:\\Kovarra\\savedgames\\before.lsp";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::NativePlatform& os = fuzz::Os();
    fuzz::FilesInMemory& files = fuzz::MemoryFiles();
    static SetupFRM* chooser = new SetupFRM;  // kept to the end, as the ports are
    const std::string file(reinterpret_cast<const char*>(data), size);
    files.Hold(kFile, file);
    vm::g.gHostPath = "C:\\Kovarra";
    vm::g.gSetupFile[1] = kBefore;
    vm::g.gSetupText[1] = "before\r\n";
    os.messageBox.shown.clear();
    os.fileDialog.answers = {kFile};
    os.fileDialog.asked.clear();

    chooser->cmdSetupNew_Click(1);

    // The items stand in the file, in its order and without overlapping.
    const std::vector<std::string> items = client::SetupItems(file);
    std::string lines;
    std::size_t from = 0;
    for (const std::string& item : items) {
        if (item.empty()) fuzz::Fail("an empty item");
        const std::size_t at = file.find(item, from);
        if (at == std::string::npos) fuzz::Fail("the item \"" + item + "\" does not stand in the file after the one before");
        from = at + item.size();
        lines += item + "\r\n";
    }

    if (items.empty()) {
        if (vm::g.gSetupFile[1] != kBefore || vm::g.gSetupText[1] != "before\r\n")
            fuzz::Fail("a file without items changed the slot");
        if (os.messageBox.shown.empty()) fuzz::Fail("a file without items was not told");
    } else if (vm::g.gSetupFile[1] != kFile || vm::g.gSetupText[1] != lines) {
        fuzz::Fail("the slot holds \"" + vm::g.gSetupFile[1] + "\" and not the file's items");
    }
    return 0;
}

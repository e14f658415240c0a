#include "tests/support/VmTest.h"

#include <filesystem>

#include "services/ProgramState.h"

namespace vmtest {

VmTest::VmTest() { vm::ResetProgramState(); }
VmTest::~VmTest() { vm::ResetProgramState(); }

void VmTest::Put(const std::string& winPath, const std::string& bytes) {
    MakeFolders(os.files, winPath.substr(0, winPath.find_last_of('\\')));
    ASSERT_EQ(os.files.WriteFile(winPath, bytes), platform::FsStatus::Ok) << winPath;
}

std::string VmTest::Get(const std::string& winPath) {
    auto content = os.files.ReadFile(winPath);
    return content ? *content : "<missing>";
}

void VmTest::FreshFolder(const std::string& winFolder, const std::function<void()>& build) {
    namespace fs = std::filesystem;
    const fs::path built = os.files.HostPath("C:\\built");
    if (!fs::exists(built)) {
        build();
        fs::copy(os.files.HostPath(winFolder), built, fs::copy_options::recursive);
    }
    (void)os.files.DeleteFolder(winFolder, true);
    fs::copy(built, os.files.HostPath(winFolder), fs::copy_options::recursive);
}

}  // namespace vmtest

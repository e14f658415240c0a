#include "tests/support/VmTest.h"

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

}  // namespace vmtest

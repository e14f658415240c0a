#include <gtest/gtest.h>

#include "services/basRegistry.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using platform::RegRoot;

class RegistryTest : public VmTest {
protected:
    std::string Read(const std::string& name) {
        return basRegistry::GetRegValue(RegRoot::LocalMachine, "SOFTWARE\\Test", name).Text();
    }
};

TEST_F(RegistryTest, ValuesByType) {
    os.registry.SetString(RegRoot::LocalMachine, "SOFTWARE\\Test", "", "C:\\Games\\Kovarra");
    os.registry.SetString(RegRoot::LocalMachine, "SOFTWARE\\Test", "nul", std::string("before\0after", 12));
    os.registry.SetDword(RegRoot::LocalMachine, "SOFTWARE\\Test", "number", 1234);
    os.registry.SetBinary(RegRoot::LocalMachine, "SOFTWARE\\Test", "raw", "abc");
    os.registry.SetString(RegRoot::LocalMachine, "SOFTWARE\\Test", "expand", "%SystemRoot%", platform::kRegExpandSz);

    EXPECT_EQ(Read(""), "C:\\Games\\Kovarra");
    EXPECT_EQ(Read("nul"), "before");
    auto number = basRegistry::GetRegValue(RegRoot::LocalMachine, "software\\test", "NUMBER");
    EXPECT_EQ(std::get<std::uint32_t>(number.value), 1234u);
    EXPECT_EQ(Read("raw"), "");
    EXPECT_EQ(Read("expand"), "");
    EXPECT_EQ(Read("absent"), "");
    EXPECT_EQ(os.registry.openKeys(), 0);  // every opened key was closed
}

TEST_F(RegistryTest, MissingKeyGivesEmptyTextAndClosesNothing) {
    EXPECT_EQ(basRegistry::GetRegValue(RegRoot::CurrentUser, "No\\Such\\Key", "x").Text(), "");
    EXPECT_EQ(os.registry.badCloses(), 0);
}

}  // namespace
}  // namespace vmtest

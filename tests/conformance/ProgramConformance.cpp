// A running program's claim to be the only copy, on the in-process and the Win32 adapters; on
// Windows also the file version that the client's start-up reads.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/native/NativeAdapters.h"
#ifdef _WIN32
#include "platform/win32/Win32Adapters.h"
#endif

namespace vmtest {
namespace {

std::vector<std::pair<std::string, std::unique_ptr<platform::InstancePort>>> Claimers() {
    std::vector<std::pair<std::string, std::unique_ptr<platform::InstancePort>>> all;
    all.emplace_back("Native", std::make_unique<platform::NativeInstances>());
#ifdef _WIN32
    all.emplace_back("Win32", std::make_unique<platform::win32::Win32Instances>());
#endif
    return all;
}

TEST(InstanceConformance, AClaimHeldByARunningProgramCannotBeTakenAgain) {
    const std::string stamp = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    for (auto& [adapter, claims] : Claimers()) {
        SCOPED_TRACE(adapter);
        const std::string name = "vm-claim-" + adapter + "-" + stamp;
        EXPECT_TRUE(claims->ClaimOnlyCopy(name));
        EXPECT_FALSE(claims->ClaimOnlyCopy(name));
        EXPECT_TRUE(claims->ClaimOnlyCopy(name + "-other"));
    }
}

#ifdef _WIN32
TEST(ProgramVersionWin32, TheClientCarriesItsVersionAndAProgramWithoutOneGivesZeros) {
    platform::win32::Win32Environment environment;
    EXPECT_EQ(platform::win32::FileVersion(environment.ProgramFolder() + "\\Velomark.exe"),
              (platform::ProgramVersion{2, 6, 0, 2}));
    EXPECT_EQ(environment.Version(), platform::ProgramVersion{}) << "this test program has no version resource";
    EXPECT_EQ(platform::win32::FileVersion(environment.ProgramFolder() + "\\no-such-program.exe"),
              platform::ProgramVersion{});
}
#endif

}  // namespace
}  // namespace vmtest

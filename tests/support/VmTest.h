// Base fixture: a fresh program (every ProgramWide reset) on a fresh set of in-process adapters.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/native/NativePlatform.h"
#include "tests/support/FileTrees.h"

namespace vmtest {

class VmTest : public ::testing::Test {
protected:
    VmTest();
    ~VmTest() override;

    // Writes a file at a Windows path, creating its folders.
    void Put(const std::string& winPath, const std::string& bytes);
    // The content of a file at a Windows path, or "<missing>".
    std::string Get(const std::string& winPath);

    platform::NativePlatform os;
};


}  // namespace vmtest

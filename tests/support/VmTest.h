// Base fixture: a fresh program (every ProgramWide reset) on a fresh set of in-process adapters.
#pragma once
#include <gtest/gtest.h>

#include <functional>
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
    // Puts a folder back as build made it: the first call runs build and keeps a copy of the
    // folder in "C:\built", each later call replaces the folder by that copy.
    void FreshFolder(const std::string& winFolder, const std::function<void()>& build);

    platform::NativePlatform os;
};


}  // namespace vmtest

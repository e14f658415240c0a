// The adapter sets the conformance suites run against: the in-process adapters everywhere, and
// the Win32 adapters on real files when the tests run on Windows (Wine). Each set gets a fresh,
// empty base folder.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Md5.h"
#include "platform/Picture.h"
#include "platform/Profile.h"

namespace vmtest {

class AdapterSet {
public:
    virtual ~AdapterSet() = default;
    virtual platform::FileSystemPort& files() = 0;
    virtual platform::ProfilePort& profile() = 0;
    virtual platform::Md5Port& md5() = 0;
    virtual platform::PicturePort& pictures() = 0;
    // A Windows path of an empty folder of this set, without trailing backslash.
    virtual std::string base() const = 0;
};

std::vector<std::string> AdapterSetNames();
std::unique_ptr<AdapterSet> MakeAdapterSet(const std::string& name);

}  // namespace vmtest

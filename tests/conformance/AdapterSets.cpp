#include "tests/conformance/AdapterSets.h"

#include <atomic>
#include <chrono>
#include <filesystem>

#include "platform/native/NativeFileSystem.h"
#include "platform/native/NativePictures.h"
#include "platform/native/NativeProfile.h"
#include "tests/support/VmTest.h"
#ifdef _WIN32
#include "platform/win32/Win32Adapters.h"
#include "platform/win32/Win32Pictures.h"
#endif

namespace vmtest {

namespace {

std::string UniqueName() {
    static std::atomic<int> n{0};
    return "vmconf-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
           std::to_string(n++);
}

class NativeSet : public AdapterSet {
public:
    NativeSet() : root_(std::filesystem::temp_directory_path() / UniqueName()), files_(root_), profile_(files_) {
        (void)files_.CreateFolder(base());
    }
    ~NativeSet() override {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    platform::FileSystemPort& files() override { return files_; }
    platform::ProfilePort& profile() override { return profile_; }
    platform::Md5Port& md5() override { return md5_; }
    platform::PicturePort& pictures() override { return pictures_; }
    std::string base() const override { return "C:\\conf"; }

private:
    std::filesystem::path root_;
    platform::NativeFileSystem files_;
    platform::NativeProfile profile_;
    platform::FileSystemMd5 md5_{files_};
    platform::NativePictures pictures_{files_};
};

#ifdef _WIN32
class Win32Set : public AdapterSet {
public:
    Win32Set() : base_((std::filesystem::temp_directory_path() / UniqueName()).string()) {
        (void)files_.CreateFolder(base_);
    }
    ~Win32Set() override { (void)files_.DeleteFolder(base_, true); }
    platform::FileSystemPort& files() override { return files_; }
    platform::ProfilePort& profile() override { return profile_; }
    platform::Md5Port& md5() override { return md5_; }
    platform::PicturePort& pictures() override { return pictures_; }
    std::string base() const override { return base_; }

private:
    std::string base_;
    platform::win32::Win32FileSystem files_;
    platform::win32::Win32Profile profile_;
    platform::FileSystemMd5 md5_{files_};
    platform::win32::OlePictures pictures_;
};
#endif

}  // namespace

std::vector<std::string> AdapterSetNames() {
#ifdef _WIN32
    return {"Native", "Win32"};
#else
    return {"Native"};
#endif
}

std::unique_ptr<AdapterSet> MakeAdapterSet(const std::string& name) {
#ifdef _WIN32
    if (name == "Win32") return std::make_unique<Win32Set>();
#endif
    return std::make_unique<NativeSet>();
}

}  // namespace vmtest

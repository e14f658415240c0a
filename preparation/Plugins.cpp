#include "preparation/Plugins.h"

#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "services/MD5FP.h"

namespace gFunc {

namespace {

constexpr const char* kShifter = "shifter.dll";
constexpr const char* kAlwaysKept[] = {"avviora.dll", "Z.dll", "shifter.ini", "qvr_rx.dll", "light.dll"};

bool Kept(const platform::DirEntry& file, const std::string& expectedShifterMd5) {
    if (platform::EqualsNoCase(file.name, kShifter)) {
        auto digest = MD5FP::FileMD5(file.path);
        if (!digest) Fail("FileMD5", file.path);
        return *digest == expectedShifterMd5;
    }
    for (const char* name : kAlwaysKept)
        if (platform::EqualsNoCase(file.name, name)) return true;
    return false;
}

}  // namespace

std::optional<FileFailure> QuarantinePlugins(const std::string& expectedShifterMd5) try {
    RequireHostPath();
    auto& fs = platform::fileSystem();
    const std::string plugins = HostPath("\\Plugins"), aside = plugins + "\\VLMK-BKP";
    if (!fs.FolderExists(aside)) Strict::CreateFolder(aside);
    for (const platform::DirEntry& file : Strict::List(plugins)) {
        if (file.isFolder || Kept(file, expectedShifterMd5)) continue;
        const std::string target = aside + "\\" + file.name;
        Strict::SetAttributes(file.path, platform::kAttrNormal);
        if (fs.FileExists(target)) Strict::DeleteFile(target, false);
        Strict::MoveFile(file.path, target);
    }
    return std::nullopt;
} catch (const FileError& e) {
    return e.failure();
}

}  // namespace gFunc

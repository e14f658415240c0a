// A complete set of in-process adapters on a fresh scratch folder, installed into the
// process's ports for its lifetime. Tests and native tools start from one of these.
#pragma once
#include <filesystem>
#include <memory>

#include "platform/Ports.h"
#include "platform/native/NativeAdapters.h"
#include "platform/native/NativeFileSystem.h"
#include "platform/native/NativeHost.h"
#include "platform/native/NativePictures.h"
#include "platform/native/NativeProfile.h"
#include "platform/native/NativeRegistry.h"

namespace platform {

class NativePlatform {
public:
    NativePlatform();
    ~NativePlatform();
    NativePlatform(const NativePlatform&) = delete;
    NativePlatform& operator=(const NativePlatform&) = delete;

    // The scratch folder that drive C: maps onto lies below this.
    const std::filesystem::path& root() const { return root_; }

    NativeFileSystem files;
    NativeProfile profile{files};
    NativeRegistry registry;
    NativeEnvironment environment;
    ScriptedMessageBox messageBox;
    ManualClock clock;
    ScriptedHttp http;
    RecordingShell shell;
    FixedRegional regional;
    FetchingWebPanes webPanes{&http};  // its fetches show in http.requests too
    FileSystemMd5 md5{files};
    NativeDesktop desktop;       // waits move clock on; ended processes lose their windows
    NativeProcesses processes;
    ScriptedFileDialog fileDialog;
    NativeInstances instances;
    NativePictures pictures{files};

private:
    static std::filesystem::path MakeRoot();
    std::filesystem::path root_;
    Ports saved_;
};

}  // namespace platform

// The restore tool on real files and the real registry: the host folder is read from the
// registry through the Win32 adapter, and the three restores run through the Win32 file system.
// The registry value is written with the system's reg.exe and put back as it was afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/Ports.h"
#include "platform/win32/Win32Adapters.h"
#include "restore/foRestore.h"
#include "services/Globals.h"
#include "services/Messages.h"
#include "services/Settings.h"
#include "tests/restore/RestoreHost.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

// Sets the default value of the host's install key, or deletes the key for empty text.
int SetHostKey(const std::string& folder) {
    const std::string key = std::string("\"HKLM\\") + qvrMod::kHostInstallKey + "\"";
    if (folder.empty()) return std::system(("reg delete " + key + " /f >NUL 2>&1").c_str());
    return std::system(("reg add " + key + " /ve /d \"" + folder + "\" /f >NUL 2>&1").c_str());
}

class RestoreWin32Test : public VmTest {
protected:
    RestoreWin32Test()
        : base((std::filesystem::temp_directory_path() /
                ("vmrestore-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
                   .string()),
          fx(base) {
        auto& p = platform::ports();
        p.fileSystem = &files;
        p.registry = &registry;
        vm::SetProgramTitle("Tornavel");
        (void)files.CreateFolder(base);
        before = qvrMod::ReadHostPath();
    }
    ~RestoreWin32Test() override {
        (void)SetHostKey(before);
        (void)files.DeleteFolder(base, true);
        vm::SetProgramTitle("Velomark");
    }
    std::string Content(const std::string& path) { return files.ReadFile(path).value_or("<missing>"); }

    platform::win32::Win32FileSystem files;
    platform::win32::Win32Registry registry;
    std::string base, before;
    RestoreHost fx;
    foRestore window;
};

TEST_F(RestoreWin32Test, ReadsTheHostFolderFromTheRegistryAndRestoresRealFiles) {
    ASSERT_EQ(SetHostKey(fx.host()), 0) << "reg.exe could not write the host's install key";
    fx.Build();
    window.Show();
    ASSERT_EQ(g.gHostPath, fx.host());

    for (auto* button : {&window.buAudio, &window.buPhysics, &window.buTracks}) button->Press();
    EXPECT_EQ(os.messageBox.shown.size(), 2u) << "the two questions only";

    EXPECT_EQ(Content(fx.H("\\audio.ini")), RestoreHost::kHostAudio);
    EXPECT_EQ(Content(fx.H("\\audio_bkp_by_Velomark.ini")), RestoreHost::kHostAudio);
    EXPECT_EQ(Content(fx.H("\\physics.qvz")), RestoreHost::kHostPhysics);
    EXPECT_FALSE(files.FileExists(fx.H("\\physics_bkp_by_Velomark.qvz")));
    for (const auto& [rel, bytes] : RestoreHost::ArchivedMaterials()) {
        std::string path = fx.H("\\Maps\\") + rel;
        for (char& c : path)
            if (c == '/') c = '\\';
        EXPECT_EQ(Content(path), bytes) << rel;
    }
    EXPECT_FALSE(files.FileExists(fx.H("\\Maps\\MatBkp_by_vlmk.zip")));
    EXPECT_FALSE(files.FolderExists(fx.Textures("71_M")));
    EXPECT_TRUE(files.FolderExists(fx.Textures("71_M", "_VLMK_T")));
    EXPECT_FALSE(files.FolderExists(fx.Textures("41_M")));
    EXPECT_TRUE(files.FolderExists(fx.Textures("41_M", "_VLMK_S")));
}

}  // namespace
}  // namespace vmtest

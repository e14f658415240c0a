// Tornavel.exe on real files and the real registry, driven by the test driver as a person would:
// the host folder is written into the registry with the system's reg.exe (and put back as it was
// afterwards), the driver presses the window's buttons and answers its questions
// (tornavel_*.script, from the folder named by VM_RESTORE_SCRIPTS), and the files are checked
// here. The driver's screenshots land beside this test.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/Ports.h"
#include "platform/win32/Win32Adapters.h"
#include "services/Settings.h"
#include "tests/restore/RestoreHost.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

// Sets the default value of the host's install key, or deletes the key for empty text.
int SetHostKey(const std::string& folder) {
    const std::string key = std::string("\"HKLM\\") + qvrMod::kHostInstallKey + "\"";
    if (folder.empty()) return std::system(("reg delete " + key + " /f >NUL 2>&1").c_str());
    return std::system(("reg add " + key + " /ve /d \"" + folder + "\" /f >NUL 2>&1").c_str());
}

class TornavelDriven : public VmTest {
protected:
    TornavelDriven()
        : base((std::filesystem::temp_directory_path() /
                ("vmrestore-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
                   .string()),
          fx(base) {
        auto& p = platform::ports();
        p.fileSystem = &files;
        p.registry = &registry;
        (void)files.CreateFolder(base);
        before = qvrMod::ReadHostPath();
    }
    ~TornavelDriven() override {
        (void)SetHostKey(before);
        (void)files.DeleteFolder(base, true);
    }

    // Runs a script of the test driver on Tornavel.exe; its exit code (0: every command passed).
    int Drive(const std::string& script) {
        const char* scripts = std::getenv("VM_RESTORE_SCRIPTS");
        if (scripts == nullptr) {
            ADD_FAILURE() << "VM_RESTORE_SCRIPTS must name the folder of the driver's scripts";
            return -1;
        }
        const std::string here = platform::win32::Win32Environment().ProgramFolder();
        const std::string build = here + "\\..";
        // cmd takes off the outer quotes and keeps the inner ones.
        const std::string command = "\"\"" + build + "\\tools\\testdriver\\testdriver.exe\" --set \"TORNAVEL=" +
                                    build + "\\restore\\Tornavel.exe\" --set \"OUT=" + here + "\" \"" + scripts +
                                    "/" + script + "\"\"";
        return std::system(command.c_str());
    }
    std::string Content(const std::string& path) { return files.ReadFile(path).value_or("<missing>"); }

    platform::win32::Win32FileSystem files;
    platform::win32::Win32Registry registry;
    std::string base, before;
    RestoreHost fx;
};

TEST_F(TornavelDriven, ReadsTheHostFolderFromTheRegistryAndNoChangesNothing) {
    ASSERT_EQ(SetHostKey(fx.host()), 0) << "reg.exe could not write the host's install key";
    fx.Build();
    const auto built = TreeOf(files, fx.host());

    ASSERT_EQ(Drive("tornavel_answers_no.script"), 0);
    EXPECT_EQ(TreeOf(files, fx.host()), built);
    EXPECT_TRUE(files.GetAttributes(fx.H("\\audio.ini")).value_or(0) & platform::kAttrReadOnly);
}

TEST_F(TornavelDriven, ThreeButtonsRestoreTheHostsFiles) {
    ASSERT_EQ(SetHostKey(fx.host()), 0) << "reg.exe could not write the host's install key";
    fx.Build();

    ASSERT_EQ(Drive("tornavel_restores.script"), 0);
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

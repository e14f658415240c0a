// The restore tool's window and its three restores on a small host folder.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "restore/RestoreTable.h"
#include "restore/foRestore.h"
#include "services/Globals.h"
#include "services/Messages.h"
#include "services/Settings.h"
#include "tests/restore/RestoreHost.h"
#include "tests/support/DesignLayout.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using platform::FsStatus;
using vm::g;

// Refuses every copy onto one file, as a file the host holds open is refused.
class HeldFile : public FaultyFileSystem {
public:
    HeldFile(platform::FileSystemPort& inner, std::string held) : FaultyFileSystem(inner), held_(std::move(held)) {}
    FsStatus CopyFile(const std::string& from, const std::string& to) override {
        return to == held_ ? FsStatus::PermissionDenied : FaultyFileSystem::CopyFile(from, to);
    }

private:
    std::string held_;
};

class RestoreTest : public VmTest {
protected:
    RestoreTest() {
        vm::SetProgramTitle("Tornavel");
        os.registry.SetString(platform::RegRoot::LocalMachine, qvrMod::kHostInstallKey, "", "C:\\Kovarra");
        fx.Build();
    }
    ~RestoreTest() override { vm::SetProgramTitle("Velomark"); }

    // Loads the window, presses a button and gives the texts of the boxes it showed.
    std::vector<std::string> Press(ui::PushButton foRestore::*button) {
        window.Show();
        os.messageBox.shown.clear();
        (window.*button).Press();
        std::vector<std::string> texts;
        for (const auto& box : os.messageBox.shown) texts.push_back(box.text);
        return texts;
    }
    // Everything on drive C.
    std::map<std::string, std::string> Drive() { return TreeOf(os.files, "C:\\"); }
    bool ReadOnly(const std::string& path) { return os.files.GetAttributes(path).value_or(0) & platform::kAttrReadOnly; }

    RestoreHost fx{"C:"};
    foRestore window;
};

const char* kAudioQuestion = "Ready to restore audio...\n\rAre you sure?";
const char* kPhysicsQuestion = "Ready to restore Physics...\n\rAre you sure?";

TEST_F(RestoreTest, LoadReadsTheHostFolderAndFillsTheTableOfMaps) {
    EXPECT_EQ(window.Caption(), "Tornavel");
    EXPECT_EQ(window.buAudio.Caption(), "Restore audio.ini");
    EXPECT_EQ(window.buPhysics.Caption(), "restore physics.qvz");
    EXPECT_EQ(window.buTracks.Caption(), "Restore Tracks textures and phyisics");
    EXPECT_EQ(ui::DesignFaults(window), std::vector<std::string>{});
    EXPECT_EQ(LayoutFaults(*window.Design()), std::vector<std::string>{});

    window.Show();
    EXPECT_EQ(g.gHostPath, "C:\\Kovarra");
    EXPECT_EQ(g.gAudioBkpFile, "C:\\Kovarra\\audio_bkp_by_Velomark.ini");
    EXPECT_EQ(g.gPhysicsBkpFile, "C:\\Kovarra\\physics_bkp_by_Velomark.qvz");

    int inUse = 0;
    for (const auto& e : vm::restoreSwapTable) inUse += !e.code.empty();
    EXPECT_EQ(inUse, 37);
    struct Case {
        int index;
        const char* code;  // "": not registered
        int mode;
    };
    const Case cases[] = {
        /* 0 */ {10, "10_O", 1}, {15, "15_O", 1}, {16, "", 0},       // the client's 16_O is not the tool's
        /* 3 */ {20, "20_N", 2}, {36, "36_M", 3}, {41, "41_M", 4},
        /* 6 */ {56, "56_M", 2}, {66, "66_E", 2}, {71, "71_M", 2}, {100, "", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vm::restoreSwapTable[c.index].code, c.code) << c.index;
        EXPECT_EQ(vm::restoreSwapTable[c.index].mode, c.mode) << c.index;
    }
    const auto& e = vm::restoreSwapTable[71];
    EXPECT_EQ(e.texturesDir, "C:\\Kovarra\\Maps\\track-71_M_textures");
    EXPECT_EQ(e.texturesT, "C:\\Kovarra\\Maps\\track-71_M_textures_VLMK_T");
    EXPECT_EQ(e.texturesS, "C:\\Kovarra\\Maps\\track-71_M_textures_VLMK_S");
}

TEST_F(RestoreTest, AudioAndPhysicsAskFirstAndNoChangesNothing) {
    struct Case {
        ui::PushButton foRestore::*button;
        const char* question;
    };
    for (const Case& c : {Case{&foRestore::buAudio, kAudioQuestion}, Case{&foRestore::buPhysics, kPhysicsQuestion}}) {
        SCOPED_TRACE(c.question);
        const auto before = Drive();
        os.messageBox.answers = {platform::kAnswerNo};
        EXPECT_EQ(Press(c.button), std::vector<std::string>{c.question});
        EXPECT_EQ(os.messageBox.shown[0].title, "Velomark");
        EXPECT_EQ(os.messageBox.shown[0].style, platform::kMsgYesNo);
        EXPECT_EQ(Drive(), before);
        EXPECT_TRUE(ReadOnly(fx.H("\\audio.ini")));
    }
}

TEST_F(RestoreTest, AudioOverwritesAReadOnlyAudioIniAndKeepsTheBackup) {
    EXPECT_EQ(Press(&foRestore::buAudio), std::vector<std::string>{kAudioQuestion});
    EXPECT_EQ(Get(fx.H("\\audio.ini")), RestoreHost::kHostAudio);
    EXPECT_EQ(Get(fx.H("\\audio_bkp_by_Velomark.ini")), RestoreHost::kHostAudio);
}

TEST_F(RestoreTest, PhysicsReplacesThePackageAndRemovesTheBackup) {
    EXPECT_EQ(Press(&foRestore::buPhysics), std::vector<std::string>{kPhysicsQuestion});
    EXPECT_EQ(Get(fx.H("\\physics.qvz")), RestoreHost::kHostPhysics);
    EXPECT_FALSE(os.files.FileExists(fx.H("\\physics_bkp_by_Velomark.qvz")));

    // A second restore finds no backup, says so, and leaves the package alone.
    auto texts = Press(&foRestore::buPhysics);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1],
              "There is no backup to restore from:\r\nC:\\Kovarra\\physics_bkp_by_Velomark.qvz\r\nNothing was changed.");
    EXPECT_EQ(os.messageBox.shown[1].title, "Tornavel");
    EXPECT_EQ(Get(fx.H("\\physics.qvz")), RestoreHost::kHostPhysics);
}

// Renames every path of a tree that begins with from.
void Rename(std::map<std::string, std::string>& tree, const std::string& from, const std::string& to) {
    for (auto it = tree.lower_bound(from); it != tree.end() && it->first.starts_with(from);) {
        tree[to + it->first.substr(from.size())] = it->second;
        it = tree.erase(it);
    }
}

TEST_F(RestoreTest, TracksMoveTheTextureFoldersBackAndUnpackTheMaterialsWhenThereAreAny) {
    for (bool archive : {true, false}) {
        SCOPED_TRACE(archive ? "with the materials archive" : "without it");
        (void)os.files.DeleteFolder(fx.host(), true);
        fx.Build();
        if (!archive) (void)os.files.DeleteFile(fx.H("\\Maps\\MatBkp_by_vlmk.zip"), true);
        auto expected = TreeOf(os.files, fx.H("\\Maps"));
        Rename(expected, "track-71_M_textures/", "track-71_M_textures_VLMK_T/");  // mode 2: the tarmac name is free
        Rename(expected, "track-41_M_textures/", "track-41_M_textures_VLMK_S/");  // mode 4: the gravel name is taken
        if (archive) {
            expected.erase("MatBkp_by_vlmk.zip");
            expected["extra/"] = "";
            for (const auto& [rel, bytes] : RestoreHost::ArchivedMaterials()) expected[rel] = bytes;
        }
        EXPECT_EQ(Press(&foRestore::buTracks), std::vector<std::string>{});  // no question, no message
        EXPECT_EQ(TreeOf(os.files, fx.H("\\Maps")), expected);
    }
}

TEST_F(RestoreTest, AFailedRestoreKeepsItsBackupAndSaysWhatFailed) {
    // An archive entry that names a file beside "\Maps": packed under "zz/", then renamed.
    auto leaving = [this] {
        fx.PackMaterials({{"a.mat", "archived a.mat"}, {"zz/evil.mat", "evil"}});
        std::string bytes = Get(fx.H("\\Maps\\MatBkp_by_vlmk.zip"));
        for (auto at = bytes.find("zz/evil"); at != std::string::npos; at = bytes.find("zz/evil")) bytes.replace(at, 2, "..");
        (void)os.files.DeleteFile(fx.H("\\Maps\\MatBkp_by_vlmk.zip"), true);
        Put(fx.H("\\Maps\\MatBkp_by_vlmk.zip"), bytes);
    };
    auto damaged = [this] {
        std::string bytes = Get(fx.H("\\Maps\\MatBkp_by_vlmk.zip"));
        (void)os.files.DeleteFile(fx.H("\\Maps\\MatBkp_by_vlmk.zip"), true);
        Put(fx.H("\\Maps\\MatBkp_by_vlmk.zip"), bytes.substr(0, bytes.size() - 30));
    };
    HeldFile held(os.files, "C:\\Kovarra\\physics.qvz");
    struct Case {
        const char* name;
        ui::PushButton foRestore::*button;
        std::function<void()> spoil;
        const char* backup;
        const char* failure;  // the line of the message that tells it
    };
    const Case cases[] = {
        {"physics.qvz held by the host", &foRestore::buPhysics,
         [&] { platform::ports().fileSystem = &held; }, "\\physics_bkp_by_Velomark.qvz",
         "C:\\Kovarra\\physics_bkp_by_Velomark.qvz could not be copied to C:\\Kovarra\\physics.qvz."},
        {"a damaged materials archive", &foRestore::buTracks, damaged, "\\Maps\\MatBkp_by_vlmk.zip",
         "C:\\Kovarra\\Maps\\MatBkp_by_vlmk.zip could not be unpacked whole into C:\\Kovarra\\Maps."},
        {"an archive entry leaving Maps", &foRestore::buTracks, leaving, "\\Maps\\MatBkp_by_vlmk.zip",
         "C:\\Kovarra\\Maps\\MatBkp_by_vlmk.zip could not be unpacked whole into C:\\Kovarra\\Maps."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (void)os.files.DeleteFolder(fx.host(), true);
        fx.Build();
        c.spoil();
        const std::string backup = Get(fx.H(c.backup));
        auto texts = Press(c.button);
        platform::ports().fileSystem = &os.files;
        EXPECT_EQ(Get(fx.H(c.backup)), backup);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back(), "The restore is not complete:\r\n" + std::string(c.failure) +
                                    "\r\nEvery backup is kept, so the restore can be tried again.");
        EXPECT_EQ(os.messageBox.shown.back().style, platform::kMsgOk | platform::kMsgCritical);
    }
    // The refused archive wrote nothing at all.
    EXPECT_EQ(Get(fx.H("\\Maps\\a.mat")), "client a.mat");
    EXPECT_EQ(Get(fx.H("\\evil.mat")), "<missing>");
}

TEST_F(RestoreTest, AMissingBackupLeavesTheHostFileAsItWasAndSaysSo) {
    (void)os.files.SetAttributes(fx.H("\\physics.qvz"), platform::kAttrReadOnly);
    struct Case {
        ui::PushButton foRestore::*button;
        const char* backup;
        const char* file;
    };
    for (const Case& c : {Case{&foRestore::buAudio, "\\audio_bkp_by_Velomark.ini", "\\audio.ini"},
                          Case{&foRestore::buPhysics, "\\physics_bkp_by_Velomark.qvz", "\\physics.qvz"}}) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(os.files.DeleteFile(fx.H(c.backup), true), FsStatus::Ok);
        const std::string before = Get(fx.H(c.file));
        auto texts = Press(c.button);
        EXPECT_EQ(Get(fx.H(c.file)), before);
        EXPECT_TRUE(ReadOnly(fx.H(c.file)));
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[1], "There is no backup to restore from:\r\n" + fx.H(c.backup) + "\r\nNothing was changed.");
    }
}

// Without a host folder every path would start at the drive's root: "\Maps", "\audio.ini".
TEST_F(RestoreTest, NoHostFolderTouchesNothing) {
    os.registry.SetString(platform::RegRoot::LocalMachine, qvrMod::kHostInstallKey, "", "");
    for (const char* rel : {"\\audio.ini", "\\audio_bkp_by_Velomark.ini", "\\physics.qvz",
                            "\\physics_bkp_by_Velomark.qvz", "\\Maps\\MatBkp_by_vlmk.zip"})
        Put(std::string("C:") + rel, Get(fx.H(rel)));
    Put("C:\\Maps\\track-71_M_textures\\which.txt", "the root's own");
    for (auto button : {&foRestore::buAudio, &foRestore::buPhysics, &foRestore::buTracks}) {
        const auto before = Drive();
        auto texts = Press(button);
        EXPECT_EQ(g.gHostPath, "");
        EXPECT_LE(texts.size(), 1u) << "only the question";
        EXPECT_EQ(Drive(), before);
    }
}

}  // namespace
}  // namespace vmtest

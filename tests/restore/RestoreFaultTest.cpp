// The restore tool after a start of the host: the client's installation run leaves its backups
// and swaps a texture folder in, and the three restores put back what the host had. Then fault
// injection: each restore with its k-th file operation failing, for every k up to the number of
// operations the restore makes. After each, every backup is whole in its place or restored whole,
// nothing outside the host folder has changed, and a clean restore then completes the work.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "restore/foRestore.h"
#include "services/Messages.h"
#include "services/ProgramState.h"
#include "services/Settings.h"
#include "tests/preparation/InstallTestSupport.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

const char* kHostAudio = "[OPTIONS::SOUNDS]\r\nNumberChannels=32\r\n";
const char* kTextureNames[] = {"_textures", "_textures_VLMK_T", "_textures_VLMK_G", "_textures_VLMK_S"};

class RestoreAfterStart : public VmTest {
protected:
    RestoreAfterStart() {
        platform::ports().fileSystem = &faulty;
        vm::SetProgramTitle("Tornavel");
        os.registry.SetString(platform::RegRoot::LocalMachine, qvrMod::kHostInstallKey, "", fx.host());
    }
    ~RestoreAfterStart() override {
        platform::ports().fileSystem = &os.files;
        vm::SetProgramTitle("Velomark");
    }

    // The host folder after one start on stage 23 (its tarmac textures in the host's place),
    // with an audio backup: built once, copied for each run. Opens the window on it afresh.
    void Fresh() {
        faulty.FailAt(0);
        FreshFolder("C:\\vm", [this] {
            fx.Build();
            fx.Choose({.stageId = 23});
            hostPhysics = Content(fx.H("\\Physics.qvz"));
            hostMaps = Materials();
            hostTextures = Textures();
            ASSERT_EQ(StartHost("").run, 1);
            ASSERT_TRUE(os.files.FolderExists(fx.H("\\Maps\\track-23_E_textures")));
            HostFixture::Put(fx.H("\\audio.ini"), "[OPTIONS::SOUNDS]\r\nNumberChannels=8\r\n");
            HostFixture::Put(fx.H("\\audio_bkp_by_Velomark.ini"), kHostAudio);
        });
        vm::ResetProgramState();
        (void)window.Unload();
        window.Show();
        materialsArchive = Content(fx.H("\\Maps\\MatBkp_by_vlmk.zip"));
        os.messageBox.shown.clear();
    }

    // The materials and track lists below "\Maps".
    std::map<std::string, std::string> Materials() {
        auto tree = TreeOf(os.files, fx.H("\\Maps"));
        std::erase_if(tree, [](const auto& kv) {
            std::string leaf = kv.first.substr(kv.first.find_last_of('/') + 1);
            return !platform::WildcardMatch("*.mat", leaf) && !platform::WildcardMatch("*.ini", leaf);
        });
        return tree;
    }
    // The texture folders of map 23_E, wherever they stand.
    std::vector<std::map<std::string, std::string>> Textures() {
        std::vector<std::map<std::string, std::string>> trees;
        for (const char* name : kTextureNames)
            if (os.files.FolderExists(fx.H("\\Maps\\track-23_E") + name))
                trees.push_back(TreeOf(os.files, fx.H("\\Maps\\track-23_E") + name));
        std::sort(trees.begin(), trees.end());
        return trees;
    }
    // Everything on drive C but the host folder.
    std::map<std::string, std::string> Outside() {
        auto tree = TreeOf(os.files, "C:\\");
        std::erase_if(tree, [](const auto& kv) { return kv.first.starts_with("vm/Kovarra/"); });
        return tree;
    }

    // Adds a failure for every backup that is neither whole in its place nor whole in the host's.
    void ExpectRecoverable(const std::string& context) {
        EXPECT_EQ(Content(fx.H("\\audio_bkp_by_Velomark.ini")), kHostAudio) << context << ": the audio backup";
        const std::string physics = Content(fx.H("\\physics_bkp_by_Velomark.qvz"));
        EXPECT_TRUE(physics == hostPhysics || (physics == "<missing>" && Content(fx.H("\\physics.qvz")) == hostPhysics))
            << context << ": the host's physics.qvz is lost";
        const std::string archive = Content(fx.H("\\Maps\\MatBkp_by_vlmk.zip"));
        EXPECT_TRUE(archive == materialsArchive || (archive == "<missing>" && Materials() == hostMaps))
            << context << ": the host's materials are lost";
        EXPECT_EQ(Textures(), hostTextures) << context << ": a texture folder of 23_E is lost";
    }

    // Adds a failure unless the host has back what the restore puts back.
    void ExpectRestored(ui::PushButton foRestore::*button, const std::string& context) {
        if (button == &foRestore::buAudio)
            EXPECT_EQ(Content(fx.H("\\audio.ini")), kHostAudio) << context;
        else if (button == &foRestore::buPhysics)
            EXPECT_EQ(Content(fx.H("\\physics.qvz")), hostPhysics) << context;
        else {
            EXPECT_EQ(Materials(), hostMaps) << context;
            EXPECT_FALSE(os.files.FolderExists(fx.H("\\Maps\\track-23_E_textures"))) << context;
        }
    }

    int Failures() const { return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count(); }

    FaultyFileSystem faulty{os.files};
    HostFixture fx{"C:\\vm", {.allSlots = false}};
    foRestore window;
    std::string hostPhysics, materialsArchive;
    std::map<std::string, std::string> hostMaps;
    std::vector<std::map<std::string, std::string>> hostTextures;
};

TEST_F(RestoreAfterStart, TheThreeRestoresPutBackWhatTheHostHad) {
    Fresh();
    for (auto button : {&foRestore::buAudio, &foRestore::buPhysics, &foRestore::buTracks}) {
        (window.*button).Press();
        ExpectRestored(button, (window.*button).Name());
    }
    EXPECT_EQ(os.messageBox.shown.size(), 2u) << "the two questions only";
    EXPECT_EQ(Textures(), hostTextures);
    EXPECT_FALSE(os.files.FileExists(fx.H("\\physics_bkp_by_Velomark.qvz")));
    EXPECT_FALSE(os.files.FileExists(fx.H("\\Maps\\MatBkp_by_vlmk.zip")));
    EXPECT_TRUE(os.files.FileExists(fx.H("\\audio_bkp_by_Velomark.ini")));
}

struct Scenario {
    const char* name;
    const char* tag;
    ui::PushButton foRestore::*button;
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

class RestoreFaults : public RestoreAfterStart, public ::testing::WithParamInterface<Scenario> {};

TEST_P(RestoreFaults, EveryBackupStaysRecoverableWhicheverOperationFails) {
    const Scenario s = GetParam();
    Fresh();
    faulty.FailAt(0);
    (window.*s.button).Press();
    const long operations = faulty.count();
    ASSERT_GT(operations, 0);

    long survived = 0;
    for (long k = 1; k <= operations; ++k) {
        Fresh();
        const auto outside = Outside();
        const int failuresBefore = Failures();
        const std::string context = std::string(s.name) + ", operation " + std::to_string(k) + " failing";
        faulty.FailAt(k);
        (window.*s.button).Press();
        ASSERT_TRUE(faulty.injected()) << context;
        faulty.FailAt(0);
        ExpectRecoverable(context);
        EXPECT_EQ(Outside(), outside) << context << ": something outside the host folder changed";
        // Audio and physics either did their work or said they did not. (The tracks restore
        // cannot tell a folder or an archive that a failed query hid from one that is not there.)
        if (s.button != &foRestore::buTracks && os.messageBox.shown.size() == 1)
            ExpectRestored(s.button, context + ", nothing said");

        (window.*s.button).Press();
        ExpectRestored(s.button, context + ", then a clean restore");
        ExpectRecoverable(context + ", then a clean restore");
        if (Failures() == failuresBefore) ++survived;
        if (Failures() > 20) break;  // enough to go on
    }
    std::printf("[ faults   ] %s, operations 1-%ld of %ld: %ld of %ld injected faults survived\n", s.name, operations,
                operations, survived, operations);
    EXPECT_EQ(survived, operations);
}

INSTANTIATE_TEST_SUITE_P(Restores, RestoreFaults,
                         ::testing::Values(Scenario{"audio restore", "Audio", &foRestore::buAudio},
                                           Scenario{"physics restore", "Physics", &foRestore::buPhysics},
                                           Scenario{"tracks restore", "Tracks", &foRestore::buTracks}),
                         [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
}  // namespace vmtest

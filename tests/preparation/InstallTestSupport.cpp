#include "tests/preparation/InstallTestSupport.h"

#include <algorithm>

#include "catalogues/TrackTextures.h"
#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "preparation/InstallRun.h"
#include "preparation/Plugins.h"
#include "services/Globals.h"
#include "services/ZipLib.h"
#include "services/gCheck.h"
#include "tests/support/VmTest.h"

namespace vmtest {

namespace {

// The files of a tree, without its folders.
std::map<std::string, std::string> FilesOnly(std::map<std::string, std::string> tree) {
    std::erase_if(tree, [](const auto& kv) { return !kv.first.empty() && kv.first.back() == '/'; });
    return tree;
}

std::string Leaf(const std::string& rel) { return rel.substr(rel.find_last_of('/') + 1); }

bool IsMaterialOrList(const std::string& rel) {
    return platform::WildcardMatch("*.mat", Leaf(rel)) || platform::WildcardMatch("*.ini", Leaf(rel));
}

const char* kTextureMaps[] = {"16_O", "23_E"};
const char* kTextureNames[] = {"_textures", "_textures_VLMK_T", "_textures_VLMK_G", "_textures_VLMK_S"};

std::vector<std::map<std::string, std::string>> TextureTrees(const HostFixture& fx, const char* map) {
    std::vector<std::map<std::string, std::string>> trees;
    for (const char* name : kTextureNames) {
        std::string folder = fx.H("\\Maps\\track-") + map + name;
        if (platform::fileSystem().FolderExists(folder)) trees.push_back(TreeOf(platform::fileSystem(), folder));
    }
    std::sort(trees.begin(), trees.end());
    return trees;
}

}  // namespace

StartOutcome StartHost(const std::string& expectedShifterMd5, int surface) {
    (void)gCheck::SwapFolders(vm::folderSwapTable, 120);
    StartOutcome out;
    out.run = gFunc::PrepareHostInstall(static_cast<std::int16_t>(vm::g.gCar), surface);
    out.plugins = gFunc::QuarantinePlugins(expectedShifterMd5);
    return out;
}

std::map<std::string, std::string> ArchiveFiles(const std::string& archive, const std::string& scratch) {
    auto& fs = platform::fileSystem();
    if (fs.FolderExists(scratch)) (void)fs.DeleteFolder(scratch, true);
    if (!ZipLib::Unzip(archive, scratch)) return {{"<unreadable>", archive}};
    return FilesOnly(TreeOf(fs, scratch));
}

std::string Content(const std::string& path) { return platform::fileSystem().ReadFile(path).value_or("<missing>"); }

Originals::Originals(const HostFixture& fx, const std::string& scratch) : fx_(fx), scratch_(scratch) {
    auto& fs = platform::fileSystem();
    physicsPackage_ = Content(fx.H("\\Physics.qvz"));
    scriptsPackage_ = Content(fx.H("\\Scripts.qvz"));
    carList_ = Content(fx.H("\\Cars\\Cars.ini"));
    physicsFolder_ = TreeOf(fs, fx.H("\\Physics"));
    scriptsFolder_ = TreeOf(fs, fx.H("\\Scripts"));
    materials_ = FilesOnly(TreeOf(fs, fx.H("\\Maps")));
    std::erase_if(materials_, [](const auto& kv) { return !IsMaterialOrList(kv.first); });
    plugins_ = FilesOnly(TreeOf(fs, fx.H("\\Plugins")));
    for (const char* map : kTextureMaps) textures_.push_back(TextureTrees(fx, map));
}

void Originals::ExpectRecoverable(const std::string& context) const {
    auto& fs = platform::fileSystem();
    auto file = [&](const char* what, const std::string& original, const std::string& path, const std::string& backup) {
        bool backed = fs.FileExists(backup);
        if (backed) {
            EXPECT_EQ(Content(backup), original) << context << ": the backup of " << what << " is not whole";
        }
        EXPECT_TRUE(Content(path) == original || backed) << context << ": " << what << " is lost";
    };
    file("Physics.qvz", physicsPackage_, fx_.H("\\Physics.qvz"), vm::g.gPhysicsBkpFile);
    file("Scripts.qvz", scriptsPackage_, fx_.H("\\Scripts.qvz"), vm::g.gScriptsBkpFile);
    file("Cars.ini", carList_, fx_.H("\\Cars\\Cars.ini"), fx_.H("\\Cars\\Cars_vlmk.ini"));

    auto folder = [&](const char* what, const std::map<std::string, std::string>& original, const std::string& path,
                      const std::string& backup) {
        bool backed = fs.FolderExists(backup);
        if (backed) {
            EXPECT_EQ(TreeOf(fs, backup), original) << context << ": the backup of " << what << " is not whole";
        }
        EXPECT_TRUE(TreeOf(fs, path) == original || backed) << context << ": " << what << " is lost";
    };
    folder("Physics", physicsFolder_, fx_.H("\\Physics"), vm::g.gPhysicsBkpDir);
    folder("Scripts", scriptsFolder_, fx_.H("\\Scripts"), vm::g.gScriptsBkpDir);

    const std::string materialsBackup = fx_.H("\\Maps\\MatBkp_by_vlmk.zip");
    std::map<std::string, std::string> backedMaterials;
    if (fs.FileExists(materialsBackup)) {
        backedMaterials = ArchiveFiles(materialsBackup, scratch_);
        EXPECT_EQ(backedMaterials, materials_) << context << ": the materials backup is not whole";
    }
    auto maps = TreeOf(fs, fx_.H("\\Maps"));
    for (const auto& [rel, bytes] : materials_)
        EXPECT_TRUE(maps[rel] == bytes || backedMaterials[rel] == bytes) << context << ": Maps/" << rel << " is lost";

    for (const auto& [rel, bytes] : plugins_)
        EXPECT_TRUE(Content(fx_.H("\\Plugins\\") + rel) == bytes ||
                    Content(fx_.H("\\Plugins\\VLMK-BKP\\") + Leaf(rel)) == bytes)
            << context << ": Plugins/" << rel << " is lost";

    for (std::size_t i = 0; i < textures_.size(); ++i)
        EXPECT_EQ(TextureTrees(fx_, kTextureMaps[i]), textures_[i])
            << context << ": a texture folder of " << kTextureMaps[i] << " is lost";
}

}  // namespace vmtest

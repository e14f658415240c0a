#include "catalogues/FileCheckList.h"

#include "plugins/PluginDigests.h"
#include "services/Globals.h"

namespace gFill {

namespace {

// The files another party ships with the client, as it ships them: the data packages (under a
// system-library name in the Windows system folder, and under their plain name in the host
// folder for testing mode) and the host plug-in Z.dll. A rebuilt file needs its new digest here.
enum Folder { kWinDir, kHostDir };

struct ShippedFile {
    int entry;
    Folder folder;
    const char* name;      // below folder
    const char* testName;  // below gHostPath in testing mode; nullptr: as normal, with digest
    const char* md5;
};

constexpr ShippedFile kShipped[] = {
    {1, kWinDir, "\\system32\\dx32v78.dll", "\\fisiche_A8.qvz", "73045855654cbdea06c028479508ae55"},
    {2, kWinDir, "\\system32\\dx32v86.dll", "\\fisiche_N4.qvz", "e68dc7322fd55730138f95a226f99a71"},
    {3, kWinDir, "\\system32\\dx32v97.dll", "\\fisiche_A6.qvz", "807d2a7d741832ccefba4dd50c92c354"},
    {4, kWinDir, "\\system32\\dx64v97.dll", "\\fisiche_A7.qvz", "8cba12ef700916dccc83d6410031fb24"},
    {5, kWinDir, "\\system32\\dx64v78.dll", "\\fisiche_A5.qvz", "cd991947991e2d05265cd10a03860e8e"},
    {6, kWinDir, "\\system32\\dx32v86.dll", "\\fisiche_N4.qvz", "e68dc7322fd55730138f95a226f99a71"},
    {7, kWinDir, "\\system32\\dx32v97.dll", "\\fisiche_A6.qvz", "807d2a7d741832ccefba4dd50c92c354"},
    {8, kWinDir, "\\system32\\dx32v86.dll", "\\fisiche_N4.qvz", "e68dc7322fd55730138f95a226f99a71"},
    {9, kWinDir, "\\system32\\dx32v86.dll", "\\fisiche_N4.qvz", "e68dc7322fd55730138f95a226f99a71"},
    {10, kWinDir, "\\system32\\dx32v87.dll", "\\fisiche_OS.qvz", "3ddffa1d485ad305f858d331d473a00e"},
    {vm::kCheckTarmacMaterials, kWinDir, "\\system32\\bfx_r.dll", "\\mat_t.zip", "ab5cc2165ad9d5b3f20004b6c7c06fa4"},
    {vm::kCheckSnowMaterials, kWinDir, "\\system32\\cfx_r.dll", "\\mat_s.zip", "c0759697e4b44e33bc0040852105c649"},
    {vm::kCheckStockMaterials, kWinDir, "\\system32\\ofx_r.dll", "\\mat_org.zip", "b1c80a6f7283b2097f80b326c9fe8207"},
    {vm::kCheckGravelMaterials, kWinDir, "\\system32\\afx_r.dll", "\\mat_g.zip", "9612e03ccc83b4d257382d6db926cc9c"},
    {vm::kCheckScripts, kWinDir, "\\system32\\dx64v2.dll", nullptr, "fc05dccaab90c2091d2fba95a824e1b7"},
    {vm::kCheckZPlugin, kHostDir, "\\Plugins\\Z.dll", nullptr, "ca0f246882c42a19be792e8e5d419f69"},
};

// In testing mode only: the class 0 package, which has no normal entry.
constexpr const char* kTestOnlyPackage = "\\fisiche_OS.qvz";

void Set(int entry, std::string path, std::string status, std::string md5) {
    vm::fileCheckList[static_cast<std::size_t>(entry)] = {std::move(path), std::move(status), std::move(md5)};
}

}  // namespace

void FillFileCheckList() {
    const auto& g = vm::g;
    if (g.gTestSwitch) Set(0, g.gHostPath + kTestOnlyPackage, "", "");
    for (const ShippedFile& f : kShipped) {
        const std::string& base = f.folder == kHostDir ? g.gHostPath : g.gWinDir;
        if (g.gTestSwitch && f.testName)
            Set(f.entry, g.gHostPath + f.testName, "", "");
        else
            Set(f.entry, base + f.name, gCheck::kStatusInit, f.md5);
    }
    // Our own library, with the digest of the one built with this program.
    Set(vm::kCheckAvviora, g.gHostPath + "\\Plugins\\avviora.dll", gCheck::kStatusInit, vm::build::kAvvioraMd5);
}

}  // namespace gFill

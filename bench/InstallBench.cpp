// Times the preparation of the host folder for a start on a fixture of realistic size (a class
// package of about 40 MB, materials packages of a few MB, texture folders), on the in-process
// adapters, and the same file work done by stock tools (cp, mv, rm, unzip, zip -2) on a copy of
// the same files in the same run. Prints both figures and their ratio. Not a test.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "catalogues/FileCheckList.h"
#include "catalogues/TrackTextures.h"
#include "platform/native/NativePlatform.h"
#include "preparation/InstallRun.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "services/gCheck.h"
#include "tests/support/HostFixture.h"

namespace {

namespace fs = std::filesystem;

double Seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// The stock tools' version of one start: the same copies, moves, unpacks, packs and the read-back
// of the repacked package, in a shell on the host folder. first adds the one-time backups.
std::string StockStart(const fs::path& host, const fs::path& system32, bool first) {
    std::string s = "set -e; cd " + Quoted(host) + "; ";
    if (first) {
        s += "mv Physics physics_bkp_by_Velomark; cp Physics.qvz physics_bkp_by_Velomark.qvz; "
             "mv Scripts scripts_bkp_by_Velomark; cp Scripts.qvz scripts_bkp_by_Velomark.qvz; "
             "cp Cars/Cars.ini Cars/Cars_vlmk.ini; "
             "(cd Maps && zip -2 -r -q MatBkp_by_vlmk.zip . -i '*.mat' '*.ini' && unzip -tq MatBkp_by_vlmk.zip >/dev/null); ";
    }
    s += "rm -f Physics.qvz; cp " + Quoted(system32 / "dx32v78.dll") + " Physics.qvz; ";
    s += "rm -f Scripts.qvz; cp " + Quoted(system32 / "dx64v2.dll") + " Scripts.qvz; ";
    s += "unzip -q Physics.qvz -d Physics; rm Physics.qvz; ";
    s += "rm -rf Physics/Physics/c_xsara; mv Physics/Physics/C4 Physics/Physics/c_xsara; ";
    s += "cp Cars/Cars.ini Cars/Cars_Ostrani.ini; ";
    s += "mv Maps/track-16_O_textures_VLMK_T Maps/track-16_O_textures; ";
    s += "rm -f Maps/*.mat; unzip -q -o " + Quoted(system32 / "bfx_r.dll") + " -d Maps; ";
    s += "for k in setups/d_ r_ ''; do for o in gravel snow; do "
         "cp Physics/Physics/c_xsara/${k}tarmac.lsp Physics/Physics/c_xsara/${k}$o.lsp; done; done; ";
    s += "(cd Physics && zip -2 -r -q ../physics.qvz .); unzip -tq physics.qvz >/dev/null; rm -rf Physics";
    return s;
}

double Run(const std::string& script) {
    double t = 0;
    int rc = 0;
    t = Seconds([&] { rc = std::system(("bash -c " + Quoted(script)).c_str()); });
    if (rc != 0) {
        std::fprintf(stderr, "stock tools failed (%d)\n", rc);
        std::exit(1);
    }
    return t;
}

}  // namespace

int main() {
    platform::NativePlatform os;
    vm::ResetProgramState();

    vmtest::HostFixture::Sizes sizes;
    sizes.physicsFileBytes = 110 * 1024;
    sizes.extraPhysicsFiles = 50;
    sizes.incompressible = 0.7;
    sizes.materialBytes = 150 * 1024;
    sizes.extraMaterials = 20;
    sizes.textureFiles = 30;
    sizes.textureBytes = 200 * 1024;
    vmtest::HostFixture fx("C:\\bench", sizes);
    std::printf("building the fixture...\n");
    fx.Build();
    fx.Choose({});

    // The stock tools work on a copy of the same files.
    const fs::path ours = os.files.HostPath("C:\\bench"), stock = os.root() / "stock";
    fs::copy(ours, stock, fs::copy_options::recursive);
    const fs::path stockHost = stock / "Kovarra", stockSystem = stock / "Windows" / "system32";

    auto size = [&](const std::string& winPath) { return fs::file_size(os.files.HostPath(winPath)) / 1e6; };
    std::printf("class package %.1f MB, materials package %.1f MB, texture folders 4 x %d files of %zu kB\n",
                size(fx.ClassPackage(1)), size(vm::fileCheckList[vm::kCheckTarmacMaterials].path), sizes.textureFiles,
                sizes.textureBytes / 1024);

    const char* kStarts[] = {"first start (with the one-time backups)", "later start"};
    for (int i = 0; i < 2; ++i) {
        (void)gCheck::SwapFolders(vm::folderSwapTable, 120);
        std::int16_t result = 0;
        double mine = Seconds([&] { result = gFunc::PrepareHostInstall(static_cast<std::int16_t>(vm::g.gCar), 0); });
        if (result != 1) {
            std::fprintf(stderr, "the installation run failed\n");
            return 1;
        }
        if (i > 0) fs::rename(stockHost / "Maps" / "track-16_O_textures", stockHost / "Maps" / "track-16_O_textures_VLMK_T");
        double tools = Run(StockStart(stockHost, stockSystem, i == 0));
        std::printf("%s: installation run %.2f s, stock tools %.2f s, ratio %.2f\n", kStarts[i], mine, tools,
                    mine / tools);
    }
    return 0;
}

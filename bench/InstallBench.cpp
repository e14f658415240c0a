// Times what a driver waits for at a start, on a fixture of realistic size (a class package of
// about 40 MB, materials packages of a few MB, texture folders), against stock tools doing the
// same file work in the same run: the preparation of the host folder (cp, mv, rm, unzip, zip -2)
// on a first start, with the one-time backups, and on later starts; and the start-up digest
// check of the check list's files (md5sum). Prints each figure and its ratio. Not a test.
//
//   install_bench [<command that runs the Windows build's install_bench.exe>]
//       Natively: builds the fixture, times this build on the in-process adapters and the stock
//       tools; given the command (scripts/wine-run and the program), also runs the Windows
//       build under Wine on a copy of the fixture and sets its figures against the same stock
//       figures.
//   install_bench.exe <folder>
//       The Windows build: times itself, on the Win32 adapters, on the fixture built in folder
//       (a Windows path), and prints its figures as "<what> <seconds>" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "catalogues/FileCheckList.h"
#include "catalogues/TrackTextures.h"
#include "platform/AnsiText.h"
#include "platform/native/NativePlatform.h"
#include "preparation/InstallRun.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "services/gCheck.h"
#include "tests/support/HostFixture.h"
#ifdef _WIN32
#include "platform/win32/Win32Adapters.h"
#endif

namespace {

namespace fs = std::filesystem;

constexpr int kRepeats = 3;  // later starts and digest checks: the median of this many

// A driver's starts lie minutes apart. Without a journal, ext4 avoids reusing an inode freed in
// the last 30 seconds (dirty_expire_centisecs) by scanning past each one at every file created,
// so back-to-back starts would time the previous start's deletions; each start waits this long.
const double kSettleSeconds = [] {
    const char* s = std::getenv("VM_BENCH_SETTLE");
    return s ? std::atof(s) : 31.0;
}();

void Settle() { std::this_thread::sleep_for(std::chrono::duration<double>(kSettleSeconds)); }

double Seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

vmtest::HostFixture::Sizes BenchSizes() {
    vmtest::HostFixture::Sizes sizes;
    sizes.physicsFileBytes = 110 * 1024;
    sizes.extraPhysicsFiles = 50;
    sizes.incompressible = 0.7;
    sizes.materialBytes = 150 * 1024;
    sizes.extraMaterials = 20;
    sizes.textureFiles = 30;
    sizes.textureBytes = 200 * 1024;
    return sizes;
}

// What is timed on one side: a start of the host (the first one with the one-time backups), and
// the digest check. Each returns its seconds.
struct Side {
    std::function<double(bool first)> start;
    std::function<double()> digest;
};

// The figures of each side: one first start, then later starts and digest checks, the sides taking
// turns so that they meet the same state of the machine.
std::vector<std::map<std::string, double>> Measure(const std::vector<Side>& sides) {
    std::vector<std::map<std::string, double>> figures(sides.size());
    std::vector<std::vector<double>> later(sides.size()), digest(sides.size());
    for (std::size_t k = 0; k < sides.size(); ++k) {
        Settle();
        figures[k]["first"] = sides[k].start(true);
    }
    for (int i = 0; i < kRepeats; ++i)
        for (std::size_t k = 0; k < sides.size(); ++k) {
            Settle();
            later[k].push_back(sides[k].start(false));
        }
    for (int i = 0; i < kRepeats; ++i)
        for (std::size_t k = 0; k < sides.size(); ++k) digest[k].push_back(sides[k].digest());
    for (std::size_t k = 0; k < sides.size(); ++k) {
        figures[k]["later"] = Median(later[k]);
        figures[k]["digest"] = Median(digest[k]);
    }
    return figures;
}

// This build, on the installed ports and the program state of the fixture's choice.
Side ThisBuild() {
    return {[](bool) {
                (void)gCheck::SwapFolders(vm::folderSwapTable, 120);
                std::int16_t result = 0;
                const auto slot = static_cast<std::int16_t>(vm::g.gCar);
                double t = Seconds([&] { result = gFunc::PrepareHostInstall(slot, 0); });
                if (result != 1) {
                    std::fprintf(stderr, "the installation run failed\n");
                    std::exit(1);
                }
                return t;
            },
            [] { return Seconds([] { (void)gCheck::CheckFileList(vm::fileCheckList); }); }};
}

#ifdef _WIN32

int RunUnderWine(const std::string& base) {
    platform::NativePlatform os;  // the ports the run does not touch
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Profile profile;
    platform::FileSystemMd5 md5{files};
    auto& p = platform::ports();
    p.fileSystem = &files;
    p.profile = &profile;
    p.md5 = &md5;
    vm::ResetProgramState();
    vmtest::HostFixture fx(base, BenchSizes());
    fx.Choose({});
    const auto figures = Measure({ThisBuild()});
    for (const auto& [what, seconds] : figures[0]) std::printf("%s %.4f\n", what.c_str(), seconds);
    return 0;
}

#else

std::string Quoted(const fs::path& p) {
    std::string q = "'";  // appended piece by piece: "'" + text + "'" trips a false warning of g++ 12
    q += p.string();
    q += '\'';
    return q;
}

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
    int rc = 0;
    double t = Seconds([&] { rc = std::system(("bash -c " + Quoted(script)).c_str()); });
    if (rc != 0) {
        std::fprintf(stderr, "stock tools failed (%d): %s\n", rc, script.c_str());
        std::exit(1);
    }
    return t;
}

// The stock tools on their copy of the fixture.
Side StockTools(const fs::path& host, const fs::path& system32, const std::vector<fs::path>& checked) {
    std::string md5sum = "md5sum";
    for (const fs::path& f : checked) md5sum.append(" ").append(Quoted(f));
    md5sum += " >/dev/null";
    return {[=](bool first) {
                // The texture folder back, as the client does before every start.
                const fs::path maps = host / "Maps";
                if (!first) fs::rename(maps / "track-16_O_textures", maps / "track-16_O_textures_VLMK_T");
                return Run(StockStart(host, system32, first));
            },
            [=] { return Run(md5sum); }};
}

// The figures the Windows build prints under Wine, run on the fixture at host folder base.
std::map<std::string, double> TimeUnderWine(const std::string& command, const fs::path& base) {
    std::string winBase = "Z:" + base.string();
    std::replace(winBase.begin(), winBase.end(), '/', '\\');
    std::map<std::string, double> figures;
    FILE* out = popen((command + " " + Quoted(winBase)).c_str(), "r");
    if (!out) return figures;
    char what[32];
    double seconds = 0;
    while (std::fscanf(out, "%31s %lf", what, &seconds) == 2) figures[what] = seconds;
    if (pclose(out) != 0) figures.clear();
    return figures;
}

void Print(const char* build, const std::map<std::string, double>& mine, const std::map<std::string, double>& stock) {
    struct Row {
        const char* key;
        const char* what;
        const char* tools;
        double goal;
    };
    const Row rows[] = {{"later", "later start", "cp, unzip, zip -2", 0.3},
                        {"first", "first start", "cp, unzip, zip -2", 0.5},
                        {"digest", "digest check", "md5sum", 1.1}};
    for (const Row& r : rows) {
        if (!mine.count(r.key)) continue;
        double m = mine.at(r.key), s = stock.at(r.key);
        std::printf("%-13s %-17s %6.3f s   %-17s %6.3f s   ratio %.2f (goal %.1f)\n", r.what, build, m, r.tools, s,
                    m / s, r.goal);
    }
}

int RunNatively(const char* wineCommand) {
    platform::NativePlatform os;
    vm::ResetProgramState();
    vmtest::HostFixture fx("C:\\bench", BenchSizes());
    std::printf("building the fixture...\n");
    fx.Build();
    fx.Choose({});
    // Every class package the check list names, as the client ships them.
    for (const char* name : {"dx32v97.dll", "dx64v97.dll", "dx64v78.dll", "dx32v87.dll"})
        (void)os.files.CopyFile(fx.ClassPackage(1), fx.winDir() + "\\system32\\" + name);

    // The stock tools, and the Windows build, work on copies of the same files.
    const fs::path ours = os.files.HostPath("C:\\bench"), stock = os.root() / "stock", wine = os.root() / "wine";
    fs::copy(ours, stock, fs::copy_options::recursive);
    if (wineCommand) fs::copy(ours, wine, fs::copy_options::recursive);

    auto size = [&](const std::string& winPath) { return fs::file_size(os.files.HostPath(winPath)) / 1e6; };
    std::printf("class package %.1f MB, materials package %.1f MB, texture folders 4 x %d files of %zu kB\n",
                size(fx.ClassPackage(1)), size(vm::fileCheckList[vm::kCheckTarmacMaterials].path),
                BenchSizes().textureFiles, BenchSizes().textureBytes / 1024);
    std::vector<fs::path> checked;
    double checkedMb = 0;
    std::vector<std::string> seen;
    for (int i = 0; i <= gCheck::kLastVerifiedEntry; ++i) {
        const std::string& path = vm::fileCheckList[static_cast<std::size_t>(i)].path;
        if (path.empty() || !os.files.FileExists(path)) continue;
        auto same = [&](const std::string& s) { return platform::EqualsNoCase(s, path); };
        if (std::any_of(seen.begin(), seen.end(), same)) continue;
        seen.push_back(path);
        const fs::path onDisk = stock / os.files.HostPath(path).lexically_relative(ours);
        checked.push_back(onDisk);
        checkedMb += fs::file_size(onDisk) / 1e6;
    }
    std::printf("digest check: %zu files, %.0f MB; each figure below the median of %d\n\n", checked.size(),
                checkedMb, kRepeats);

    auto figures = Measure({ThisBuild(), StockTools(stock / "Kovarra", stock / "Windows" / "system32", checked)});
    const auto& tools = figures[1];
    Print("native release", figures[0], tools);
    if (wineCommand) {
        auto windows = TimeUnderWine(wineCommand, wine);
        if (windows.empty()) {
            std::fprintf(stderr, "the Windows build failed under Wine\n");
            return 1;
        }
        Print("Windows, Wine", windows, tools);
    }
    return 0;
}

#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    if (argc != 2) {
        std::fprintf(stderr, "usage: install_bench.exe <folder of a built fixture>\n");
        return 2;
    }
    return RunUnderWine(argv[1]);
#else
    return RunNatively(argc > 1 ? argv[1] : nullptr);
#endif
}

#include "preparation/Maps.h"

#include <algorithm>
#include <initializer_list>
#include <span>

#include "catalogues/CarCatalogue.h"
#include "catalogues/FileCheckList.h"
#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "preparation/FileSteps.h"
#include "services/Backups.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"

namespace gFunc {

using vm::g;

namespace {

constexpr const char* kMaterials = "*.mat";

bool IsOneOf(std::int32_t id, std::initializer_list<std::int32_t> ids) {
    for (std::int32_t i : ids)
        if (i == id) return true;
    return false;
}
bool InRange(std::int32_t id, std::int32_t first, std::int32_t last) { return id >= first && id <= last; }

// The particle set of a stage on its own surface; the first match wins.
std::string OwnParticles(std::int32_t id) {
    if (InRange(id, 10, 17)) return "Maps\\ps_arctic";
    if (InRange(id, 20, 27) || IsOneOf(id, {71, 90})) return "Maps\\ps_british";
    if (InRange(id, 30, 37)) return "Maps\\PS_Australia";
    if (InRange(id, 41, 48) || id == 114) return "Maps\\ps_montblanc";
    if (InRange(id, 50, 57)) return "Maps\\ps_japan";
    if (InRange(id, 60, 67)) return "Maps\\ps_usa";
    if (IsOneOf(id, {92, 96})) return "Maps\\ps_montblanc";
    if (IsOneOf(id, {107, 200, 771})) return "Maps\\PS_british";
    if (InRange(id, 772, 776)) return "Maps\\ps_montblanc";
    if (id == 1000) return "Maps\\PS_Australia";
    return "";
}

struct SuffixData {
    const char* suffix;
    int package;            // fileCheckList entry of its materials
    const char* particles;  // nullptr: the stage's own
    const char* surface;    // the surface whose setups are copied; nullptr: none
    const char* others[2];  // the surfaces they are copied over
};
constexpr SuffixData kSuffixes[] = {
    {kSuffixOwn, vm::kCheckStockMaterials, nullptr, nullptr, {}},
    {kSuffixTarmac, vm::kCheckTarmacMaterials, "Maps\\ps_montblanc", "tarmac", {"gravel", "snow"}},
    {kSuffixGravel, vm::kCheckGravelMaterials, "Maps\\ps_british", "gravel", {"tarmac", "snow"}},
    {kSuffixSnow, vm::kCheckSnowMaterials, "Maps\\ps_arctic", "snow", {"tarmac", "gravel"}},
};

const SuffixData* FindSuffix(const std::string& suffix) {
    for (const SuffixData& s : kSuffixes)
        if (suffix == s.suffix) return &s;
    return nullptr;
}

// The one-time backup of the host's "*.mat" and "*.ini" below "\Maps", read back whole before
// it takes its name.
void KeepMaterialsOnce(const std::string& maps) {
    const std::string backup = HostPath(vm::backups::kMaterials);
    if (platform::fileSystem().FileExists(backup)) return;
    WriteBackup(backup, [&](const std::string& temporary) {
        Strict::Zip(temporary, maps + "\\" + kMaterials, 2);
        Strict::Zip(temporary, maps + "\\*.ini", 2);
        Strict::VerifyArchive(temporary, maps, {kMaterials, "*.ini"});
    });
}

// Deletes the materials directly in "\Maps". The names are matched as the backup matched them;
// no material at all is nothing to delete.
void DeleteMaterials(const std::string& maps) {
    for (const platform::DirEntry& e : Strict::List(maps))
        if (!e.isFolder && platform::WildcardMatch(kMaterials, e.name)) Strict::DeleteFile(e.path, false);
}

}  // namespace

std::string SurfaceSuffix(std::int32_t surface, std::int32_t country) {
    switch (surface) {
        case 0: return IsOneOf(country, {3, 6, 7, 8}) ? kSuffixOwn : kSuffixTarmac;
        case 1: return IsOneOf(country, {0, 3, 6}) ? kSuffixGravel : kSuffixOwn;
        case 2: return country != 0 ? kSuffixSnow : kSuffixOwn;
        default: return kSuffixOwn;
    }
}

std::string TrackCode() {
    static constexpr std::int32_t kO[] = {10, 11, 12, 13, 14, 15, 16, 17, 21, 24, 25, 26, 55, 107};
    static constexpr std::int32_t kN[] = {20, 22, 33, 35, 37, 43, 45, 47, 51, 53, 57, 63, 65, 200, 772, 773, 774, 775, 776};
    static constexpr std::int32_t kE[] = {23, 27, 31, 34, 44, 46, 48, 64, 66, 67, 96};
    static constexpr std::int32_t kM[] = {30, 32, 36, 41, 42, 50, 52, 54, 56, 60, 61, 62, 71, 90, 92, 94, 114, 771, 1000};
    static constexpr std::pair<char, std::span<const std::int32_t>> kLetters[] = {{'O', kO}, {'N', kN}, {'E', kE}, {'M', kM}};
    const std::int32_t id = g.gStageId;
    for (const auto& [letter, ids] : kLetters)
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) return std::to_string(id) + "_" + letter;
    return "";
}

std::int16_t PrepareMaps(std::int16_t slot, std::int32_t surface) {
    RequireHostPath();
    if (surface == kNoSurface) Fail("PrepareMaps", "no surface chosen");
    const std::string maps = HostPath("\\Maps");
    for (const platform::DirEntry& e : Strict::List(maps))
        if (!e.isFolder) Strict::SetAttributes(e.path, platform::kAttrNormal);
    KeepMaterialsOnce(maps);
    const std::string suffix = SurfaceSuffix(surface, g.gCountry);
    std::int16_t r = SwapTrackTextures(suffix);
    if (r > 0) r = InstallMaterials(suffix);
    if (r > 0) r = SwapSurfaceSetups(suffix, slot);
    return r;
}

std::int16_t SwapTrackTextures(const std::string& suffix) {
    RequireHostPath();
    const std::string folder = HostPath("\\Maps\\track-" + TrackCode() + "_textures");
    if (suffix != kSuffixOwn) Strict::MoveFolder(folder + suffix, folder);
    return 1;
}

std::int16_t InstallMaterials(const std::string& suffix) {
    RequireHostPath();
    const SuffixData* data = FindSuffix(suffix);
    const std::string maps = HostPath("\\Maps");
    std::int16_t result = 0;
    const std::string package = data ? vm::fileCheckList[static_cast<std::size_t>(data->package)].path : "";
    if (!package.empty() && platform::fileSystem().FileExists(package)) {
        DeleteMaterials(maps);
        Strict::Unzip(package, maps);
        result = 1;
    }
    const std::string particles = !data ? "" : data->particles ? data->particles : OwnParticles(g.gStageId);
    g.gIniFile = maps + "\\Tracks.ini";
    Strict::SetAttributes(g.gIniFile, platform::kAttrNormal);
    const std::string section = "Map" + std::to_string(g.gHostTrackId);
    ReadWrite::WriteINI(section, "TrackName", " \"Maps\\track-" + std::to_string(g.gStageId) + "\"");
    ReadWrite::WriteINI(section, "Particles", " \"" + particles + "\"");
    return result;
}

std::int16_t SwapSurfaceSetups(const std::string& suffix, std::int16_t slot) {
    if (g.gHostPath.empty()) return 0;
    auto& fs = platform::fileSystem();
    const std::string folder = HostPath("\\Physics\\Physics\\") + vm::HostSlotFolder(slot);
    static constexpr const char* kKinds[] = {"\\setups\\d_", "\\r_", "\\"};
    for (const char* kind : kKinds)
        for (const char* surface : {"gravel", "snow", "tarmac"})
            (void)fs.SetAttributes(folder + kind + surface + ".lsp", platform::kAttrNormal);
    const SuffixData* data = FindSuffix(suffix);
    if (!data || !data->surface) return 1;
    for (const char* other : data->others)
        for (const char* kind : kKinds)
            (void)fs.CopyFile(folder + kind + data->surface + ".lsp", folder + kind + other + ".lsp");
    return 1;
}

}  // namespace gFunc

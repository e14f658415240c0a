#include "restore/HostRestore.h"

#include <optional>

#include "platform/Ports.h"
#include "restore/RestoreTable.h"
#include "services/Backups.h"
#include "services/Globals.h"
#include "services/ZipLib.h"
#include "services/gCheck.h"

namespace Restore {

namespace {

using platform::FsStatus;
using vm::g;

Outcome Failure(std::string what) { return {Outcome::Failed, std::move(what)}; }

// Copies backup over target, made writable first. Done only when target then reads back as
// the backup's bytes.
Outcome CopyBack(const std::string& backup, const std::string& target) {
    if (g.gHostPath.empty()) return {Outcome::NoHostFolder, {}};
    auto& fs = platform::fileSystem();
    if (!fs.FileExists(backup)) return {Outcome::NoBackup, backup};
    if (fs.FileExists(target) && fs.SetAttributes(target, platform::kAttrNormal) != FsStatus::Ok)
        return Failure(target + " could not be made writable.");
    if (fs.CopyFile(backup, target) != FsStatus::Ok) return Failure(backup + " could not be copied to " + target + ".");
    auto original = fs.ReadFile(backup);
    auto copy = fs.ReadFile(target);
    if (!original || !copy || *copy != *original) return Failure(target + " does not read back as " + backup + ".");
    return {};
}

// Puts the archived materials back into maps; what failed, or nothing.
std::optional<std::string> UnpackMaterials(const std::string& archive, const std::string& maps) {
    auto& fs = platform::fileSystem();
    auto listing = fs.List(maps);
    if (!listing) return maps + " could not be listed.";
    for (const platform::DirEntry& e : *listing)
        if (!e.isFolder && fs.SetAttributes(e.path, platform::kAttrNormal) != FsStatus::Ok)
            return e.path + " could not be made writable.";
    if (!ZipLib::Unzip(archive, maps)) return archive + " could not be unpacked whole into " + maps + ".";
    return std::nullopt;
}

}  // namespace

Outcome RestoreAudio() { return CopyBack(g.gAudioBkpFile, g.gHostPath + "\\audio.ini"); }

Outcome RestorePhysics() {
    Outcome out = CopyBack(g.gPhysicsBkpFile, g.gHostPath + "\\physics.qvz");
    // A backup that cannot be deleted is still the host's own package: it can stay.
    if (out.kind == Outcome::Done) (void)platform::fileSystem().DeleteFile(g.gPhysicsBkpFile, false);
    return out;
}

Outcome RestoreTracks() {
    if (g.gHostPath.empty()) return {Outcome::NoHostFolder, {}};
    auto& fs = platform::fileSystem();
    std::string failed;
    if (gCheck::SwapFolders(vm::restoreSwapTable, vm::kLastRestoreScanned) == gCheck::kSwapRefused)
        failed += "A texture folder could not be moved back.";
    const std::string archive = g.gHostPath + vm::backups::kMaterials;
    if (fs.FileExists(archive)) {
        if (auto problem = UnpackMaterials(archive, g.gHostPath + "\\Maps"))
            failed += (failed.empty() ? "" : "\r\n") + *problem;
        else
            (void)fs.DeleteFile(archive, false);  // a leftover archive still holds the host's own
    }
    if (failed.empty()) return {};
    return Failure(failed);
}

}  // namespace Restore

#include "services/gCheck.h"

#include <algorithm>
#include <vector>

#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/MD5FP.h"
#include "services/Messages.h"
#include "services/TextNumbers.h"

namespace gCheck {

namespace {

// The entries 0..lastIndex that the table holds.
template <class T>
std::span<T> Scanned(std::span<T> table, int lastIndex) {
    if (lastIndex < 0) return {};
    return table.first(std::min<std::size_t>(table.size(), static_cast<std::size_t>(lastIndex) + 1));
}

}  // namespace

std::string FileTimeToText(const platform::LocalTime& t) {
    return std::to_string(t.day) + "/" + std::to_string(t.month) + "/" + std::to_string(t.year) + "**" +
           std::to_string(t.minute) + "." + std::to_string(t.second);
}

std::optional<std::string> GetFileDate(const std::string& fileName) {
    if (vm::TrimBlanks(fileName).empty()) {
        vm::ShowMessage("Non \xE8 stato selezionato nessun file", platform::kMsgOk);
        return std::nullopt;
    }
    auto written = platform::fileSystem().LastWriteTime(fileName);
    if (!written) return std::nullopt;
    return FileTimeToText(*written);
}

namespace {

std::string StatusOf(const std::optional<std::string>& digest, const std::string& expected) {
    if (digest && *digest == expected) return kStatusOk;
    return digest.value_or(std::string(32, ' ')) + kStatusError;
}

}  // namespace

std::string CheckFileMD5(const std::string& fileName, const std::string& expected) {
    return StatusOf(MD5FP::FileMD5(fileName), expected);
}

int CheckFileList(std::span<FileCheck> list) {
    // The digests first, several files at once; then each entry's status, in order.
    std::vector<FileCheck*> verified;
    std::vector<std::string> files;
    for (FileCheck& entry : Scanned(list, kLastVerifiedEntry)) {
        if (entry.path.empty()) continue;
        verified.push_back(&entry);
        files.push_back(entry.path);
    }
    const auto digests = MD5FP::FileMD5s(files);
    int result = kListPassed;
    for (std::size_t i = 0; i < verified.size(); ++i) {
        verified[i]->status = StatusOf(digests[i], verified[i]->md5);
        if (verified[i]->status != kStatusOk && !vm::g.gTestSwitch) result = kListFailed;
    }
    return result;
}

int CheckPhysicsDate() {
    auto now = platform::fileSystem().LastWriteTime(vm::g.gHostPath + "\\physics.qvz");
    const auto& expected = vars.gPhysicsDate;
    return now && expected && FileTimeToText(*now) == *expected ? 1 : 0;
}

int CheckHostExe() { return platform::fileSystem().FileExists(vm::g.gHostPath + "\\Kovarra_SSE.exe") ? 1 : 0; }

FolderSwap MakeFolderSwap(const std::string& code, std::int16_t mode) {
    FolderSwap e;
    e.code = code;
    e.mode = mode;
    e.texturesDir = vm::g.gHostPath + "\\Maps\\track-" + code + "_textures";
    e.texturesT = e.texturesDir + "_VLMK_T";
    e.texturesG = e.texturesDir + "_VLMK_G";
    e.texturesS = e.texturesDir + "_VLMK_S";
    return e;
}

int SwapFoldersFree(std::span<const FolderSwap> table, int lastIndex) {
    auto& fs = platform::fileSystem();
    int result = 1;
    for (const FolderSwap& e : Scanned(table, lastIndex))
        if (!e.code.empty() && fs.FolderExists(e.texturesDir)) result = 0;
    return result;
}

int SwapFolders(std::span<const FolderSwap> table, int lastIndex) {
    auto& fs = platform::fileSystem();
    int result = kSwapNothing;
    bool refused = false;
    for (const FolderSwap& e : Scanned(table, lastIndex)) {
        if (e.code.empty() || e.mode < 1 || e.mode > 4 || !fs.FolderExists(e.texturesDir)) continue;
        const std::string& first = e.mode == 4 ? e.texturesG : e.texturesT;
        const std::string* to = &first;
        if (fs.FolderExists(first)) {
            if (e.mode == 2) {
                result = kSwapTarmacTaken;
                continue;
            }
            to = e.mode == 1 ? &e.texturesG : &e.texturesS;
        }
        if (fs.MoveFolder(e.texturesDir, *to) == platform::FsStatus::Ok)
            result = kSwapMoved;
        else
            refused = true;
    }
    return refused ? kSwapRefused : result;
}

}  // namespace gCheck

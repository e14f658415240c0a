// Start-up and start checks of the client's files, and the moves that put the track-texture
// folders back under their variant names (module gCheck).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/Clock.h"
#include "services/ProgramState.h"

namespace vm {

// One file of the data-file check list.
struct FileCheck {
    std::string path;    // full file name; empty for an entry not in use
    std::string status;  // "INIT", then "OK!" or the computed digest followed by "error!"
    std::string md5;     // expected digest, 32 lower-case hexadecimal digits
};

// One map of a track-texture folder table.
struct FolderSwap {
    std::string code;       // map code ("23_E"); empty for an entry not in use
    std::int16_t mode = 0;  // 1..4: which variant names the folder goes back to
    std::string texturesDir;  // the folder the host reads
    std::string texturesT, texturesG, texturesS;  // its tarmac, gravel and snow variants
};

}  // namespace vm

namespace gCheck {

using vm::FileCheck;
using vm::FolderSwap;

inline constexpr const char* kStatusInit = "INIT";
inline constexpr const char* kStatusOk = "OK!";
inline constexpr const char* kStatusError = "error!";

// Results of CheckFileList.
inline constexpr int kListFailed = 0;
inline constexpr int kListPassed = 3;
// CheckFileList verifies the entries 0 to this one.
inline constexpr int kLastVerifiedEntry = 16;

// Results of SwapFolders.
inline constexpr int kSwapNothing = 0;        // no folder stood in the host's place
inline constexpr int kSwapMoved = 1;          // the last event was a move
inline constexpr int kSwapTarmacTaken = 99;   // the last event was a mode 2 map whose tarmac variant exists
inline constexpr int kSwapRefused = -1;       // at least one move was refused; the others were made

struct State {
    // The physics package's date right after the installation run; nothing when it had none.
    std::optional<std::string> gPhysicsDate;
};
inline vm::ProgramWide<State> vars;

// Returns a local time as day/month/year**minute.second, numbers without leading zeros.
std::string FileTimeToText(const platform::LocalTime& t);

// Returns the FileTimeToText of a file's last-write time, read without opening the file, or
// nothing when it has none (missing file). A blank name shows a message and gives nothing.
std::optional<std::string> GetFileDate(const std::string& fileName);

// Returns "OK!" when the file's digest is the expected one (case counts), otherwise the computed
// digest followed by "error!" (32 blanks in place of the digest when the file cannot be read).
std::string CheckFileMD5(const std::string& fileName, const std::string& expected);

// Verifies every entry 0..16 of the list that has a path and writes its status. Returns 3 when
// all matched or testing mode is on, otherwise 0.
int CheckFileList(std::span<FileCheck> list);

// Returns 1 when the host's physics package has the date gPhysicsDate, otherwise 0; a missing
// date on either side never matches.
int CheckPhysicsDate();

// Returns 1 when the host's executable exists, otherwise 0.
int CheckHostExe();

// Returns the entry of a map code with its four folder paths built on gHostPath.
FolderSwap MakeFolderSwap(const std::string& code, std::int16_t mode);

// Returns 1 when no entry 0..lastIndex in use has its folder in the host's place, otherwise 0.
int SwapFoldersFree(std::span<const FolderSwap> table, int lastIndex);

// Moves every folder in the host's place of entries 0..lastIndex back to a free variant name.
// Returns kSwapRefused when a move was refused (after trying all the others), otherwise the
// outcome of the last entry that moved or found its tarmac variant taken, or kSwapNothing.
int SwapFolders(std::span<const FolderSwap> table, int lastIndex);

}  // namespace gCheck

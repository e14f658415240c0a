// How the preparation of the host folder meets a failed file operation. There are two ways:
//
// - Procedures that stop at their first failure (the package, maps and plug-in procedures) use
//   the operations of Strict. A failed operation raises FileError, which ends the procedure at
//   that point (what it did before stays done) and hands the failure up to its caller.
// - The installation run goes on past a failed step. StepRunner runs each step, catches the
//   failure the step raised, records it with the step's progress code and goes on.
//
// Every operation can fail, and the one-time backups may be the only copy of the driver's own
// files: a backup is written under a temporary name and renamed into place only when complete.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "services/ZipLib.h"

namespace gFunc {

// A file operation that failed.
struct FileFailure {
    std::string operation;  // "CopyFile", "Unzip", ...
    std::string path;       // the path it failed on (the source for a copy or a move)
    platform::FsStatus status = platform::FsStatus::Failed;
};

// "CopyFile C:\Kovarra\Physics.qvz: PathNotFound".
std::string Describe(const FileFailure& failure);

// Raised by the operations of Strict; carries the failure up to the caller.
class FileError : public std::runtime_error {
public:
    explicit FileError(FileFailure failure);
    const FileFailure& failure() const { return failure_; }

private:
    FileFailure failure_;
};

// Raises FileError.
[[noreturn]] void Fail(std::string operation, std::string path,
                       platform::FsStatus status = platform::FsStatus::Failed);

// Raises FileError when gHostPath is empty, so that no host path can turn into a drive root.
void RequireHostPath();

// gHostPath followed by rel, which begins with a backslash.
std::string HostPath(const std::string& rel);

// The file operations of the procedures that stop at their first failure: each raises
// FileError when the file system reports a failure.
namespace Strict {
void CopyFile(const std::string& from, const std::string& to);
void MoveFile(const std::string& from, const std::string& to);
void DeleteFile(const std::string& path, bool force);
void CreateFolder(const std::string& path);
void DeleteFolder(const std::string& path, bool force);
void MoveFolder(const std::string& from, const std::string& to);
void SetAttributes(const std::string& path, std::uint32_t attributes);
void WriteFile(const std::string& path, const std::string& bytes);
std::vector<platform::DirEntry> List(const std::string& folder);
// Unpacks an archive below a folder, its folders restored. keep, when given, holds the archive
// afterwards, for a later Zip to take unchanged entries from.
void Unzip(const std::string& archive, const std::string& targetFolder, ZipLib::Archive* keep = nullptr);
// Packs a folder and mask recursively into an archive (added to when it exists); files that are
// still the content of an entry of reuse go in with that entry's compressed bytes.
void Zip(const std::string& archive, const std::string& pattern, int level, const ZipLib::Archive* reuse = nullptr);
// Reads an archive back whole: every entry's data checks against its CRC, and every file below
// folder that matches one of the masks has an entry of its relative name. An entry that is byte
// for byte one that checked already checked passes without being inflated again.
void VerifyArchive(const std::string& archive, const std::string& folder,
                   std::initializer_list<const char*> masks, const ZipLib::Archive* checked = nullptr);
}  // namespace Strict

// The name a file is written under until it is complete.
std::string TemporaryName(const std::string& path);

// Writes a one-time backup that does not exist yet: make(temporary) writes it under its
// temporary name (a stale one from an earlier attempt is removed first), and only when that
// succeeded it is renamed to backup. A failure removes the temporary file and raises FileError;
// nothing is then left under the backup's name. An existing backup makes the rename fail.
void WriteBackup(const std::string& backup, const std::function<void(const std::string& temporary)>& make);

// Keeps a one-time copy of a file: when backup does not exist, copies original to it through
// WriteBackup. An existing backup is never refreshed.
void KeepOnce(const std::string& original, const std::string& backup);

// A step of the run that failed: its progress code and what failed.
struct StepFailure {
    std::string code;
    std::string what;
};

// The run that goes on past a failed step.
class StepRunner {
public:
    // Writes the progress code into the host's settings file, then, when enabled, runs the
    // step. A failure the step raises is recorded and written to the run log, and the run goes
    // on. Returns true when the step ran to its end; false when it failed or was not enabled
    // (a step whose input an earlier failure left missing writes its code and does nothing).
    bool Run(const std::string& code, const std::function<void()>& step, bool enabled = true);
    // Records a failure found outside a step.
    void Record(const std::string& code, const std::string& what);

    const std::vector<StepFailure>& failures() const { return failures_; }

private:
    std::vector<StepFailure> failures_;
};

}  // namespace gFunc

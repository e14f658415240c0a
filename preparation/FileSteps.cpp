#include "preparation/FileSteps.h"

#include <set>

#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "services/ZipLib.h"
#include "services/gLog.h"

namespace gFunc {

using platform::FsStatus;

namespace {

const char* StatusName(FsStatus s) {
    switch (s) {
        case FsStatus::Ok: return "Ok";
        case FsStatus::FileNotFound: return "FileNotFound";
        case FsStatus::PathNotFound: return "PathNotFound";
        case FsStatus::AlreadyExists: return "AlreadyExists";
        case FsStatus::PermissionDenied: return "PermissionDenied";
        case FsStatus::Failed: break;
    }
    return "Failed";
}

void Check(FsStatus s, const char* operation, const std::string& path) {
    if (s != FsStatus::Ok) Fail(operation, path, s);
}

// Every file below folder whose name matches one of the masks, by its path relative to folder
// ("/" between folders, upper case).
void CollectFiles(const std::string& folder, const std::string& rel, std::initializer_list<const char*> masks,
                  std::set<std::string>& out) {
    for (const platform::DirEntry& e : Strict::List(folder)) {
        std::string name = rel.empty() ? e.name : rel + "/" + e.name;
        if (e.isFolder) {
            CollectFiles(e.path, name, masks, out);
            continue;
        }
        for (const char* mask : masks)
            if (platform::WildcardMatch(mask, e.name)) out.insert(platform::AnsiUpper(name));
    }
}

}  // namespace

std::string Describe(const FileFailure& f) {
    return f.operation + (f.path.empty() ? "" : " " + f.path) + ": " + StatusName(f.status);
}

FileError::FileError(FileFailure failure) : std::runtime_error(Describe(failure)), failure_(std::move(failure)) {}

void Fail(std::string operation, std::string path, FsStatus status) {
    throw FileError(FileFailure{std::move(operation), std::move(path), status});
}

void RequireHostPath() {
    if (vm::g.gHostPath.empty()) Fail("host folder", "(empty)", FsStatus::PathNotFound);
}

std::string HostPath(const std::string& rel) { return vm::g.gHostPath + rel; }

namespace Strict {

void CopyFile(const std::string& from, const std::string& to) {
    Check(platform::fileSystem().CopyFile(from, to), "CopyFile", from);
}
void MoveFile(const std::string& from, const std::string& to) {
    Check(platform::fileSystem().MoveFile(from, to), "MoveFile", from);
}
void DeleteFile(const std::string& path, bool force) {
    Check(platform::fileSystem().DeleteFile(path, force), "DeleteFile", path);
}
void CreateFolder(const std::string& path) { Check(platform::fileSystem().CreateFolder(path), "CreateFolder", path); }
void DeleteFolder(const std::string& path, bool force) {
    Check(platform::fileSystem().DeleteFolder(path, force), "DeleteFolder", path);
}
void MoveFolder(const std::string& from, const std::string& to) {
    Check(platform::fileSystem().MoveFolder(from, to), "MoveFolder", from);
}
void SetAttributes(const std::string& path, std::uint32_t attributes) {
    Check(platform::fileSystem().SetAttributes(path, attributes), "SetAttributes", path);
}
void WriteFile(const std::string& path, const std::string& bytes) {
    Check(platform::fileSystem().WriteFile(path, bytes), "WriteFile", path);
}

std::vector<platform::DirEntry> List(const std::string& folder) {
    auto listing = platform::fileSystem().List(folder);
    if (!listing) Fail("List", folder, FsStatus::PathNotFound);
    return std::move(*listing);
}

void Unzip(const std::string& archive, const std::string& targetFolder, ZipLib::Archive* keep) {
    ZipLib::Archive read;
    ZipLib::Archive& a = keep ? *keep : read;
    if (targetFolder.empty() || !a.Open(archive) || !ZipLib::Unzip(a, targetFolder)) Fail("Unzip", archive);
}

void Zip(const std::string& archive, const std::string& pattern, int level, const ZipLib::Archive* reuse) {
    if (!ZipLib::Zip(archive, pattern, level, {.reuse = reuse})) Fail("Zip", pattern);
}

void VerifyArchive(const std::string& archive, const std::string& folder, std::initializer_list<const char*> masks,
                   const ZipLib::Archive* checked) {
    auto entries = ZipLib::TestArchive(archive, {.checked = checked});
    if (!entries) Fail("TestArchive", archive);
    std::set<std::string> packed, files;
    for (const ZipLib::Entry& e : *entries)
        if (!e.IsFolder()) packed.insert(platform::AnsiUpper(e.name));
    CollectFiles(folder, "", masks, files);
    for (const std::string& name : files)
        if (!packed.count(name)) Fail("TestArchive", archive + " (no " + name + ")");
}

}  // namespace Strict

std::string TemporaryName(const std::string& path) { return path + ".vlmk-part"; }

void WriteBackup(const std::string& backup, const std::function<void(const std::string&)>& make) {
    if (backup.empty()) Fail("backup", "(no name)", FsStatus::PathNotFound);
    auto& fs = platform::fileSystem();
    const std::string temporary = TemporaryName(backup);
    try {
        if (fs.FileExists(temporary)) Strict::DeleteFile(temporary, true);
        make(temporary);
        Strict::MoveFile(temporary, backup);
    } catch (const FileError&) {
        (void)fs.DeleteFile(temporary, true);
        throw;
    }
}

void KeepOnce(const std::string& original, const std::string& backup) {
    if (platform::fileSystem().FileExists(backup)) return;
    WriteBackup(backup, [&](const std::string& temporary) { Strict::CopyFile(original, temporary); });
}

bool StepRunner::Run(const std::string& code, const std::function<void()>& step, bool enabled) {
    SetHostDebugCode(code);
    if (!enabled) return false;
    try {
        step();
        return true;
    } catch (const std::exception& e) {  // a file failure, or a control or memory error
        Record(code, e.what());
        return false;
    }
}

void StepRunner::Record(const std::string& code, const std::string& what) {
    failures_.push_back({code, what});
    gLog::WriteLog("Host preparation step " + code + " failed: " + what);
}

}  // namespace gFunc

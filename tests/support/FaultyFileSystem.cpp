#include "tests/support/FaultyFileSystem.h"

#include "platform/AnsiText.h"

namespace vmtest {

using platform::FsStatus;

bool FaultyFileSystem::Fails() {
    if (++count_ != failAt_) return false;
    injected_ = true;
    return true;
}

FsStatus FaultyFileSystem::TornWrite(const std::string& path, const std::string& bytes) {
    (void)inner_.WriteFile(path, bytes.substr(0, bytes.size() / 2));
    return FsStatus::Failed;
}

bool FaultyFileSystem::FileExists(const std::string& path) { return !Fails() && inner_.FileExists(path); }
bool FaultyFileSystem::FolderExists(const std::string& path) { return !Fails() && inner_.FolderExists(path); }

FsStatus FaultyFileSystem::CopyFile(const std::string& from, const std::string& to) {
    const bool chosen = !failSource_.empty() && platform::EqualsNoCase(from, failSource_);
    if (!Fails() && !chosen) return inner_.CopyFile(from, to);
    injected_ = true;
    auto bytes = inner_.ReadFile(from);
    return bytes ? TornWrite(to, *bytes) : FsStatus::Failed;
}
FsStatus FaultyFileSystem::MoveFile(const std::string& from, const std::string& to) {
    return Fails() ? FsStatus::Failed : inner_.MoveFile(from, to);
}
FsStatus FaultyFileSystem::DeleteFile(const std::string& pathOrPattern, bool force) {
    return Fails() ? FsStatus::PermissionDenied : inner_.DeleteFile(pathOrPattern, force);
}
FsStatus FaultyFileSystem::CreateFolder(const std::string& path) {
    return Fails() ? FsStatus::Failed : inner_.CreateFolder(path);
}
FsStatus FaultyFileSystem::DeleteFolder(const std::string& path, bool force) {
    return Fails() ? FsStatus::PermissionDenied : inner_.DeleteFolder(path, force);
}
FsStatus FaultyFileSystem::MoveFolder(const std::string& from, const std::string& to) {
    return Fails() ? FsStatus::PermissionDenied : inner_.MoveFolder(from, to);
}
std::optional<std::vector<platform::DirEntry>> FaultyFileSystem::List(const std::string& folder) {
    if (Fails()) return std::nullopt;
    return inner_.List(folder);
}
std::optional<std::uint32_t> FaultyFileSystem::GetAttributes(const std::string& path) {
    if (Fails()) return std::nullopt;
    return inner_.GetAttributes(path);
}
FsStatus FaultyFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    return Fails() ? FsStatus::PermissionDenied : inner_.SetAttributes(path, attributes);
}
std::optional<platform::LocalTime> FaultyFileSystem::LastWriteTime(const std::string& path) {
    if (Fails()) return std::nullopt;
    return inner_.LastWriteTime(path);
}
std::optional<std::string> FaultyFileSystem::ReadFile(const std::string& path) {
    if (Fails()) return std::nullopt;
    return inner_.ReadFile(path);
}
FsStatus FaultyFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    return Fails() ? TornWrite(path, bytes) : inner_.WriteFile(path, bytes);
}
std::unique_ptr<platform::AppendStream> FaultyFileSystem::OpenAppend(const std::string& path) {
    if (Fails()) return nullptr;
    return inner_.OpenAppend(path);
}

}  // namespace vmtest

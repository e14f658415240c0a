// In-process file system for native runs and tests: Windows paths ("C:\Kovarra\Maps") map onto
// a folder of the host machine (<root>/C/Kovarra/Maps). Names are looked up without regard to
// case and stored in UTF-8 on the host side; attributes live in memory, because the host's
// permission bits do not bind a root user.
#pragma once
#include <filesystem>
#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

class NativeFileSystem : public FileSystemPort {
public:
    explicit NativeFileSystem(std::filesystem::path root);

    // Returns the host path that a Windows path maps to, matching existing names case-blind.
    std::filesystem::path HostPath(const std::string& winPath) const;
    // Returns the Windows path in canonical form: drive, backslashes, "." and ".." resolved.
    static std::string Normalize(const std::string& winPath);
    // Sets a file's last-write time (local time), for fixtures.
    bool SetLastWriteTime(const std::string& path, const LocalTime& t);

    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    FsStatus CopyFile(const std::string& from, const std::string& to) override;
    FsStatus MoveFile(const std::string& from, const std::string& to) override;
    FsStatus DeleteFile(const std::string& pathOrPattern, bool force) override;
    FsStatus CreateFolder(const std::string& path) override;
    FsStatus DeleteFolder(const std::string& path, bool force) override;
    FsStatus MoveFolder(const std::string& from, const std::string& to) override;
    std::optional<std::vector<DirEntry>> List(const std::string& folder) override;
    std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
    FsStatus SetAttributes(const std::string& path, std::uint32_t attributes) override;
    std::optional<LocalTime> LastWriteTime(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    // Several at once: ReadFile keeps no state of its own.
    std::vector<std::optional<std::string>> ReadFiles(const std::vector<std::string>& paths) override;
    bool ReadPieces(const std::string& path, std::size_t pieceBytes,
                    const std::function<void(std::string_view)>& take) override;
    FsStatus WriteFile(const std::string& path, const std::string& bytes) override;
    // Several at once: WriteFile keeps no state of its own.
    std::vector<FsStatus> WriteFiles(const std::vector<FileToWrite>& files) override;
    std::unique_ptr<AppendStream> OpenAppend(const std::string& path) override;

private:
    std::string Key(const std::string& winPath) const;  // attribute map key
    bool IsReadOnly(const std::string& winPath) const;
    void ForgetAttributes(const std::string& winPath);  // the path and all below it
    void MoveAttributes(const std::string& from, const std::string& to);
    FsStatus DeleteTree(const std::string& winPath, bool force);

    std::filesystem::path root_;
    std::map<std::string, std::uint32_t> attributes_;  // upper-cased canonical path -> flags
};

}  // namespace platform

// A file system that hands every operation on to another one and fails one of them: the k-th
// since FailAt(k), counting from 1. The failure is what the same failure on Windows can leave
// behind: an existence query answers no, a read or a listing gives nothing, a copy or a write
// leaves the first half of the bytes at the destination, anything else changes nothing.
#pragma once
#include <string>
#include <utility>

#include "platform/FileSystem.h"

namespace vmtest {

class FaultyFileSystem : public platform::FileSystemPort {
public:
    explicit FaultyFileSystem(platform::FileSystemPort& inner) : inner_(inner) {}

    // Counts from zero again and fails operation k; 0 fails none.
    void FailAt(long k) {
        count_ = 0;
        failAt_ = k;
        injected_ = false;
    }
    // Fails, besides operation k, every copy of the file source, whatever its number.
    void FailCopiesOf(std::string source) { failSource_ = std::move(source); }
    // Operations since the last FailAt.
    long count() const { return count_; }
    // True once the chosen operation has failed.
    bool injected() const { return injected_; }

    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    platform::FsStatus CopyFile(const std::string& from, const std::string& to) override;
    platform::FsStatus MoveFile(const std::string& from, const std::string& to) override;
    platform::FsStatus DeleteFile(const std::string& pathOrPattern, bool force) override;
    platform::FsStatus CreateFolder(const std::string& path) override;
    platform::FsStatus DeleteFolder(const std::string& path, bool force) override;
    platform::FsStatus MoveFolder(const std::string& from, const std::string& to) override;
    std::optional<std::vector<platform::DirEntry>> List(const std::string& folder) override;
    std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
    platform::FsStatus SetAttributes(const std::string& path, std::uint32_t attributes) override;
    std::optional<platform::LocalTime> LastWriteTime(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    platform::FsStatus WriteFile(const std::string& path, const std::string& bytes) override;
    std::unique_ptr<platform::AppendStream> OpenAppend(const std::string& path) override;

private:
    // Counts an operation; true when it is the one to fail.
    bool Fails();
    // Leaves half of bytes at path, as a write cut short does.
    platform::FsStatus TornWrite(const std::string& path, const std::string& bytes);

    platform::FileSystemPort& inner_;
    long count_ = 0;
    long failAt_ = 0;
    std::string failSource_;
    bool injected_ = false;
};

}  // namespace vmtest

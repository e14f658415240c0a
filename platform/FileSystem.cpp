#include "platform/FileSystem.h"

#include <set>

#include "platform/AnsiText.h"
#include "platform/JobPool.h"

namespace platform {

std::vector<FsStatus> FileSystemPort::WriteFiles(const std::vector<FileToWrite>& files) {
    std::vector<FsStatus> statuses;
    statuses.reserve(files.size());
    for (const FileToWrite& f : files) statuses.push_back(WriteFile(f.path, f.bytes));
    return statuses;
}

std::vector<std::optional<std::string>> FileSystemPort::ReadFiles(const std::vector<std::string>& paths) {
    std::vector<std::optional<std::string>> contents;
    contents.reserve(paths.size());
    for (const std::string& path : paths) contents.push_back(ReadFile(path));
    return contents;
}

bool FileSystemPort::ReadPieces(const std::string& path, std::size_t pieceBytes,
                                const std::function<void(std::string_view)>& take) {
    auto bytes = ReadFile(path);
    if (!bytes) return false;
    std::string_view all(*bytes);
    for (std::size_t at = 0; at < all.size(); at += pieceBytes) take(all.substr(at, pieceBytes));
    return true;
}

std::vector<FsStatus> WriteFilesAtOnce(const std::vector<FileToWrite>& files,
                                       const std::function<FsStatus(const FileToWrite&)>& write) {
    std::vector<FsStatus> statuses(files.size(), FsStatus::Failed);
    std::set<std::string> paths;
    for (const FileToWrite& f : files) paths.insert(FoldPath(f.path));
    if (files.size() < 2 || paths.size() < files.size()) {
        for (std::size_t i = 0; i < files.size(); ++i) statuses[i] = write(files[i]);
        return statuses;
    }
    ForEachIndex(files.size(), [&](std::size_t i) { statuses[i] = write(files[i]); }, JobPool::Files());
    return statuses;
}

std::vector<std::optional<std::string>> ReadFilesAtOnce(
    const std::vector<std::string>& paths, const std::function<std::optional<std::string>(const std::string&)>& read) {
    std::vector<std::optional<std::string>> contents(paths.size());
    if (paths.size() < 2) {
        for (std::size_t i = 0; i < paths.size(); ++i) contents[i] = read(paths[i]);
        return contents;
    }
    ForEachIndex(paths.size(), [&](std::size_t i) { contents[i] = read(paths[i]); }, JobPool::Files());
    return contents;
}

}  // namespace platform

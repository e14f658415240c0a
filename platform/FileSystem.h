// Files and folders, with the operations and failure points of the Windows file-system object.
// Paths are Windows paths in ANSI text ("C:\Kovarra\Maps", backslashes); names compare without
// regard to case. This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace platform {

// Outcome of a file operation; the comments give the file-system object's error for each.
enum class FsStatus {
    Ok,
    FileNotFound,      // 53: no file of that name (or no file matches the pattern)
    PathNotFound,      // 76: the folder, or the parent folder, does not exist
    AlreadyExists,     // 58: the destination exists
    PermissionDenied,  // 70: read-only, or held by another process
    Failed,            // anything else
};

// File attributes, with the values of the Windows API.
enum FileAttr : std::uint32_t {
    kAttrNormal = 0x0,
    kAttrReadOnly = 0x1,
    kAttrHidden = 0x2,
    kAttrSystem = 0x4,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
};

// One file of a batch write: where, and its whole content.
struct FileToWrite {
    std::string path;
    std::string bytes;
};

struct DirEntry {
    std::string name;        // name within the folder
    std::string path;        // folder & "\" & name
    std::uint32_t attributes = 0;
    bool isFolder = false;
};

// A file kept open for appending lines; every Write reaches the file before it returns.
class AppendStream {
public:
    virtual ~AppendStream() = default;
    // Appends text and flushes it. Returns true on success.
    virtual bool Write(const std::string& text) = 0;
};

class FileSystemPort {
public:
    virtual ~FileSystemPort() = default;

    // Returns true if path names an existing file (not a folder).
    virtual bool FileExists(const std::string& path) = 0;
    // Returns true if path names an existing folder.
    virtual bool FolderExists(const std::string& path) = 0;

    // Copies a file; an existing destination is replaced unless it is read-only.
    virtual FsStatus CopyFile(const std::string& from, const std::string& to) = 0;
    // Moves or renames a file; fails with AlreadyExists when the destination exists.
    virtual FsStatus MoveFile(const std::string& from, const std::string& to) = 0;
    // Deletes a file, or every file matching a pattern (* and ? in the last part).
    // Read-only files fail unless force; no match at all is FileNotFound.
    virtual FsStatus DeleteFile(const std::string& pathOrPattern, bool force) = 0;

    // Creates one folder; its parent must exist, and the folder must not.
    virtual FsStatus CreateFolder(const std::string& path) = 0;
    // Deletes a folder and all it holds. Read-only files inside fail unless force.
    virtual FsStatus DeleteFolder(const std::string& path, bool force) = 0;
    // Moves or renames a folder; fails with AlreadyExists when the destination exists.
    virtual FsStatus MoveFolder(const std::string& from, const std::string& to) = 0;

    // Lists the files and folders directly in a folder (hidden ones included), or nothing
    // when the folder does not exist.
    virtual std::optional<std::vector<DirEntry>> List(const std::string& folder) = 0;

    // Returns the attributes of a file or folder, or nothing when it does not exist.
    virtual std::optional<std::uint32_t> GetAttributes(const std::string& path) = 0;
    // Sets the attributes of a file or folder (kAttrNormal clears them).
    virtual FsStatus SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // Returns a file's last-write time in local time, without opening the file.
    virtual std::optional<LocalTime> LastWriteTime(const std::string& path) = 0;

    // Returns the whole content of a file, or nothing when it cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Returns the content of each file as ReadFile does, in order. The files are separate, so an
    // adapter may read several at once; this one reads them in order, through ReadFile.
    virtual std::vector<std::optional<std::string>> ReadFiles(const std::vector<std::string>& paths);
    // Reads a file from its start, handing take pieces of at most pieceBytes in order. Returns
    // false when the file cannot be read (take may then have had the first pieces). This one
    // reads the whole file through ReadFile.
    virtual bool ReadPieces(const std::string& path, std::size_t pieceBytes,
                            const std::function<void(std::string_view)>& take);
    // Creates or empties a file and writes bytes into it.
    virtual FsStatus WriteFile(const std::string& path, const std::string& bytes) = 0;
    // Writes each file as WriteFile does and returns their statuses, in order. The files are
    // separate, so an adapter may write several at once; this one writes them in order, through
    // WriteFile.
    virtual std::vector<FsStatus> WriteFiles(const std::vector<FileToWrite>& files);
    // Opens a file for appending, creating it when missing. Returns nothing on failure.
    virtual std::unique_ptr<AppendStream> OpenAppend(const std::string& path) = 0;
};

// Writes a batch with write on several threads at once, for adapters whose WriteFile may run on
// several threads; a batch that names one file twice, in any of the forms Windows takes for it
// (FoldPath), is written in order, so the last one wins.
std::vector<FsStatus> WriteFilesAtOnce(const std::vector<FileToWrite>& files,
                                       const std::function<FsStatus(const FileToWrite&)>& write);
// Reads a batch with read on several threads at once, for adapters whose ReadFile may run on
// several threads.
std::vector<std::optional<std::string>> ReadFilesAtOnce(
    const std::vector<std::string>& paths, const std::function<std::optional<std::string>(const std::string&)>& read);

}  // namespace platform

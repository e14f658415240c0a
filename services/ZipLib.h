// Zip archives on zlib (module ZipLib): plain zip, methods stored and deflated, no zip64, no
// encryption, entry names in ANSI text. All file access goes through the file-system port.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ZipLib {

// One entry as the archive's central directory gives it.
struct Entry {
    std::string name;  // "/" between folders; a folder's name ends in "/"
    std::uint16_t method = 0;  // 0 stored, 8 deflated
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    bool IsFolder() const { return !name.empty() && name.back() == '/'; }
};

// An archive read whole into memory, with its central directory: unpacked from, and offered to
// a later pack whose files came from it (PackOptions::reuse).
class Archive {
public:
    Archive();
    ~Archive();
    Archive(Archive&&) noexcept;
    Archive& operator=(Archive&&) noexcept;

    // Reads an archive. Returns false, and holds nothing, when it cannot be read, is damaged, or
    // uses what this layer does not support.
    bool Open(const std::string& path);
    // The entries as the central directory gives them; none before a successful Open.
    std::vector<Entry> Entries() const;

    struct Data;  // the zip layer's own

private:
    friend struct ArchiveAccess;
    std::unique_ptr<Data> data_;
};

// Unpacks every entry of an archive below a folder (created when missing), re-creating the
// archive's folders and replacing existing files. When any entry name would leave the folder
// (a "..", an absolute name, a drive letter) nothing at all is written. Returns true when every
// entry was written, each file with its CRC checked. Entries are inflated on several threads;
// the files go to the file system from the caller's thread, in the archive's order, in batches
// it may write at once (WriteFiles).
bool Unzip(const std::string& archive, const std::string& targetFolder);
// The same from an archive already read; the archive remembers which entries it checked.
bool Unzip(Archive& archive, const std::string& targetFolder);

struct PackOptions {
    // The archive that the files being packed were unpacked from. A file whose path below the
    // packed folder names one of its entries, with the same size and CRC-32, goes into the new
    // archive with that entry's compressed bytes as they are, neither inflated nor deflated
    // again. An entry that no Unzip has checked is inflated and compared with the file first.
    // Any other file (changed on disk, or not in that archive) is compressed at the level.
    const Archive* reuse = nullptr;
};

// Packs the files that match a pattern ("C:\Kovarra\Maps\*.mat": a folder and a name mask), in
// the folder and in every folder below it, under their paths relative to the folder; a folder
// whose name matches the mask gets an entry of its own, so empty folders are kept. Deflates at
// level 0..9, storing where that does not make the entry smaller. An existing archive is added
// to (an entry of the same name is replaced). The archive is written under a temporary name and
// put in place only when whole, so a failure leaves the old one as it was. Returns true when
// the archive was written; matching no file at all still writes it. The files of each listing
// are read in one batch the file system may read at once (ReadFiles), and compressed on several
// threads.
bool Zip(const std::string& archive, const std::string& pattern, int level, const PackOptions& options = {});

struct TestOptions {
    // An archive whose entries an Unzip checked: an entry of the same name, method, sizes, CRC
    // and compressed bytes as one of those is known to inflate to its CRC and is not inflated
    // again (a repack that took entries over is checked in the time of a read).
    const Archive* checked = nullptr;
};

// Returns the entries of an archive after reading every one back and checking its CRC, or
// nothing when the archive cannot be read, is damaged, or uses what this layer does not support.
// The entries are inflated on several threads.
std::optional<std::vector<Entry>> TestArchive(const std::string& archive, const TestOptions& options = {});

}  // namespace ZipLib

// Zip archives on zlib (module ZipLib): plain zip, methods stored and deflated, no zip64, no
// encryption, entry names in ANSI text. All file access goes through the file-system port.
#pragma once
#include <cstdint>
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

// Unpacks every entry of an archive below a folder (created when missing), re-creating the
// archive's folders and replacing existing files. When any entry name would leave the folder
// (a "..", an absolute name, a drive letter) nothing at all is written. Returns true when every
// entry was written, each file with its CRC checked.
bool Unzip(const std::string& archive, const std::string& targetFolder);

// Packs the files that match a pattern ("C:\Kovarra\Maps\*.mat": a folder and a name mask), in
// the folder and in every folder below it, under their paths relative to the folder; a folder
// whose name matches the mask gets an entry of its own, so empty folders are kept. Deflates at
// level 0..9, storing where that does not make the entry smaller. An existing archive is added
// to (an entry of the same name is replaced). The archive is written under a temporary name and
// put in place only when whole, so a failure leaves the old one as it was. Returns true when
// the archive was written; matching no file at all still writes it.
bool Zip(const std::string& archive, const std::string& pattern, int level);

// Returns the entries of an archive after reading every one back and checking its CRC, or
// nothing when the archive cannot be read, is damaged, or uses what this layer does not support.
std::optional<std::vector<Entry>> TestArchive(const std::string& archive);

}  // namespace ZipLib

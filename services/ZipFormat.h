// The zip layer's own parts, shared by its unpacking (ZipLib.cpp) and its packing (ZipPack.cpp):
// the format's constants, an entry as read and written, an archive held in memory, and the
// helpers both use. Not for use outside the zip layer.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/ZipLib.h"

namespace ZipLib {

namespace detail {

inline constexpr std::uint32_t kLocalSig = 0x04034b50;
inline constexpr std::uint32_t kCentralSig = 0x02014b50;
inline constexpr std::uint32_t kEndSig = 0x06054b50;
inline constexpr std::size_t kLocalSize = 30, kCentralSize = 46, kEndSize = 22;
inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagUtf8 = 0x0800;
inline constexpr std::uint16_t kStored = 0, kDeflated = 8;
inline constexpr std::uint16_t kMadeByDos20 = 20;  // host system 0 (FAT): external attributes are DOS attributes
inline constexpr std::uint32_t kDosFolder = 0x10;

// An entry with what reading and rewriting it needs.
struct Item {
    Entry entry;
    std::string rawName;  // the stored name bytes
    std::uint16_t flags = 0;
    std::uint16_t dosTime = 0, dosDate = 0;
    std::uint32_t externalAttr = 0;
    std::size_t dataOffset = 0;  // reading: where the compressed bytes start in the archive
    std::string data;            // writing: the compressed bytes
    std::optional<std::string_view> borrowed;  // writing: compressed bytes held elsewhere, in place of data

    std::string_view Payload() const { return borrowed ? *borrowed : std::string_view(data); }
};

// The central directory of an archive, with each entry's data located through its local header;
// nothing when the archive is damaged or uses what this layer does not support.
std::optional<std::vector<Item>> ReadDirectory(const std::string& b);
// The CRC-32 of bytes.
std::uint32_t Crc(std::string_view bytes);
// The entry's bytes, uncompressed and checked against its size and CRC.
std::optional<std::string> ReadData(std::string_view archive, const Item& it);
// The key by which an entry is found again: its path below the unpack target, upper case, "/"
// between folders; nothing for a name that would leave the target.
std::optional<std::string> PathKey(const std::string& name);
// The folder that holds path, a drive's root as "C:\"; nothing when path has no folder part.
std::optional<std::string> ParentFolder(const std::string& path);

}  // namespace detail

// An archive in memory: its bytes, its directory, and which entries an unpack checked.
struct Archive::Data {
    std::string bytes;
    std::vector<detail::Item> items;
    std::vector<char> checked;                  // per item: inflated, and its CRC matched
    std::map<std::string, std::size_t> byPath;  // PathKey -> item
};

struct ArchiveAccess {
    static Archive::Data* Get(const Archive& a) { return a.data_.get(); }
};

}  // namespace ZipLib

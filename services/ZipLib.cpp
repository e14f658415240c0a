#include "services/ZipLib.h"

#include <zlib.h>

#include <algorithm>
#include <exception>
#include <limits>

#include "platform/AnsiText.h"
#include "platform/Ports.h"

namespace ZipLib {

namespace {

constexpr std::uint32_t kLocalSig = 0x04034b50;
constexpr std::uint32_t kCentralSig = 0x02014b50;
constexpr std::uint32_t kEndSig = 0x06054b50;
constexpr std::size_t kLocalSize = 30, kCentralSize = 46, kEndSize = 22;
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagUtf8 = 0x0800;
constexpr std::uint16_t kStored = 0, kDeflated = 8;
constexpr std::uint16_t kMadeByDos20 = 20;  // host system 0 (FAT): external attributes are DOS attributes
constexpr std::uint32_t kDosFolder = 0x10;

// --- little-endian fields ---

std::uint32_t Get(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}
std::uint16_t Get16(const std::string& b, std::size_t at) { return static_cast<std::uint16_t>(Get(b, at, 2)); }
std::uint32_t Get32(const std::string& b, std::size_t at) { return Get(b, at, 4); }

void Put(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, std::uint32_t v) { Put(out, v, 2); }
void Put32(std::string& out, std::uint32_t v) { Put(out, v, 4); }

// --- entries ---

// An entry with what reading and rewriting it needs.
struct Item {
    Entry entry;
    std::string rawName;  // the stored name bytes
    std::uint16_t flags = 0;
    std::uint16_t dosTime = 0, dosDate = 0;
    std::uint32_t externalAttr = 0;
    std::size_t dataOffset = 0;  // reading: where the compressed bytes start in the archive
    std::string data;            // writing: the compressed bytes
};

std::string EntryName(const std::string& raw, std::uint16_t flags) {
    return (flags & kFlagUtf8) ? platform::Utf8ToCp1252(raw) : raw;
}

// The central directory of an archive, with each entry's data located through its local header.
std::optional<std::vector<Item>> ReadDirectory(const std::string& b) {
    if (b.size() < kEndSize) return std::nullopt;
    std::size_t lowest = b.size() > kEndSize + 0xFFFF ? b.size() - kEndSize - 0xFFFF : 0;
    std::size_t end = std::string::npos;
    for (std::size_t at = b.size() - kEndSize + 1; at-- > lowest;) {
        if (Get32(b, at) == kEndSig && at + kEndSize + Get16(b, at + 20) <= b.size()) {
            end = at;
            break;
        }
    }
    if (end == std::string::npos) return std::nullopt;
    std::uint16_t disk = Get16(b, end + 4), cdDisk = Get16(b, end + 6);
    std::uint16_t onDisk = Get16(b, end + 8), count = Get16(b, end + 10);
    std::uint32_t cdSize = Get32(b, end + 12), cdOffset = Get32(b, end + 16);
    if (disk != 0 || cdDisk != 0 || onDisk != count || count == 0xFFFF || cdOffset == 0xFFFFFFFF) return std::nullopt;
    // Bounds in 64 bits: the fields can claim up to 4 GB, beyond a 32-bit size_t.
    if (std::uint64_t(cdOffset) + cdSize > end) return std::nullopt;

    std::vector<Item> items;
    std::size_t at = cdOffset;
    for (std::uint16_t n = 0; n < count; ++n) {
        if (at + kCentralSize > end || Get32(b, at) != kCentralSig) return std::nullopt;
        Item it;
        it.flags = Get16(b, at + 8);
        it.entry.method = Get16(b, at + 10);
        it.dosTime = Get16(b, at + 12);
        it.dosDate = Get16(b, at + 14);
        it.entry.crc = Get32(b, at + 16);
        it.entry.compressedSize = Get32(b, at + 20);
        it.entry.size = Get32(b, at + 24);
        std::size_t nameLen = Get16(b, at + 28), extraLen = Get16(b, at + 30), commentLen = Get16(b, at + 32);
        it.externalAttr = Get32(b, at + 38);
        std::uint32_t local = Get32(b, at + 42);
        if (at + kCentralSize + nameLen + extraLen + commentLen > end) return std::nullopt;
        it.rawName = b.substr(at + kCentralSize, nameLen);
        it.entry.name = EntryName(it.rawName, it.flags);
        at += kCentralSize + nameLen + extraLen + commentLen;

        if (it.flags & kFlagEncrypted) return std::nullopt;
        if (it.entry.method != kStored && it.entry.method != kDeflated) return std::nullopt;
        if (it.entry.size == 0xFFFFFFFF || it.entry.compressedSize == 0xFFFFFFFF || local == 0xFFFFFFFF)
            return std::nullopt;  // zip64
        // The local header only tells how long its own name and extra field are.
        if (std::uint64_t(local) + kLocalSize > cdOffset || Get32(b, local) != kLocalSig) return std::nullopt;
        it.dataOffset = local + kLocalSize + Get16(b, local + 26) + Get16(b, local + 28);
        if (std::uint64_t(it.dataOffset) + it.entry.compressedSize > cdOffset) return std::nullopt;
        items.push_back(std::move(it));
    }
    return items;
}

std::uint32_t Crc(const std::string& bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* p = reinterpret_cast<const Bytef*>(bytes.data());
    std::size_t left = bytes.size();
    while (left > 0) {
        uInt part = static_cast<uInt>(std::min<std::size_t>(left, 1u << 30));
        crc = crc32(crc, p, part);
        p += part;
        left -= part;
    }
    return static_cast<std::uint32_t>(crc);
}

// The entry's bytes, uncompressed and checked against its size and CRC.
std::optional<std::string> ReadData(const std::string& archive, const Item& it) {
    std::string out;
    if (it.entry.method == kStored) {
        if (it.entry.compressedSize != it.entry.size) return std::nullopt;
        out = archive.substr(it.dataOffset, it.entry.size);
    } else {
        // Deflate packs at most 1032 to 1: a larger claimed size is a damaged entry.
        if (it.entry.size > std::uint64_t(it.entry.compressedSize) * 1032 + 64) return std::nullopt;
        out.resize(it.entry.size);
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
        char spare = 0;  // inflate needs somewhere to write, even for an empty entry
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(archive.data() + it.dataOffset));
        z.avail_in = it.entry.compressedSize;
        z.next_out = reinterpret_cast<Bytef*>(out.empty() ? &spare : out.data());
        z.avail_out = out.empty() ? 1 : static_cast<uInt>(out.size());
        int rc = inflate(&z, Z_FINISH);
        uLong produced = z.total_out;
        inflateEnd(&z);
        if (rc != Z_STREAM_END || produced != it.entry.size) return std::nullopt;
    }
    if (Crc(out) != it.entry.crc) return std::nullopt;
    return out;
}

// Raw deflate of bytes, or nothing when zlib fails.
std::optional<std::string> Deflate(const std::string& bytes, int level) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return std::nullopt;
    std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) return std::nullopt;
    return out;
}

// --- paths ---

// True when Windows takes the name for a device ("NUL", "com1.txt", "CON ."), wherever it lies:
// what is written there goes to the device, not into a file of the folder.
bool IsDeviceName(const std::string& part) {
    std::string base = platform::AnsiUpper(part.substr(0, part.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    // COM1..COM9 and LPT1..LPT9, and with the superscript digits 1, 2 and 3.
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           ((base[3] >= '1' && base[3] <= '9') || base[3] == '\xB9' || base[3] == '\xB2' || base[3] == '\xB3');
}

// The entry's path below the target in Windows form ("" for the target itself), or nothing
// when the name would leave the target (absolute, drive letter, "..", a part of only dots and
// blanks, or a device name).
std::optional<std::string> RelativePath(const std::string& name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos)
        return std::nullopt;
    std::string rel, part;
    auto flush = [&]() -> bool {
        // Windows drops trailing dots and blanks, so ". ." or "..." may mean ".." there.
        bool dotsAndBlanks = !part.empty() && part.find_first_not_of(". ") == std::string::npos;
        if ((dotsAndBlanks && part != ".") || IsDeviceName(part)) return false;
        if (!part.empty() && part != ".") rel += (rel.empty() ? "" : "\\") + part;
        part.clear();
        return true;
    };
    for (char c : name) {
        if (c == '/' || c == '\\') {
            if (!flush()) return std::nullopt;
        } else {
            part += c;
        }
    }
    if (!flush()) return std::nullopt;
    return rel;
}

std::string Join(const std::string& folder, const std::string& rel) {
    return folder.back() == '\\' ? folder + rel : folder + "\\" + rel;
}

// The folder that holds path, a drive's root as "C:\"; nothing when path has no folder part.
std::optional<std::string> ParentFolder(const std::string& path) {
    auto cut = path.find_last_of('\\');
    if (cut == std::string::npos || cut == 0) return std::nullopt;
    std::string parent = path.substr(0, cut);
    if (parent.size() == 2 && parent[1] == ':') parent += '\\';
    return parent;
}

// Creates a folder and every missing folder above it.
bool EnsureFolder(platform::FileSystemPort& fs, const std::string& path) {
    if (fs.FolderExists(path)) return true;
    auto parent = ParentFolder(path);
    if (!parent) return false;
    if (*parent != path && !EnsureFolder(fs, *parent)) return false;
    return fs.CreateFolder(path) == platform::FsStatus::Ok;
}

// --- writing ---

void DosStamp(const std::optional<platform::LocalTime>& t, Item& it) {
    platform::LocalTime v = t.value_or(platform::LocalTime{1980, 1, 1});
    if (v.year < 1980) v = {1980, 1, 1};
    if (v.year > 2107) v = {2107, 12, 31, 23, 59, 58};
    it.dosDate = static_cast<std::uint16_t>(((v.year - 1980) << 9) | (v.month << 5) | v.day);
    it.dosTime = static_cast<std::uint16_t>((v.hour << 11) | (v.minute << 5) | (v.second / 2));
}

struct Packer {
    platform::FileSystemPort& fs;
    std::string mask;
    int level;
    std::vector<std::string> skip;  // the archive's own files
    std::vector<Item> items;

    void AddFolderEntry(const std::string& path, const std::string& rel) {
        Item it;
        it.entry.name = rel + "/";
        it.externalAttr = kDosFolder;
        DosStamp(fs.LastWriteTime(path), it);
        items.push_back(std::move(it));
    }

    bool AddFile(const platform::DirEntry& f, const std::string& rel) {
        auto bytes = fs.ReadFile(f.path);
        if (!bytes || bytes->size() >= std::numeric_limits<std::uint32_t>::max()) return false;
        Item it;
        it.entry.name = rel;
        it.entry.size = static_cast<std::uint32_t>(bytes->size());
        it.entry.crc = Crc(*bytes);
        it.externalAttr = f.attributes & 0x27;  // read-only, hidden, system, archive
        DosStamp(fs.LastWriteTime(f.path), it);
        std::optional<std::string> packed;
        if (level > 0 && !bytes->empty()) packed = Deflate(*bytes, level);
        if (packed && packed->size() < bytes->size()) {
            it.entry.method = kDeflated;
            it.data = std::move(*packed);
        } else {
            it.entry.method = kStored;
            it.data = std::move(*bytes);
        }
        it.entry.compressedSize = static_cast<std::uint32_t>(it.data.size());
        items.push_back(std::move(it));
        return true;
    }

    // Adds what matches below folder; rel is folder's path inside the archive ("" at the top).
    bool Walk(const std::string& folder, const std::string& rel) {
        auto listing = fs.List(folder);
        if (!listing) return false;
        for (const auto& e : *listing) {
            std::string name = rel.empty() ? e.name : rel + "/" + e.name;
            bool matches = platform::WildcardMatch(mask, e.name);
            if (e.isFolder) {
                if (matches) AddFolderEntry(e.path, name);
                if (!Walk(e.path, name)) return false;
            } else if (matches && std::none_of(skip.begin(), skip.end(), [&](const std::string& s) {
                           return platform::EqualsNoCase(s, e.path);
                       })) {
                if (!AddFile(e, name)) return false;
            }
        }
        return true;
    }
};

std::optional<std::string> Serialize(std::vector<Item>& items) {
    // No zip64: every offset and the entry count must fit their plain fields.
    std::uint64_t total = kEndSize;
    for (const Item& it : items) total += kLocalSize + kCentralSize + 2 * it.rawName.size() + it.data.size();
    if (items.size() >= 0xFFFF || total >= 0xFFFFFFFFu) return std::nullopt;
    std::string out, central;
    out.reserve(static_cast<std::size_t>(total));
    for (Item& it : items) {
        std::uint16_t needs = (it.entry.method == kStored && !it.entry.IsFolder()) ? 10 : 20;
        std::uint16_t flags = it.flags & kFlagUtf8;  // sizes go in the header: no descriptor
        auto offset = static_cast<std::uint32_t>(out.size());
        auto header = [&](std::string& h) {
            Put16(h, flags);
            Put16(h, it.entry.method);
            Put16(h, it.dosTime);
            Put16(h, it.dosDate);
            Put32(h, it.entry.crc);
            Put32(h, it.entry.compressedSize);
            Put32(h, it.entry.size);
            Put16(h, static_cast<std::uint32_t>(it.rawName.size()));
            Put16(h, 0);  // extra field
        };
        Put32(out, kLocalSig);
        Put16(out, needs);
        header(out);
        out += it.rawName;
        out += it.data;

        Put32(central, kCentralSig);
        Put16(central, kMadeByDos20);
        Put16(central, needs);
        header(central);
        Put16(central, 0);  // comment
        Put16(central, 0);  // disk
        Put16(central, 0);  // internal attributes
        Put32(central, it.externalAttr);
        Put32(central, offset);
        central += it.rawName;
    }
    auto cdOffset = static_cast<std::uint32_t>(out.size());
    out += central;
    Put32(out, kEndSig);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(items.size()));
    Put16(out, static_cast<std::uint32_t>(items.size()));
    Put32(out, static_cast<std::uint32_t>(central.size()));
    Put32(out, cdOffset);
    Put16(out, 0);
    return out;
}

// Writes bytes under a temporary name beside path, then puts them in path's place; on any
// failure the file at path stays as it was.
bool WriteWhole(platform::FileSystemPort& fs, const std::string& path, const std::string& fresh,
                const std::string& old, const std::string& bytes) {
    using platform::FsStatus;
    if (fs.FileExists(fresh)) (void)fs.DeleteFile(fresh, true);
    if (fs.FileExists(old)) (void)fs.DeleteFile(old, true);
    if (fs.WriteFile(fresh, bytes) != FsStatus::Ok) {
        (void)fs.DeleteFile(fresh, true);
        return false;
    }
    bool replacing = fs.FileExists(path);
    if (replacing && fs.MoveFile(path, old) != FsStatus::Ok) {
        (void)fs.DeleteFile(fresh, true);
        return false;
    }
    if (fs.MoveFile(fresh, path) != FsStatus::Ok) {
        if (replacing) (void)fs.MoveFile(old, path);
        (void)fs.DeleteFile(fresh, true);
        return false;
    }
    if (replacing) (void)fs.DeleteFile(old, true);
    return true;
}

}  // namespace

bool Unzip(const std::string& archive, const std::string& targetFolder) try {
    auto& fs = platform::fileSystem();
    if (targetFolder.empty()) return false;
    auto bytes = fs.ReadFile(archive);
    if (!bytes) return false;
    auto items = ReadDirectory(*bytes);
    if (!items) return false;
    std::vector<std::string> paths;
    for (const Item& it : *items) {
        auto rel = RelativePath(it.entry.name);
        if (!rel || (rel->empty() && !it.entry.IsFolder())) return false;
        paths.push_back(rel->empty() ? targetFolder : Join(targetFolder, *rel));
    }
    if (!EnsureFolder(fs, targetFolder)) return false;
    bool ok = true;
    for (std::size_t i = 0; i < items->size(); ++i) {
        const Item& it = (*items)[i];
        const std::string& path = paths[i];
        // A folder's entry is checked like a file's, so that an unpack never succeeds where
        // TestArchive finds the archive damaged.
        auto data = ReadData(*bytes, it);
        if (!data) {
            ok = false;
            continue;
        }
        if (it.entry.IsFolder()) {
            ok = EnsureFolder(fs, path) && ok;
            continue;
        }
        auto parent = ParentFolder(path);
        if (!parent || !EnsureFolder(fs, *parent) || fs.WriteFile(path, *data) != platform::FsStatus::Ok)
            ok = false;
    }
    return ok;
} catch (const std::exception&) {  // an entry too large for memory
    return false;
}

bool Zip(const std::string& archive, const std::string& pattern, int level) try {
    auto& fs = platform::fileSystem();
    auto folder = ParentFolder(pattern);
    std::string mask = pattern.substr(pattern.find_last_of('\\') + 1);
    if (!folder || mask.empty()) return false;
    const std::string fresh = archive + ".vmzip-new", old = archive + ".vmzip-old";
    Packer packer{fs, mask, std::clamp(level, 0, 9), {archive, fresh, old}, {}};
    if (!fs.FolderExists(*folder) || !packer.Walk(*folder, "")) return false;

    std::vector<Item> items;
    if (fs.FileExists(archive)) {
        auto bytes = fs.ReadFile(archive);
        if (!bytes) return false;
        auto kept = ReadDirectory(*bytes);
        if (!kept) return false;
        for (Item& it : *kept) {
            it.data = bytes->substr(it.dataOffset, it.entry.compressedSize);
            items.push_back(std::move(it));
        }
    }
    for (Item& it : packer.items) {
        it.rawName = it.entry.name;
        auto same = std::find_if(items.begin(), items.end(), [&](const Item& k) {
            return platform::EqualsNoCase(k.entry.name, it.entry.name);
        });
        if (same != items.end())
            *same = std::move(it);
        else
            items.push_back(std::move(it));
    }
    auto bytes = Serialize(items);
    return bytes && WriteWhole(fs, archive, fresh, old, *bytes);
} catch (const std::exception&) {
    return false;
}

std::optional<std::vector<Entry>> TestArchive(const std::string& archive) try {
    auto bytes = platform::fileSystem().ReadFile(archive);
    if (!bytes) return std::nullopt;
    auto items = ReadDirectory(*bytes);
    if (!items) return std::nullopt;
    std::vector<Entry> entries;
    for (const Item& it : *items) {
        if (!ReadData(*bytes, it)) return std::nullopt;
        entries.push_back(it.entry);
    }
    return entries;
} catch (const std::exception&) {
    return std::nullopt;
}

}  // namespace ZipLib

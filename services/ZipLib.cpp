// Unpacking and reading of the zip layer (module ZipLib); its packing is in ZipPack.cpp.
#include "services/ZipLib.h"

#include <zlib.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <future>

#include "platform/AnsiText.h"
#include "platform/JobPool.h"
#include "platform/Ports.h"
#include "services/ZipFormat.h"

namespace ZipLib {

namespace detail {

namespace {

// --- little-endian fields ---

std::uint32_t Get(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}
std::uint16_t Get16(const std::string& b, std::size_t at) { return static_cast<std::uint16_t>(Get(b, at, 2)); }
std::uint32_t Get32(const std::string& b, std::size_t at) { return Get(b, at, 4); }

// --- entries ---

std::string EntryName(const std::string& raw, std::uint16_t flags) {
    return (flags & kFlagUtf8) ? platform::Utf8ToCp1252(raw) : raw;
}

}  // namespace

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

std::uint32_t Crc(std::string_view bytes) {
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

std::optional<std::string> ReadData(std::string_view archive, const Item& it) {
    std::string out;
    if (it.entry.method == kStored) {
        if (it.entry.compressedSize != it.entry.size) return std::nullopt;
        out = std::string(archive.substr(it.dataOffset, it.entry.size));
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

// --- paths ---

std::optional<std::string> ParentFolder(const std::string& path) {
    auto cut = path.find_last_of('\\');
    if (cut == std::string::npos || cut == 0) return std::nullopt;
    std::string parent = path.substr(0, cut);
    if (parent.size() == 2 && parent[1] == ':') parent += '\\';
    return parent;
}

namespace {

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

// Creates a folder and every missing folder above it; beforeCreating runs first when any is
// missing.
bool EnsureFolder(platform::FileSystemPort& fs, const std::string& path,
                  const std::function<void()>& beforeCreating = {}) {
    if (fs.FolderExists(path)) return true;
    if (beforeCreating) beforeCreating();
    auto parent = ParentFolder(path);
    if (!parent) return false;
    if (*parent != path && !EnsureFolder(fs, *parent)) return false;
    return fs.CreateFolder(path) == platform::FsStatus::Ok;
}

}  // namespace

std::optional<std::string> PathKey(const std::string& name) {
    auto rel = RelativePath(name);
    if (!rel) return std::nullopt;
    std::replace(rel->begin(), rel->end(), '\\', '/');
    return platform::AnsiUpper(*rel);
}

}  // namespace detail

using namespace detail;

Archive::Archive() = default;
Archive::~Archive() = default;
Archive::Archive(Archive&&) noexcept = default;
Archive& Archive::operator=(Archive&&) noexcept = default;

bool Archive::Open(const std::string& path) try {
    data_.reset();
    auto bytes = platform::fileSystem().ReadFile(path);
    if (!bytes) return false;
    auto items = ReadDirectory(*bytes);
    if (!items) return false;
    auto d = std::make_unique<Data>();
    d->bytes = std::move(*bytes);
    d->items = std::move(*items);
    d->checked.assign(d->items.size(), 0);
    for (std::size_t i = 0; i < d->items.size(); ++i) {
        auto key = PathKey(d->items[i].entry.name);
        if (key && !d->items[i].entry.IsFolder()) d->byPath[*key] = i;  // of a name given twice, the one unpacked last
    }
    data_ = std::move(d);
    return true;
} catch (const std::exception&) {  // an archive too large for memory
    data_.reset();
    return false;
}

std::vector<Entry> Archive::Entries() const {
    std::vector<Entry> entries;
    if (data_)
        for (const Item& it : data_->items) entries.push_back(it.entry);
    return entries;
}

namespace {
// An unpack hands the file system at most this many files, or this many bytes, to write at once.
constexpr std::size_t kBatchFiles = 64, kBatchBytes = 16u << 20;
}  // namespace

bool Unzip(const std::string& archive, const std::string& targetFolder) {
    if (targetFolder.empty()) return false;
    Archive a;
    return a.Open(archive) && Unzip(a, targetFolder);
}

bool Unzip(Archive& archive, const std::string& targetFolder) try {
    auto& fs = platform::fileSystem();
    Archive::Data* a = ArchiveAccess::Get(archive);
    if (targetFolder.empty() || !a) return false;
    std::vector<std::string> paths;
    for (const Item& it : a->items) {
        auto rel = RelativePath(it.entry.name);
        if (!rel || (rel->empty() && !it.entry.IsFolder())) return false;
        paths.push_back(rel->empty() ? targetFolder : Join(targetFolder, *rel));
    }
    if (!EnsureFolder(fs, targetFolder)) return false;

    // The workers inflate a little ahead. The files go to the file system in batches, which it
    // may write at once; a batch is written whole before any folder is created, so that every
    // operation meets the folder tree that writing entry after entry would.
    const std::size_t count = a->items.size();
    std::vector<std::future<std::optional<std::string>>> inflated(count);
    platform::JobGroup jobs(platform::JobPool::Computing());
    const std::size_t ahead = 4 * jobs.threads();
    auto inflate = [&](std::size_t i) {
        if (i < count) inflated[i] = jobs.Run([a, i] { return ReadData(a->bytes, a->items[i]); });
    };
    for (std::size_t i = 0; i < ahead; ++i) inflate(i);
    bool ok = true;
    std::vector<platform::FileToWrite> batch;
    std::size_t batchBytes = 0;
    auto flush = [&] {
        for (platform::FsStatus s : fs.WriteFiles(batch)) ok = ok && s == platform::FsStatus::Ok;
        batch.clear();
        batchBytes = 0;
    };
    for (std::size_t i = 0; i < count; ++i) {
        inflate(i + ahead);
        const Item& it = a->items[i];
        const std::string& path = paths[i];
        // A folder's entry is checked like a file's, so that an unpack never succeeds where
        // TestArchive finds the archive damaged.
        auto data = inflated[i].get();
        a->checked[i] = data.has_value();
        if (!data) {
            ok = false;
            continue;
        }
        if (it.entry.IsFolder()) {
            ok = EnsureFolder(fs, path, flush) && ok;
            continue;
        }
        auto parent = ParentFolder(path);
        if (!parent || !EnsureFolder(fs, *parent, flush)) {
            ok = false;
            continue;
        }
        batchBytes += data->size();
        batch.push_back({path, std::move(*data)});
        if (batch.size() >= kBatchFiles || batchBytes >= kBatchBytes) flush();
    }
    flush();
    return ok;
} catch (const std::exception&) {  // an entry too large for memory
    return false;
}

std::optional<std::vector<Entry>> TestArchive(const std::string& archive, const TestOptions& options) try {
    Archive a;
    if (!a.Open(archive)) return std::nullopt;
    const Archive::Data& d = *ArchiveAccess::Get(a);
    const Archive::Data* known = options.checked ? ArchiveAccess::Get(*options.checked) : nullptr;
    // Whether entry i is byte for byte an entry the known archive checked.
    auto checkedBefore = [&](std::size_t i) {
        const Item& it = d.items[i];
        auto key = PathKey(it.entry.name);
        if (!known || !key) return false;
        auto at = known->byPath.find(*key);
        if (at == known->byPath.end() || !known->checked[at->second]) return false;
        const Item& k = known->items[at->second];
        return k.entry.method == it.entry.method && k.entry.crc == it.entry.crc && k.entry.size == it.entry.size &&
               k.entry.compressedSize == it.entry.compressedSize &&
               std::string_view(known->bytes).substr(k.dataOffset, k.entry.compressedSize) ==
                   std::string_view(d.bytes).substr(it.dataOffset, it.entry.compressedSize);
    };
    std::vector<char> good(d.items.size(), 0);
    platform::ForEachIndex(
        d.items.size(), [&](std::size_t i) { good[i] = checkedBefore(i) || ReadData(d.bytes, d.items[i]).has_value(); },
        platform::JobPool::Computing());
    if (std::find(good.begin(), good.end(), 0) != good.end()) return std::nullopt;
    return a.Entries();
} catch (const std::exception&) {
    return std::nullopt;
}

}  // namespace ZipLib

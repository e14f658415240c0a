// The pack operation of the zip layer (module ZipLib): the files of a folder and mask, each
// compressed on a worker thread or taken over from the archive they came from, written under a
// temporary name and put in place whole.
#include <zlib.h>

#include <algorithm>
#include <exception>
#include <future>
#include <limits>

#include "platform/AnsiText.h"
#include "platform/JobPool.h"
#include "platform/Ports.h"
#include "services/ZipFormat.h"

namespace ZipLib {

using namespace detail;

namespace {

void Put(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, std::uint32_t v) { Put(out, v, 2); }
void Put32(std::string& out, std::uint32_t v) { Put(out, v, 4); }

void DosStamp(const std::optional<platform::LocalTime>& t, Item& it) {
    platform::LocalTime v = t.value_or(platform::LocalTime{1980, 1, 1});
    if (v.year < 1980) v = {1980, 1, 1};
    if (v.year > 2107) v = {2107, 12, 31, 23, 59, 58};
    it.dosDate = static_cast<std::uint16_t>(((v.year - 1980) << 9) | (v.month << 5) | v.day);
    it.dosTime = static_cast<std::uint16_t>((v.hour << 11) | (v.minute << 5) | (v.second / 2));
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

// What a compression job gives back for one file.
struct Packed {
    std::uint16_t method = kStored;
    std::uint32_t crc = 0;
    std::string data;
    std::optional<std::string_view> borrowed;
};

// A file of a source archive that a packed file may take the compressed bytes of.
struct Reusable {
    const Item* item = nullptr;
    std::string_view archive;  // the whole source archive
    bool checked = false;      // an unpack inflated it and found its CRC
};

// Compresses a file's bytes, or takes over the compressed bytes of the entry it came from when
// the file is still that entry's content. Runs on a worker thread.
Packed Compress(std::string bytes, int level, const Reusable& from) {
    Packed p;
    p.crc = Crc(bytes);
    if (const Item* source = from.item) {
        const Entry& e = source->entry;
        std::string_view raw = from.archive.substr(source->dataOffset, e.compressedSize);
        bool useful = e.method == kStored || (level > 0 && raw.size() < bytes.size());
        if (useful && e.size == bytes.size() && e.crc == p.crc) {
            bool same = from.checked;
            if (!same) {
                auto content = ReadData(from.archive, *source);
                same = content && *content == bytes;
            }
            if (same) {
                p.method = e.method;
                p.borrowed = raw;
                return p;
            }
        }
    }
    std::optional<std::string> packed;
    if (level > 0 && !bytes.empty()) packed = Deflate(bytes, level);
    if (packed && packed->size() < bytes.size()) {
        p.method = kDeflated;
        p.data = std::move(*packed);
    } else {
        p.method = kStored;
        p.data = std::move(bytes);
    }
    return p;
}

class Packer {
public:
    Packer(platform::FileSystemPort& fs, std::string mask, int level, std::vector<std::string> skip,
           const Archive::Data* reuse)
        : fs_(fs), mask_(std::move(mask)), level_(level), skip_(std::move(skip)), reuse_(reuse) {}

    // Adds what matches below folder; rel is folder's path inside the archive ("" at the top).
    // The files of a listing are read in one batch, which the file system may read at once.
    bool Walk(const std::string& folder, const std::string& rel) {
        auto listing = fs_.List(folder);
        if (!listing) return false;
        auto packs = [&](const platform::DirEntry& e) {
            return !e.isFolder && platform::WildcardMatch(mask_, e.name) &&
                   std::none_of(skip_.begin(), skip_.end(), [&](const std::string& s) { return platform::EqualsNoCase(s, e.path); });
        };
        std::vector<std::string> files;
        for (const auto& e : *listing)
            if (packs(e)) files.push_back(e.path);
        auto contents = fs_.ReadFiles(files);
        std::size_t next = 0;
        for (const auto& e : *listing) {
            std::string name = rel.empty() ? e.name : rel + "/" + e.name;
            if (e.isFolder) {
                if (platform::WildcardMatch(mask_, e.name)) AddFolderEntry(e.path, name);
                if (!Walk(e.path, name)) return false;
            } else if (packs(e)) {
                if (!AddFile(e, name, std::move(contents[next++]))) return false;
            }
        }
        return true;
    }

    // The entries, once every compression job has ended.
    std::vector<Item> Finish() {
        for (auto& [index, job] : pending_) {
            Packed p = job.get();
            Item& it = items_[index];
            it.entry.crc = p.crc;
            it.entry.method = p.method;
            it.data = std::move(p.data);
            it.borrowed = p.borrowed;
            it.entry.compressedSize = static_cast<std::uint32_t>(it.Payload().size());
        }
        pending_.clear();
        return std::move(items_);
    }

private:
    void AddFolderEntry(const std::string& path, const std::string& rel) {
        Item it;
        it.entry.name = rel + "/";
        it.externalAttr = kDosFolder;
        DosStamp(fs_.LastWriteTime(path), it);
        items_.push_back(std::move(it));
    }

    bool AddFile(const platform::DirEntry& f, const std::string& rel, std::optional<std::string> bytes) {
        if (!bytes || bytes->size() >= std::numeric_limits<std::uint32_t>::max()) return false;
        Item it;
        it.entry.name = rel;
        it.entry.size = static_cast<std::uint32_t>(bytes->size());
        it.externalAttr = f.attributes & 0x27;  // read-only, hidden, system, archive
        DosStamp(fs_.LastWriteTime(f.path), it);
        Reusable from;
        if (auto key = reuse_ ? PathKey(rel) : std::nullopt) {
            auto at = reuse_->byPath.find(*key);
            if (at != reuse_->byPath.end())
                from = {&reuse_->items[at->second], reuse_->bytes, reuse_->checked[at->second] != 0};
        }
        pending_.emplace_back(items_.size(), jobs_.Run([bytes = std::move(*bytes), level = level_, from]() mutable {
                                  return Compress(std::move(bytes), level, from);
                              }));
        items_.push_back(std::move(it));
        return true;
    }

    platform::FileSystemPort& fs_;
    std::string mask_;
    int level_;
    std::vector<std::string> skip_;  // the archive's own files
    const Archive::Data* reuse_;
    std::vector<Item> items_;
    std::vector<std::pair<std::size_t, std::future<Packed>>> pending_;
    platform::JobGroup jobs_{platform::JobPool::Computing()};  // last: waits before the rest ends
};

std::optional<std::string> Serialize(std::vector<Item>& items) {
    // No zip64: every offset and the entry count must fit their plain fields.
    std::uint64_t total = kEndSize;
    for (const Item& it : items) total += kLocalSize + kCentralSize + 2 * it.rawName.size() + it.Payload().size();
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
        out += it.Payload();

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

bool Zip(const std::string& archive, const std::string& pattern, int level, const PackOptions& options) try {
    auto& fs = platform::fileSystem();
    auto folder = ParentFolder(pattern);
    std::string mask = pattern.substr(pattern.find_last_of('\\') + 1);
    if (!folder || mask.empty()) return false;
    const std::string fresh = archive + ".vmzip-new", old = archive + ".vmzip-old";
    const Archive::Data* reuse = options.reuse ? ArchiveAccess::Get(*options.reuse) : nullptr;
    Packer packer(fs, mask, std::clamp(level, 0, 9), {archive, fresh, old}, reuse);
    if (!fs.FolderExists(*folder) || !packer.Walk(*folder, "")) return false;

    std::vector<Item> items;
    std::optional<std::string> bytes;  // the archive added to; its entries point into it
    if (fs.FileExists(archive)) {
        bytes = fs.ReadFile(archive);
        if (!bytes) return false;
        auto kept = ReadDirectory(*bytes);
        if (!kept) return false;
        for (Item& it : *kept) {
            it.borrowed = std::string_view(*bytes).substr(it.dataOffset, it.entry.compressedSize);
            items.push_back(std::move(it));
        }
    }
    for (Item& it : packer.Finish()) {
        it.rawName = it.entry.name;
        auto same = std::find_if(items.begin(), items.end(), [&](const Item& k) {
            return platform::EqualsNoCase(k.entry.name, it.entry.name);
        });
        if (same != items.end())
            *same = std::move(it);
        else
            items.push_back(std::move(it));
    }
    auto out = Serialize(items);
    return out && WriteWhole(fs, archive, fresh, old, *out);
} catch (const std::exception&) {
    return false;
}

}  // namespace ZipLib

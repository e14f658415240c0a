#include "platform/native/NativeFileSystem.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <system_error>
#include <vector>

#include "platform/AnsiText.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

std::string ParentOf(const std::string& canonical) {
    auto pos = canonical.find_last_of('\\');
    if (pos == std::string::npos || pos <= 2) return canonical.substr(0, 3);
    return canonical.substr(0, pos);
}

std::string LeafOf(const std::string& canonical) {
    auto pos = canonical.find_last_of('\\');
    return pos == std::string::npos ? canonical : canonical.substr(pos + 1);
}

std::string NameOf(const fs::path& p) {
    auto u8 = p.filename().u8string();
    return Utf8ToCp1252(std::string(u8.begin(), u8.end()));
}

fs::path PathOfName(const std::string& ansi) {
    std::string utf8 = Cp1252ToUtf8(ansi);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool HasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

class NativeAppendStream : public AppendStream {
public:
    explicit NativeAppendStream(const fs::path& p) : out_(p, std::ios::binary | std::ios::app) {}
    bool ok() const { return out_.is_open(); }
    bool Write(const std::string& text) override {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        out_.flush();
        return static_cast<bool>(out_);
    }

private:
    std::ofstream out_;
};

}  // namespace

NativeFileSystem::NativeFileSystem(fs::path root) : root_(std::move(root)) {
    std::error_code ec;
    fs::create_directories(root_ / "C", ec);
}

std::string NativeFileSystem::Normalize(const std::string& winPath) {
    std::string drive = "C";
    std::string rest = winPath;
    if (winPath.size() >= 2 && winPath[1] == ':') {
        drive = std::string(1, AnsiUpper(winPath[0]));
        rest = winPath.substr(2);
    }
    std::vector<std::string> out;
    for (auto& part : SplitComponents(rest)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(part);
    }
    std::string result = drive + ":\\";
    for (std::size_t i = 0; i < out.size(); ++i) result += (i ? "\\" : "") + out[i];
    return result;
}

fs::path NativeFileSystem::HostPath(const std::string& winPath) const {
    std::string canonical = Normalize(winPath);
    fs::path p = root_ / canonical.substr(0, 1);
    for (auto& part : SplitComponents(canonical.substr(3))) {
        fs::path next = p / PathOfName(part);
        std::error_code ec;
        if (!fs::exists(next, ec) && fs::is_directory(p, ec)) {
            for (auto& entry : fs::directory_iterator(p, ec)) {
                if (EqualsNoCase(NameOf(entry.path()), part)) {
                    next = entry.path();
                    break;
                }
            }
        }
        p = next;
    }
    return p;
}

std::string NativeFileSystem::Key(const std::string& winPath) const { return AnsiUpper(Normalize(winPath)); }

bool NativeFileSystem::IsReadOnly(const std::string& winPath) const {
    auto it = attributes_.find(Key(winPath));
    return it != attributes_.end() && (it->second & kAttrReadOnly);
}

void NativeFileSystem::ForgetAttributes(const std::string& winPath) {
    std::string key = Key(winPath);
    for (auto it = attributes_.begin(); it != attributes_.end();) {
        if (it->first == key || it->first.rfind(key + "\\", 0) == 0)
            it = attributes_.erase(it);
        else
            ++it;
    }
}

void NativeFileSystem::MoveAttributes(const std::string& from, const std::string& to) {
    std::string src = Key(from), dst = Key(to);
    std::map<std::string, std::uint32_t> moved;
    for (auto it = attributes_.begin(); it != attributes_.end();) {
        if (it->first == src || it->first.rfind(src + "\\", 0) == 0) {
            moved[dst + it->first.substr(src.size())] = it->second;
            it = attributes_.erase(it);
        } else {
            ++it;
        }
    }
    attributes_.merge(moved);
}

bool NativeFileSystem::FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(HostPath(path), ec);
}

bool NativeFileSystem::FolderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(HostPath(path), ec);
}

FsStatus NativeFileSystem::CopyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::path src = HostPath(from), dst = HostPath(to);
    if (!fs::is_regular_file(src, ec)) return FsStatus::FileNotFound;
    if (!fs::is_directory(dst.parent_path(), ec)) return FsStatus::PathNotFound;
    if (fs::is_directory(dst, ec)) return FsStatus::PermissionDenied;
    if (fs::exists(dst, ec) && IsReadOnly(to)) return FsStatus::PermissionDenied;
    // Replace by remove and copy: overwrite_existing is unreliable in some standard libraries.
    if (fs::exists(dst, ec)) fs::remove(dst, ec);
    fs::copy_file(src, dst, ec);
    if (ec) return FsStatus::Failed;
    auto it = attributes_.find(Key(from));
    attributes_[Key(to)] = (it == attributes_.end() ? 0u : it->second) | kAttrArchive;
    return FsStatus::Ok;
}

FsStatus NativeFileSystem::MoveFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::path src = HostPath(from), dst = HostPath(to);
    if (!fs::is_regular_file(src, ec)) return FsStatus::FileNotFound;
    if (!fs::is_directory(dst.parent_path(), ec)) return FsStatus::PathNotFound;
    if (fs::exists(dst, ec) && !EqualsNoCase(Normalize(from), Normalize(to))) return FsStatus::AlreadyExists;
    fs::rename(src, dst, ec);
    if (ec) return FsStatus::Failed;
    MoveAttributes(from, to);
    return FsStatus::Ok;
}

FsStatus NativeFileSystem::DeleteFile(const std::string& pathOrPattern, bool force) {
    std::string canonical = Normalize(pathOrPattern);
    std::string leaf = LeafOf(canonical);
    std::string parent = ParentOf(canonical);
    std::error_code ec;
    if (!fs::is_directory(HostPath(parent), ec)) return FsStatus::PathNotFound;
    std::vector<std::string> targets;
    if (HasWildcard(leaf)) {
        auto entries = List(parent);
        for (auto& e : *entries)
            if (!e.isFolder && WildcardMatch(leaf, e.name)) targets.push_back(e.path);
    } else if (FileExists(canonical)) {
        targets.push_back(canonical);
    }
    if (targets.empty()) return FsStatus::FileNotFound;
    for (auto& t : targets) {
        if (!force && IsReadOnly(t)) return FsStatus::PermissionDenied;
        if (!fs::remove(HostPath(t), ec) || ec) return FsStatus::Failed;
        ForgetAttributes(t);
    }
    return FsStatus::Ok;
}

FsStatus NativeFileSystem::CreateFolder(const std::string& path) {
    std::error_code ec;
    fs::path p = HostPath(path);
    if (fs::exists(p, ec)) return FsStatus::AlreadyExists;
    if (!fs::is_directory(p.parent_path(), ec)) return FsStatus::PathNotFound;
    if (!fs::create_directory(p, ec) || ec) return FsStatus::Failed;
    return FsStatus::Ok;
}

FsStatus NativeFileSystem::DeleteTree(const std::string& winPath, bool force) {
    auto entries = List(winPath);
    if (!entries) return FsStatus::PathNotFound;
    for (auto& e : *entries) {
        FsStatus s = e.isFolder ? DeleteTree(e.path, force) : FsStatus::Ok;
        if (s != FsStatus::Ok) return s;
        if (!e.isFolder) {
            if (!force && IsReadOnly(e.path)) return FsStatus::PermissionDenied;
            std::error_code ec;
            if (!fs::remove(HostPath(e.path), ec) || ec) return FsStatus::Failed;
            ForgetAttributes(e.path);
        }
    }
    std::error_code ec;
    if (!fs::remove(HostPath(winPath), ec) || ec) return FsStatus::Failed;
    ForgetAttributes(winPath);
    return FsStatus::Ok;
}

FsStatus NativeFileSystem::DeleteFolder(const std::string& path, bool force) {
    if (!FolderExists(path)) return FsStatus::PathNotFound;
    return DeleteTree(Normalize(path), force);
}

FsStatus NativeFileSystem::MoveFolder(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::path src = HostPath(from), dst = HostPath(to);
    if (!fs::is_directory(src, ec)) return FsStatus::PathNotFound;
    if (fs::exists(dst, ec)) return FsStatus::AlreadyExists;
    if (!fs::is_directory(dst.parent_path(), ec)) return FsStatus::PathNotFound;
    std::string s = Key(from), d = Key(to);
    if (d.rfind(s + "\\", 0) == 0) return FsStatus::Failed;  // into itself
    fs::rename(src, dst, ec);
    if (ec) return FsStatus::Failed;
    MoveAttributes(from, to);
    return FsStatus::Ok;
}

std::optional<std::vector<DirEntry>> NativeFileSystem::List(const std::string& folder) {
    std::error_code ec;
    fs::path p = HostPath(folder);
    if (!fs::is_directory(p, ec)) return std::nullopt;
    std::string base = Normalize(folder);
    if (base.back() != '\\') base += '\\';
    std::vector<DirEntry> entries;
    for (auto& e : fs::directory_iterator(p, ec)) {
        DirEntry d;
        d.name = NameOf(e.path());
        d.path = base + d.name;
        d.isFolder = e.is_directory(ec);
        d.attributes = *GetAttributes(d.path);
        entries.push_back(std::move(d));
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return AnsiUpper(a.name) < AnsiUpper(b.name); });
    return entries;
}

std::optional<std::uint32_t> NativeFileSystem::GetAttributes(const std::string& path) {
    std::error_code ec;
    fs::path p = HostPath(path);
    if (!fs::exists(p, ec)) return std::nullopt;
    auto it = attributes_.find(Key(path));
    std::uint32_t a = it == attributes_.end() ? 0u : it->second;
    if (fs::is_directory(p, ec)) a |= kAttrDirectory;
    return a;
}

FsStatus NativeFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    std::error_code ec;
    if (!fs::exists(HostPath(path), ec)) return FsStatus::FileNotFound;
    attributes_[Key(path)] = attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
    return FsStatus::Ok;
}

std::optional<LocalTime> NativeFileSystem::LastWriteTime(const std::string& path) {
    std::error_code ec;
    auto ft = fs::last_write_time(HostPath(path), ec);
    if (ec) return std::nullopt;
    auto sys = std::chrono::file_clock::to_sys(ft);
    std::time_t tt = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys));
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &tt);
#else
    localtime_r(&tt, &tm);
#endif
    LocalTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    return t;
}

bool NativeFileSystem::SetLastWriteTime(const std::string& path, const LocalTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    std::time_t tt = mktime(&tm);
    if (tt == -1) return false;
    auto sys = std::chrono::system_clock::from_time_t(tt);
    std::error_code ec;
    fs::last_write_time(HostPath(path), std::chrono::file_clock::from_sys(sys), ec);
    return !ec;
}

std::optional<std::string> NativeFileSystem::ReadFile(const std::string& path) {
    std::error_code ec;
    fs::path p = HostPath(path);
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    std::ifstream in(p, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    // In one read of the whole size: byte by byte is slow for packages of tens of megabytes.
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;  // the stream cannot tell its size
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return std::nullopt;
    return bytes;
}

std::vector<std::optional<std::string>> NativeFileSystem::ReadFiles(const std::vector<std::string>& paths) {
    return ReadFilesAtOnce(paths, [this](const std::string& path) { return ReadFile(path); });
}

bool NativeFileSystem::ReadPieces(const std::string& path, std::size_t pieceBytes,
                                  const std::function<void(std::string_view)>& take) {
    std::error_code ec;
    fs::path p = HostPath(path);
    if (!fs::is_regular_file(p, ec)) return false;
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    std::string piece(std::max<std::size_t>(pieceBytes, 1), '\0');
    while (in) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        if (in.bad()) return false;
        if (in.gcount() > 0) take(std::string_view(piece.data(), static_cast<std::size_t>(in.gcount())));
    }
    return in.eof();
}

FsStatus NativeFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    fs::path p = HostPath(path);
    if (!fs::is_directory(p.parent_path(), ec)) return FsStatus::PathNotFound;
    if (fs::is_directory(p, ec)) return FsStatus::PermissionDenied;
    if (fs::exists(p, ec) && IsReadOnly(path)) return FsStatus::PermissionDenied;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out) return FsStatus::Failed;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? FsStatus::Ok : FsStatus::Failed;
}

std::vector<FsStatus> NativeFileSystem::WriteFiles(const std::vector<FileToWrite>& files) {
    return WriteFilesAtOnce(files, [this](const FileToWrite& f) { return WriteFile(f.path, f.bytes); });
}

std::unique_ptr<AppendStream> NativeFileSystem::OpenAppend(const std::string& path) {
    std::error_code ec;
    fs::path p = HostPath(path);
    if (!fs::is_directory(p.parent_path(), ec) || fs::is_directory(p, ec)) return nullptr;
    if (fs::exists(p, ec) && IsReadOnly(path)) return nullptr;
    auto stream = std::make_unique<NativeAppendStream>(p);
    if (!stream->ok()) return nullptr;
    return stream;
}

}  // namespace platform

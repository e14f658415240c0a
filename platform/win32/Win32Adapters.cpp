#include "platform/win32/Win32Adapters.h"
#include "platform/win32/Win32Pictures.h"

#include "platform/win32/WinApi.h"
#include <winver.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::win32 {

void InternetHandleTraits::Close(Handle h) { ::InternetCloseHandle(h); }
using ScopedInternetHandle = ScopedHandle<InternetHandleTraits>;

namespace {

FsStatus StatusFromError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND: return FsStatus::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH: return FsStatus::PathNotFound;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS: return FsStatus::AlreadyExists;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: return FsStatus::PermissionDenied;
        default: return FsStatus::Failed;
    }
}

FsStatus LastStatus() { return StatusFromError(::GetLastError()); }

DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }
bool IsFile(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY); }
bool IsFolder(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY); }
// Windows refuses to replace a read-only file; Wine running as root does not, so say it here.
bool IsReadOnlyFile(const std::string& path) {
    DWORD a = Attributes(path);
    return IsFile(a) && (a & FILE_ATTRIBUTE_READONLY);
}

std::string ParentOf(const std::string& path) {
    auto pos = path.find_last_of("\\/");
    if (pos == std::string::npos) return ".";
    if (pos == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, pos);
}

// Removes a file, clearing its read-only flag first when forced.
FsStatus RemoveFile(const std::string& path, DWORD attributes, bool force) {
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        if (!force) return FsStatus::PermissionDenied;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    return ::DeleteFileA(path.c_str()) ? FsStatus::Ok : LastStatus();
}

FsStatus RemoveTree(const std::string& folder, bool force) {
    WIN32_FIND_DATAA data;
    {
        ScopedFindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &data));
        if (find) {
            do {
                std::string name = data.cFileName;
                if (name == "." || name == "..") continue;
                std::string child = folder + "\\" + name;
                FsStatus s = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                                 ? RemoveTree(child, force)
                                 : RemoveFile(child, data.dwFileAttributes, force);
                if (s != FsStatus::Ok) return s;
            } while (::FindNextFileA(find.get(), &data));
        }
    }
    ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::RemoveDirectoryA(folder.c_str()) ? FsStatus::Ok : LastStatus();
}

class Win32AppendStream : public AppendStream {
public:
    explicit Win32AppendStream(HANDLE h) : file_(h) {}
    bool Write(const std::string& text) override {
        DWORD written = 0;
        return ::WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
               written == text.size();
    }

private:
    ScopedFileHandle file_;
};

HKEY RootKey(RegRoot root) { return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

}  // namespace

// --- profile ---

std::uint32_t Win32Profile::GetString(const char* section, const char* key, const char* def, char* buf,
                                      std::uint32_t size, const std::string& file) {
    return ::GetPrivateProfileStringA(section, key, def, buf, size, file.c_str());
}

bool Win32Profile::WriteString(const char* section, const char* key, const char* value,
                               const std::string& file) {
    if (IsReadOnlyFile(file)) return false;
    return ::WritePrivateProfileStringA(section, key, value, file.c_str()) != 0;
}

// --- registry ---

RegKey Win32Registry::OpenKey(RegRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyA(RootKey(root), path.c_str(), &key) != ERROR_SUCCESS) return 0;
    return reinterpret_cast<RegKey>(key);
}

long Win32Registry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type, void* data,
                               std::uint32_t* size) {
    DWORD t = 0;
    DWORD s = size ? *size : 0;
    LONG rc = ::RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &t,
                                 static_cast<BYTE*>(data), size ? &s : nullptr);
    if (type) *type = t;
    if (size) *size = s;
    return rc;
}

void Win32Registry::CloseKey(RegKey key) { ::RegCloseKey(reinterpret_cast<HKEY>(key)); }

// --- environment ---

std::string Win32Environment::GetVariable(const std::string& name) {
    DWORD n = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::string value(n, '\0');
    n = ::GetEnvironmentVariableA(name.c_str(), value.data(), n);
    value.resize(n);
    return value;
}

namespace {
std::string OwnModulePath() {
    char path[MAX_PATH * 2] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n);
}
}  // namespace

std::string Win32Environment::ProgramFolder() {
    std::string folder = OwnModulePath();
    auto pos = folder.find_last_of('\\');
    if (pos == std::string::npos) return folder;
    folder.resize(pos);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

void Win32Environment::ExitProgram(int code) { ::ExitProcess(static_cast<UINT>(code)); }

ProgramVersion Win32Environment::Version() { return FileVersion(OwnModulePath()); }

ProgramVersion FileVersion(const std::string& path) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return {};
    void* block = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\", &block, &length) || length < sizeof(VS_FIXEDFILEINFO)) return {};
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(block);
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
            LOWORD(info->dwFileVersionLS)};
}

bool Win32Instances::ClaimOnlyCopy(const std::string& name) {
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
    DWORD error = ::GetLastError();
    if (mutex == nullptr) return false;  // the name is taken by an object we may not open
    if (error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return false;
    }
    return true;  // the handle stays open: the claim lasts as long as the process
}

std::string Win32Environment::CommandLine() {
    const char* p = ::GetCommandLineA();
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

// --- files ---

bool Win32FileSystem::FileExists(const std::string& path) { return IsFile(Attributes(path)); }
bool Win32FileSystem::FolderExists(const std::string& path) { return IsFolder(Attributes(path)); }

FsStatus Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
    DWORD src = Attributes(from);
    if (!IsFile(src)) return IsFolder(src) ? FsStatus::FileNotFound : LastStatus();
    if (IsFolder(Attributes(to)) || IsReadOnlyFile(to)) return FsStatus::PermissionDenied;
    return ::CopyFileA(from.c_str(), to.c_str(), FALSE) ? FsStatus::Ok : LastStatus();
}

FsStatus Win32FileSystem::MoveFile(const std::string& from, const std::string& to) {
    if (!IsFile(Attributes(from))) return FsStatus::FileNotFound;
    return ::MoveFileA(from.c_str(), to.c_str()) ? FsStatus::Ok : LastStatus();
}

FsStatus Win32FileSystem::DeleteFile(const std::string& pathOrPattern, bool force) {
    if (!IsFolder(Attributes(ParentOf(pathOrPattern)))) return FsStatus::PathNotFound;
    std::string folder = ParentOf(pathOrPattern);
    std::vector<std::pair<std::string, DWORD>> targets;
    WIN32_FIND_DATAA data;
    {
        ScopedFindHandle find(::FindFirstFileA(pathOrPattern.c_str(), &data));
        if (find) {
            do {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    targets.emplace_back(folder + "\\" + data.cFileName, data.dwFileAttributes);
            } while (::FindNextFileA(find.get(), &data));
        }
    }
    if (targets.empty()) return FsStatus::FileNotFound;
    for (auto& [path, attributes] : targets) {
        FsStatus s = RemoveFile(path, attributes, force);
        if (s != FsStatus::Ok) return s;
    }
    return FsStatus::Ok;
}

FsStatus Win32FileSystem::CreateFolder(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) ? FsStatus::Ok : LastStatus();
}

FsStatus Win32FileSystem::DeleteFolder(const std::string& path, bool force) {
    std::string folder = path;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (!IsFolder(Attributes(folder))) return FsStatus::PathNotFound;
    return RemoveTree(folder, force);
}

FsStatus Win32FileSystem::MoveFolder(const std::string& from, const std::string& to) {
    if (!IsFolder(Attributes(from))) return FsStatus::PathNotFound;
    if (Attributes(to) != INVALID_FILE_ATTRIBUTES) return FsStatus::AlreadyExists;
    return ::MoveFileA(from.c_str(), to.c_str()) ? FsStatus::Ok : LastStatus();
}

std::optional<std::vector<DirEntry>> Win32FileSystem::List(const std::string& folder) {
    if (!IsFolder(Attributes(folder))) return std::nullopt;
    std::string base = folder;
    if (base.back() != '\\') base += '\\';
    std::vector<DirEntry> entries;
    WIN32_FIND_DATAA data;
    ScopedFindHandle find(::FindFirstFileA((base + "*").c_str(), &data));
    if (!find) return entries;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        DirEntry e;
        e.name = name;
        e.path = base + name;
        e.attributes = data.dwFileAttributes;
        e.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(std::move(e));
    } while (::FindNextFileA(find.get(), &data));
    return entries;
}

std::optional<std::uint32_t> Win32FileSystem::GetAttributes(const std::string& path) {
    DWORD a = Attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
}

FsStatus Win32FileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    DWORD a = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE);
    return ::SetFileAttributesA(path.c_str(), a ? a : FILE_ATTRIBUTE_NORMAL) ? FsStatus::Ok : LastStatus();
}

std::optional<LocalTime> Win32FileSystem::LastWriteTime(const std::string& path) {
    // Read from the directory entry: works while another process holds the file open.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &st))
        return std::nullopt;
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

namespace {

// Opens a file for reading, shared with every other opener: the running host holds its files open.
ScopedFileHandle OpenForReading(const std::string& path) {
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    return ScopedFileHandle(::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// Reads from the file's position up to bytes into at; returns the count read, or nothing on failure.
std::optional<std::size_t> ReadInto(HANDLE file, char* at, std::size_t bytes) {
    std::size_t total = 0;
    while (total < bytes) {
        DWORD got = 0;
        DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes - total, 1u << 24));
        if (!::ReadFile(file, at + total, part, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        total += got;
    }
    return total;
}

}  // namespace

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
    ScopedFileHandle file = OpenForReading(path);
    if (!file) return std::nullopt;
    // In one read of the size the file has, and one byte more to see whether it grew meanwhile.
    LARGE_INTEGER size{};
    std::size_t expected = 0;
    if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF)
        expected = static_cast<std::size_t>(size.QuadPart);
    std::string content(expected + 1, '\0');
    std::size_t have = 0;
    for (;;) {
        auto got = ReadInto(file.get(), content.data() + have, content.size() - have);
        if (!got) return std::nullopt;  // part of a file is no file
        have += *got;
        if (have < content.size()) break;
        content.resize(content.size() + std::max<std::size_t>(content.size(), 1 << 16));
    }
    content.resize(have);
    return content;
}

std::vector<std::optional<std::string>> Win32FileSystem::ReadFiles(const std::vector<std::string>& paths) {
    return ReadFilesAtOnce(paths, [this](const std::string& path) { return ReadFile(path); });
}

bool Win32FileSystem::ReadPieces(const std::string& path, std::size_t pieceBytes,
                                 const std::function<void(std::string_view)>& take) {
    ScopedFileHandle file = OpenForReading(path);
    if (!file) return false;
    std::string piece(std::max<std::size_t>(pieceBytes, 1), '\0');
    for (;;) {
        auto got = ReadInto(file.get(), piece.data(), piece.size());
        if (!got) return false;
        if (*got > 0) take(std::string_view(piece.data(), *got));
        if (*got < piece.size()) return true;
    }
}

FsStatus Win32FileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    if (IsReadOnlyFile(path)) return FsStatus::PermissionDenied;
    ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastStatus();
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        return LastStatus();
    return FsStatus::Ok;
}

std::vector<FsStatus> Win32FileSystem::WriteFiles(const std::vector<FileToWrite>& files) {
    return WriteFilesAtOnce(files, [this](const FileToWrite& f) { return WriteFile(f.path, f.bytes); });
}

std::unique_ptr<AppendStream> Win32FileSystem::OpenAppend(const std::string& path) {
    if (IsReadOnlyFile(path)) return nullptr;
    HANDLE h = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32AppendStream>(h);
}

// --- message boxes ---

MsgAnswer Win32MessageBox::Show(const std::string& text, const std::string& title, unsigned style) {
    return static_cast<MsgAnswer>(
        ::MessageBoxA(::GetActiveWindow(), text.c_str(), title.c_str(), style | MB_SETFOREGROUND));
}

// --- file dialog ---

std::optional<std::string> Win32FileDialog::OpenFile(const OpenFileRequest& request) {
    std::string filter = request.filter;  // "a|b|c|d" becomes "a\0b\0c\0d\0\0"
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    char file[MAX_PATH] = {};
    request.fileName.copy(file, sizeof file - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ::GetActiveWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!::GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(file);
}

// --- clock ---

LocalTime Win32Clock::Now() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

bool Win32Clock::SetLocal(const LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return ::SetLocalTime(&st) != 0;
}

std::uint32_t Win32Clock::TickCount() { return ::GetTickCount(); }

// --- HTTP ---

std::optional<std::string> WinInetHttp::Get(const std::string& url, int timeoutSeconds) {
    ScopedInternetHandle session(::InternetOpenA("Velomark", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::nullopt;
    DWORD ms = static_cast<DWORD>(timeoutSeconds) * 1000;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        ::InternetSetOptionA(session.get(), option, &ms, sizeof ms);
    ScopedInternetHandle request(::InternetOpenUrlA(
        session.get(), url.c_str(), nullptr, 0,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI, 0));
    if (!request) return std::nullopt;
    DWORD status = 0, len = sizeof status;
    if (!::HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &len, nullptr) ||
        status < 200 || status >= 300)
        return std::nullopt;
    // A read that fails is a failed request, as a failed open is. A connection closed before the
    // declared length ends the reads as the body's end does, so the length is compared as well.
    std::string body;
    char chunk[16384];
    for (;;) {
        DWORD got = 0;
        if (!::InternetReadFile(request.get(), chunk, sizeof chunk, &got)) return std::nullopt;
        if (got == 0) break;
        body.append(chunk, got);
    }
    DWORD declared = 0;
    len = sizeof declared;
    if (::HttpQueryInfoA(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &declared, &len, nullptr) &&
        body.size() != declared)
        return std::nullopt;
    return body;
}

// --- shell ---

std::int32_t Win32Shell::Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& folder, int show) {
    HWND window = owner == kDesktopOwner ? ::GetDesktopWindow() : ToHwnd(owner);
    HINSTANCE result = ::ShellExecuteA(window, verb.c_str(), file.c_str(),
                                       parameters.empty() ? nullptr : parameters.c_str(),
                                       folder.empty() ? nullptr : folder.c_str(), show);
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

// --- regional settings ---

namespace {
std::string LocaleText(LCTYPE what, const char* fallback) {
    char buf[16] = {};
    int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buf, sizeof buf);
    return n > 1 ? std::string(buf, n - 1) : std::string(fallback);
}
}  // namespace

std::string Win32Regional::DateSeparator() { return LocaleText(LOCALE_SDATE, "/"); }
std::string Win32Regional::TimeSeparator() { return LocaleText(LOCALE_STIME, ":"); }
std::string Win32Regional::DecimalSeparator() { return LocaleText(LOCALE_SDECIMAL, "."); }

// --- installation ---

void InstallWin32Ports() {
    static Win32Profile profile;
    static Win32Registry registry;
    static Win32Environment environment;
    static Win32FileSystem files;
    static Win32MessageBox messageBox;
    static Win32Clock clock;
    static WinInetHttp http;
    static Win32Shell shell;
    static Win32Regional regional;
    static WinInetHttp paneHttp;  // the panes' workers share it
    static QueuedWebPanes webPanes{paneHttp};
    static FileSystemMd5 md5{files};  // over the Win32 files, which share them with the host
    static Win32Desktop desktop;
    static Win32Processes processes;
    static Win32FileDialog fileDialog;
    static Win32Instances instances;
    static OlePictures pictures;
    Ports& p = ports();
    p.profile = &profile;
    p.registry = &registry;
    p.environment = &environment;
    p.fileSystem = &files;
    p.messageBox = &messageBox;
    p.clock = &clock;
    p.http = &http;
    p.shell = &shell;
    p.regional = &regional;
    p.webPanes = &webPanes;
    p.md5 = &md5;
    p.desktop = &desktop;
    p.processes = &processes;
    p.fileDialog = &fileDialog;
    p.instances = &instances;
    p.pictures = &pictures;
}

}  // namespace platform::win32

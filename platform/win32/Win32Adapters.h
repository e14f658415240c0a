// Adapters of the ports on the Win32 API. Only the win32/ folders hold code for Win32.
#pragma once
#include "platform/Ports.h"

namespace platform::win32 {

class Win32Profile : public ProfilePort {
public:
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buf,
                            std::uint32_t size, const std::string& file) override;
    bool WriteString(const char* section, const char* key, const char* value,
                     const std::string& file) override;
};

class Win32Registry : public RegistryPort {
public:
    RegKey OpenKey(RegRoot root, const std::string& path) override;
    long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override;
    void CloseKey(RegKey key) override;
};

class Win32Environment : public EnvironmentPort {
public:
    std::string GetVariable(const std::string& name) override;
    std::string ProgramFolder() override;
    std::string CommandLine() override;
    ProgramVersion Version() override;
    [[noreturn]] void ExitProgram(int code) override;
};

// Returns the file version of the program or library at path; all zeros when it carries none.
ProgramVersion FileVersion(const std::string& path);

// A claim is a named mutex, kept open until the process ends.
class Win32Instances : public InstancePort {
public:
    bool ClaimOnlyCopy(const std::string& name) override;
};

class Win32FileSystem : public FileSystemPort {
public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    FsStatus CopyFile(const std::string& from, const std::string& to) override;
    FsStatus MoveFile(const std::string& from, const std::string& to) override;
    FsStatus DeleteFile(const std::string& pathOrPattern, bool force) override;
    FsStatus CreateFolder(const std::string& path) override;
    FsStatus DeleteFolder(const std::string& path, bool force) override;
    FsStatus MoveFolder(const std::string& from, const std::string& to) override;
    std::optional<std::vector<DirEntry>> List(const std::string& folder) override;
    std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
    FsStatus SetAttributes(const std::string& path, std::uint32_t attributes) override;
    std::optional<LocalTime> LastWriteTime(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    // Several at once: ReadFile keeps no state of its own.
    std::vector<std::optional<std::string>> ReadFiles(const std::vector<std::string>& paths) override;
    bool ReadPieces(const std::string& path, std::size_t pieceBytes,
                    const std::function<void(std::string_view)>& take) override;
    FsStatus WriteFile(const std::string& path, const std::string& bytes) override;
    // Several at once: WriteFile keeps no state of its own.
    std::vector<FsStatus> WriteFiles(const std::vector<FileToWrite>& files) override;
    std::unique_ptr<AppendStream> OpenAppend(const std::string& path) override;
};

class Win32MessageBox : public MessageBoxPort {
public:
    MsgAnswer Show(const std::string& text, const std::string& title, unsigned style) override;
};

// Message boxes and the file dialog belong to the thread's active window, so that they are modal
// to the window the user is working in.
class Win32FileDialog : public FileDialogPort {
public:
    std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
};

class Win32Clock : public ClockPort {
public:
    LocalTime Now() override;
    bool SetLocal(const LocalTime& t) override;
    std::uint32_t TickCount() override;
};

class WinInetHttp : public HttpPort {
public:
    std::optional<std::string> Get(const std::string& url, int timeoutSeconds = kHttpTimeoutSeconds) override;
};

class Win32Shell : public ShellPort {
public:
    std::int32_t Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& folder, int show) override;
};

class Win32Regional : public RegionalPort {
public:
    std::string DateSeparator() override;
    std::string TimeSeparator() override;
    std::string DecimalSeparator() override;
};

class Win32Desktop : public DesktopPort {
public:
    WindowHandle FindTopWindow(const std::string& className) override;
    std::uint32_t WindowProcessId(WindowHandle window) override;
    WindowHandle FirstUnownedWindowOf(std::uint32_t processId) override;
    WindowHandle ForegroundWindow() override;
    bool IsWindow(WindowHandle window) override;
    void KeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override;
    bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                         std::uint32_t timeoutMs) override;
    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void PumpEvents() override;
    void WaitForEvents(std::uint32_t timeoutMs) override;
    void Wake() override;
    std::uint32_t StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void StopTimer(std::uint32_t id) override;
};

class Win32Processes : public ProcessPort {
public:
    ProcessHandle Open(std::uint32_t processId, std::uint32_t access) override;
    void Close(ProcessHandle process) override;
    bool ReadMemory(ProcessHandle process, std::uint32_t address, void* buffer, std::uint32_t size) override;
    bool WriteMemory(ProcessHandle process, std::uint32_t address, const void* data, std::uint32_t size) override;
    bool ProtectMemory(ProcessHandle process, std::uint32_t address, std::uint32_t size, std::uint32_t protection,
                       std::uint32_t* previous) override;
    std::optional<std::uint32_t> QueryProtection(ProcessHandle process, std::uint32_t address) override;
    bool Terminate(ProcessHandle process, std::uint32_t exitCode) override;
    bool WaitForExit(ProcessHandle process, std::uint32_t timeoutMs) override;
    std::uint32_t CurrentProcessId() override;
    ProcessHandle Start(const std::string& commandLine, std::uint32_t* processId) override;
};

// Installs one program-wide set of the Win32 adapters into platform::ports().
void InstallWin32Ports();

}  // namespace platform::win32

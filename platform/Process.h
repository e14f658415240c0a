// Other processes: opening them, their memory and its page protection, ending them, and
// starting programs.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace platform {

// An open process handle; 0 is none.
using ProcessHandle = std::uintptr_t;

// Access rights and page protections, with the values of the Windows API.
inline constexpr std::uint32_t kProcessTerminate = 0x0001;
inline constexpr std::uint32_t kProcessVmOperation = 0x0008;
inline constexpr std::uint32_t kProcessVmRead = 0x0010;
inline constexpr std::uint32_t kProcessVmWrite = 0x0020;
inline constexpr std::uint32_t kProcessQueryInformation = 0x0400;
inline constexpr std::uint32_t kProcessSynchronize = 0x100000;
inline constexpr std::uint32_t kProcessAllAccess = 0x1F0FFF;
inline constexpr std::uint32_t kPageNoAccess = 0x01;
inline constexpr std::uint32_t kPageReadOnly = 0x02;
inline constexpr std::uint32_t kPageReadWrite = 0x04;
inline constexpr std::uint32_t kPageWriteCopy = 0x08;
inline constexpr std::uint32_t kPageExecute = 0x10;
inline constexpr std::uint32_t kPageExecuteRead = 0x20;
inline constexpr std::uint32_t kPageExecuteReadWrite = 0x40;
inline constexpr std::uint32_t kPageExecuteWriteCopy = 0x80;
inline constexpr std::uint32_t kPageSize = 0x1000;

// True for the protections that let the process's own stores into the page.
constexpr bool IsWritableProtection(std::uint32_t p) {
    return p == kPageReadWrite || p == kPageWriteCopy || p == kPageExecuteReadWrite || p == kPageExecuteWriteCopy;
}

class ProcessPort {
public:
    virtual ~ProcessPort() = default;

    // Opens the process with the access rights, not inheritable. Returns 0 when it cannot be opened.
    virtual ProcessHandle Open(std::uint32_t processId, std::uint32_t access) = 0;

    // Closes a handle that Open or Start gave.
    virtual void Close(ProcessHandle process) = 0;

    // Reads size bytes at the address of the process into buffer. Returns true only if all were read.
    virtual bool ReadMemory(ProcessHandle process, std::uint32_t address, void* buffer, std::uint32_t size) = 0;

    // Writes size bytes from data at the address of the process. Returns true only if all were written.
    virtual bool WriteMemory(ProcessHandle process, std::uint32_t address, const void* data, std::uint32_t size) = 0;

    // Gives the pages holding the size bytes at the address the protection; puts the earlier
    // protection of the first page in *previous when given. Returns true on success.
    virtual bool ProtectMemory(ProcessHandle process, std::uint32_t address, std::uint32_t size,
                               std::uint32_t protection, std::uint32_t* previous) = 0;

    // Returns the protection of the page holding the address, or nothing when no page is there.
    virtual std::optional<std::uint32_t> QueryProtection(ProcessHandle process, std::uint32_t address) = 0;

    // Tells the process to end with the exit code, without waiting. Returns true if it was told.
    virtual bool Terminate(ProcessHandle process, std::uint32_t exitCode) = 0;

    // Waits up to timeoutMs for the process to end. Returns true if it has ended.
    virtual bool WaitForExit(ProcessHandle process, std::uint32_t timeoutMs) = 0;

    // Returns the id of the calling process.
    virtual std::uint32_t CurrentProcessId() = 0;

    // Starts a program from a command line (its path first, quoted when it holds blanks); the
    // program is ended when the calling process ends. Returns a handle with every access right
    // and puts the new process's id in *processId, or returns 0 when it could not be started.
    virtual ProcessHandle Start(const std::string& commandLine, std::uint32_t* processId) = 0;
};

// Owns a process handle of a port and closes it when it goes.
class ScopedProcess {
public:
    ScopedProcess(ProcessPort& port, ProcessHandle handle) : port_(&port), handle_(handle) {}
    ~ScopedProcess() { reset(); }
    ScopedProcess(const ScopedProcess&) = delete;
    ScopedProcess& operator=(const ScopedProcess&) = delete;
    ScopedProcess(ScopedProcess&& o) noexcept : port_(o.port_), handle_(std::exchange(o.handle_, 0)) {}

    ProcessHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    void reset() {
        if (handle_ != 0) port_->Close(std::exchange(handle_, 0));
    }

private:
    ProcessPort* port_;
    ProcessHandle handle_;
};

}  // namespace platform

// Windows, keyboard input, window messages and other processes on the Win32 API.
#include "platform/win32/Win32Adapters.h"

#include "platform/win32/WinApi.h"

#include <map>
#include <vector>

#include "platform/CallbackFailure.h"
#include "platform/EventLoop.h"
#include "platform/win32/MessageLoop.h"

namespace platform::win32 {

namespace {
HANDLE ToHandle(ProcessHandle p) { return reinterpret_cast<HANDLE>(p); }
void* At(std::uint32_t address) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)); }

// Every program started through Start runs in this job, which ends them when this process ends.
HANDLE ChildJob() {
    static HANDLE job = [] {
        HANDLE j = ::CreateJobObjectA(nullptr, nullptr);
        if (j) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            ::SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        }
        return j;
    }();
    return job;
}
}  // namespace

// --- desktop ---

namespace {
MessageFilter& Filter() {
    static MessageFilter filter = nullptr;
    return filter;
}
}  // namespace

void SetMessageFilter(MessageFilter filter) { Filter() = filter; }

void DispatchMessageThroughFilter(MSG& msg) {
    if (Filter() != nullptr && Filter()(msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

namespace {
// The thread timers of the GUI thread, by the id SetTimer gave them.
std::map<UINT_PTR, std::function<void()>>& Timers() {
    static std::map<UINT_PTR, std::function<void()>> timers;
    return timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    auto it = Timers().find(id);
    if (it == Timers().end()) return;
    std::function<void()> tick = it->second;  // the tick may stop its own timer
    try {
        tick();
    } catch (...) {
        ReportCallbackFailure(std::current_exception());
    }
}
}  // namespace

std::uint32_t Win32Desktop::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    const UINT_PTR id = ::SetTimer(nullptr, 0, intervalMs == 0 ? 1 : intervalMs, &TimerProc);
    if (id == 0) return 0;
    Timers()[id] = std::move(tick);
    return static_cast<std::uint32_t>(id);
}

void Win32Desktop::StopTimer(std::uint32_t id) {
    if (Timers().erase(id) == 0) return;
    ::KillTimer(nullptr, id);
}

WindowHandle Win32Desktop::FindTopWindow(const std::string& className) {
    return FromHwnd(::FindWindowA(className.c_str(), nullptr));
}

std::uint32_t Win32Desktop::WindowProcessId(WindowHandle window) {
    DWORD pid = 0;
    if (window == 0 || ::GetWindowThreadProcessId(ToHwnd(window), &pid) == 0) return 0;
    return pid;
}

// From the first top-level window down the Z order; GetParent gives a popup's owner.
WindowHandle Win32Desktop::FirstUnownedWindowOf(std::uint32_t processId) {
    for (HWND w = ::FindWindowA(nullptr, nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        DWORD pid = 0;
        if (!::GetParent(w) && ::GetWindowThreadProcessId(w, &pid) && pid == processId) return FromHwnd(w);
    }
    return 0;
}

WindowHandle Win32Desktop::ForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

bool Win32Desktop::IsWindow(WindowHandle window) { return window != 0 && ::IsWindow(ToHwnd(window)); }

void Win32Desktop::KeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                            std::uintptr_t extraInfo) {
    ::keybd_event(virtualKey, scanCode, flags, extraInfo);
}

bool Win32Desktop::SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                                 &result) != 0;
}

bool Win32Desktop::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return ::PostMessageA(ToHwnd(window), message, wParam, lParam) != 0;
}

void Win32Desktop::PumpEvents() {
    RunHeldDriverActions();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit to the loop that owns the thread.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchMessageThroughFilter(msg);
        RunHeldDriverActions();
    }
}

// A message of no window, which only ends the wait for messages.
void Win32Desktop::Wake() { ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0); }

void Win32Desktop::WaitForEvents(std::uint32_t timeoutMs) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// --- processes ---

ProcessHandle Win32Processes::Open(std::uint32_t processId, std::uint32_t access) {
    return reinterpret_cast<ProcessHandle>(::OpenProcess(access, FALSE, processId));
}

void Win32Processes::Close(ProcessHandle process) { ::CloseHandle(ToHandle(process)); }

bool Win32Processes::ReadMemory(ProcessHandle process, std::uint32_t address, void* buffer, std::uint32_t size) {
    SIZE_T done = 0;
    return ::ReadProcessMemory(ToHandle(process), At(address), buffer, size, &done) && done == size;
}

bool Win32Processes::WriteMemory(ProcessHandle process, std::uint32_t address, const void* data,
                                 std::uint32_t size) {
    SIZE_T done = 0;
    return ::WriteProcessMemory(ToHandle(process), At(address), data, size, &done) && done == size;
}

bool Win32Processes::ProtectMemory(ProcessHandle process, std::uint32_t address, std::uint32_t size,
                                   std::uint32_t protection, std::uint32_t* previous) {
    DWORD old = 0;
    if (!::VirtualProtectEx(ToHandle(process), At(address), size, protection, &old)) return false;
    if (previous) *previous = old;
    return true;
}

std::optional<std::uint32_t> Win32Processes::QueryProtection(ProcessHandle process, std::uint32_t address) {
    MEMORY_BASIC_INFORMATION info{};
    if (::VirtualQueryEx(ToHandle(process), At(address), &info, sizeof info) != sizeof info ||
        info.State != MEM_COMMIT)
        return std::nullopt;
    return info.Protect;
}

bool Win32Processes::Terminate(ProcessHandle process, std::uint32_t exitCode) {
    return ::TerminateProcess(ToHandle(process), exitCode) != 0;
}

bool Win32Processes::WaitForExit(ProcessHandle process, std::uint32_t timeoutMs) {
    return ::WaitForSingleObject(ToHandle(process), timeoutMs) == WAIT_OBJECT_0;
}

std::uint32_t Win32Processes::CurrentProcessId() { return ::GetCurrentProcessId(); }

ProcessHandle Win32Processes::Start(const std::string& commandLine, std::uint32_t* processId) {
    if (processId) *processId = 0;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &info))
        return 0;
    if (HANDLE job = ChildJob()) ::AssignProcessToJobObject(job, info.hProcess);
    ::ResumeThread(info.hThread);
    ::CloseHandle(info.hThread);
    if (processId) *processId = info.dwProcessId;
    return reinterpret_cast<ProcessHandle>(info.hProcess);
}

}  // namespace platform::win32

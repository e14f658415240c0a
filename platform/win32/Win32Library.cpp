#include "platform/Library.h"
#include "platform/win32/WinApi.h"

#include <new>

namespace platform {

namespace {

HMODULE Module(LibraryHandle library) { return reinterpret_cast<HMODULE>(library); }

struct ThreadStart {
    void (*procedure)(void*);
    void* argument;
    HMODULE library;
};

DWORD WINAPI RunLibraryThread(void* p) {
    const ThreadStart start = *static_cast<ThreadStart*>(p);
    delete static_cast<ThreadStart*>(p);
    start.procedure(start.argument);
    // Does not return: the library may be unmapped by it.
    ::FreeLibraryAndExitThread(start.library, 0);
}

}  // namespace

LibraryHandle LoadLibraryFile(const std::string& path) {
    return reinterpret_cast<LibraryHandle>(::LoadLibraryA(path.c_str()));
}

void* LibraryExport(LibraryHandle library, const char* name) {
    return library ? reinterpret_cast<void*>(::GetProcAddress(Module(library), name)) : nullptr;
}

void FreeLibraryHandle(LibraryHandle library) {
    if (library) ::FreeLibrary(Module(library));
}

bool IsLibraryMapped(const std::string& fileName) { return ::GetModuleHandleA(fileName.c_str()) != nullptr; }

bool StartLibraryThread(void (*procedure)(void*), void* argument) {
    HMODULE library = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(procedure), &library))
        return false;
    auto* start = new (std::nothrow) ThreadStart{procedure, argument, library};
    HANDLE thread = start ? ::CreateThread(nullptr, 0, RunLibraryThread, start, 0, nullptr) : nullptr;
    if (!thread) {
        // The reference stays: a library must not be freed from inside its entry function.
        delete start;
        return false;
    }
    ::CloseHandle(thread);
    return true;
}

}  // namespace platform

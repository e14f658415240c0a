// The only way into windows.h. Only the win32/ folders hold code for Win32.
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // Windows 7
#endif
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <wincrypt.h>
#include <wininet.h>

// The ports use these names for their own operations; the Win32 code calls the A forms.
#undef CopyFile
#undef MoveFile
#undef DeleteFile

#include "platform/Desktop.h"

namespace platform::win32 {

// A window handle of the ports and the HWND it stands for.
inline HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
inline WindowHandle FromHwnd(HWND h) { return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(h)); }

// Owns a handle and closes it with Traits::Close; Traits::Invalid is the empty value.
template <class Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;
    ScopedHandle() = default;
    explicit ScopedHandle(Handle h) : h_(h) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& o) noexcept : h_(o.release()) {}
    ScopedHandle& operator=(ScopedHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = o.release();
        }
        return *this;
    }
    Handle get() const { return h_; }
    explicit operator bool() const { return Traits::IsValid(h_); }
    Handle release() {
        Handle h = h_;
        h_ = Traits::Invalid();
        return h;
    }
    void reset(Handle h = Traits::Invalid()) {
        if (Traits::IsValid(h_)) Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { ::FindClose(h); }
};

struct CryptProviderTraits {
    using Handle = HCRYPTPROV;
    static Handle Invalid() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static void Close(Handle h) { ::CryptReleaseContext(h, 0); }
};

struct CryptHashTraits {
    using Handle = HCRYPTHASH;
    static Handle Invalid() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static void Close(Handle h) { ::CryptDestroyHash(h); }
};

struct InternetHandleTraits {
    using Handle = void*;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h);
};

// A COM interface pointer, released when it goes.
template <class Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { h->Release(); }
};
template <class Interface>
using ScopedCom = ScopedHandle<ComTraits<Interface>>;

using ScopedFileHandle = ScopedHandle<FileHandleTraits>;
using ScopedFindHandle = ScopedHandle<FindHandleTraits>;
using ScopedCryptProvider = ScopedHandle<CryptProviderTraits>;
using ScopedCryptHash = ScopedHandle<CryptHashTraits>;

}  // namespace platform::win32

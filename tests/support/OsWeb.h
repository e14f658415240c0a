// This build's HTTP adapter and web panes on the real network stack: libcurl and a fetching
// recorder natively, WinINet on Windows. For the tests against the local event server.
#pragma once
#ifdef _WIN32
#include "platform/win32/Win32Adapters.h"
#else
#include "platform/native/CurlHttp.h"
#include "platform/native/NativeAdapters.h"
#endif

namespace vmtest {

#ifdef _WIN32
using OsHttp = platform::win32::WinInetHttp;
struct OsPanes {
    platform::win32::WinInetWebPanes panes;
    // Waits until every navigation so far has reached the server or failed.
    void Flush() { panes.Flush(); }
};
#else
using OsHttp = platform::CurlHttp;
struct OsPanes {
    OsHttp http;
    platform::FetchingWebPanes panes{&http};
    void Flush() {}  // each navigation is fetched before Navigate returns
};
#endif

}  // namespace vmtest

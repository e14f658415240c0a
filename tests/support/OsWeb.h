// This build's HTTP adapter and web panes on the real network stack: libcurl natively, WinINet
// on Windows, under the queued panes that both builds share. For the tests against the local
// event server.
#pragma once
#include "platform/WebPane.h"
#ifdef _WIN32
#include "platform/win32/Win32Adapters.h"
#else
#include "platform/native/CurlHttp.h"
#endif

namespace vmtest {

#ifdef _WIN32
using OsHttp = platform::win32::WinInetHttp;
#else
using OsHttp = platform::CurlHttp;
#endif

struct OsPanes {
    OsHttp http;
    platform::QueuedWebPanes panes{http};
    // Waits until every navigation so far has reached the server or failed.
    void Flush() { panes.Flush(); }
};

}  // namespace vmtest

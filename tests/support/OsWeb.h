// This build's HTTP adapter and web panes on the real network stack: libcurl natively, WinINet
// on Windows, under the queued panes that both builds share. For the tests against the local
// event server.
#pragma once
#include <cstdlib>
#include <string>

#include "platform/Http.h"
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

// The address of the local event server that scripts/with-event-server runs, or "" outside it.
inline std::string EventServerAddress() {
    const char* address = std::getenv("VM_EVENT_SERVER");
    return address != nullptr ? address : "";
}
// Empties the event server's record of requests; false when it does not answer.
inline bool ResetEventServer(platform::HttpPort& http, const std::string& server) {
    return !server.empty() && http.Get(server + "/__reset", 10).has_value();
}
// The request targets the event server received since its reset, a line each.
inline std::string EventServerRequests(platform::HttpPort& http, const std::string& server) {
    return http.Get(server + "/__requests", 10).value_or("<failed>");
}

}  // namespace vmtest

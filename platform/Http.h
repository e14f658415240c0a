// Blocking HTTP GET.
// This file must contain only operating-system independent declarations.
#pragma once
#include <optional>
#include <string>

namespace platform {

// How long a GET waits unless told otherwise; the pages of the web panes wait as long.
inline constexpr int kHttpTimeoutSeconds = 60;

class HttpPort {
public:
    virtual ~HttpPort() = default;

    // Fetches url with a GET and waits up to timeoutSeconds. Returns the body's bytes
    // (text replies as they come), or nothing when the request failed or the status was not 2xx.
    virtual std::optional<std::string> Get(const std::string& url, int timeoutSeconds = kHttpTimeoutSeconds) = 0;
};

}  // namespace platform

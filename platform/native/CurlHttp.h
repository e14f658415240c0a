// HTTP GET on libcurl, for native runs against a real server.
#pragma once
#include "platform/Http.h"

namespace platform {

class CurlHttp : public HttpPort {
public:
    std::optional<std::string> Get(const std::string& url, int timeoutSeconds = kHttpTimeoutSeconds) override;
};

}  // namespace platform

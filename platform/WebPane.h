// The main window's web panes ("wb", "wbCar"), through which the result records reach the server.
// This file must contain only operating-system independent declarations.
#pragma once
#include <string>

namespace platform {

class WebPanePort {
public:
    virtual ~WebPanePort() = default;

    // Opens address in the named pane: an http(s) address reaches its server as a GET, whether
    // or not the pane can show the page. Returns without reporting how the page loaded.
    virtual void Navigate(const std::string& pane, const std::string& address) = 0;
};

// True for the addresses a pane fetches from a web server (http:// and https://, any case).
bool IsWebAddress(const std::string& address);

}  // namespace platform

// The system's WebBrowser control, hosted in a window with plain COM: client site, in-place site
// and frame, and a sink of the browser's events. Only the win32/ folders hold code for Win32.
#pragma once
#include <string>

#include "platform/win32/WinApi.h"

namespace ui::win32 {

// What the browser reports of its top page, on the window thread.
class BrowserEvents {
public:
    virtual ~BrowserEvents() = default;
    // The page's reply has come.
    virtual void PageArrived() = 0;
    // The page has loaded, or it failed.
    virtual void PageEnded(bool failed) = 0;
};

class BrowserSite {
public:
    // Creates the browser in window, activates it in place, and tells it to open about:blank.
    // Returns nullptr when any of that fails (then nothing of it is left).
    static BrowserSite* Create(HWND window, BrowserEvents& events);

    // Opens the address without the cache. Returns false when the browser refused to.
    virtual bool Navigate(const std::string& address) = 0;
    // Puts the browser over r of the window.
    virtual void Fit(const RECT& r) = 0;
    // Stops and releases the browser; no event reaches the pane any more. The site goes with it.
    virtual void Close() = 0;

protected:
    ~BrowserSite() = default;
};

}  // namespace ui::win32

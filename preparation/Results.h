// What the driver does with the results: the manual upload, the times log, and web pages in
// the default browser.
#pragma once
#include <string>

#include "platform/Shell.h"

namespace gFunc {

// Sends the kept start and finish records of the last stage once more, through the web pane
// "wb"; without both it refuses with a message and sends nothing.
void UploadStageTime();

// Saves the driver, the car label and resultsText (the main window's results box) as
// "qvrLog_yyyymmdd_hhnnss.txt" in the program folder and says so in a message.
void SaveTimesLog(const std::string& resultsText);

// Opens address in the default browser, owned by the calling window; failures are ignored.
void OpenUrl(platform::WindowHandle form, const std::string& address);

}  // namespace gFunc

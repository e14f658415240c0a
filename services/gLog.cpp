#include "services/gLog.h"

#include <memory>

#include "platform/Ports.h"
#include "services/ProgramState.h"
#include "services/TimeText.h"

namespace gLog {

namespace {

struct LogState {
    std::unique_ptr<platform::AppendStream> file;  // open while the log is
};
vm::ProgramWide<LogState> state;

const std::string kStars(47, '*');

void WriteStartBanner() {
    WriteLog(kStars);
    WriteLog("START Velomark ON " + vm::FormatTimeStamp(platform::clock().Now()));
    WriteLog(kStars);
    WriteLog(" ");
    WriteLog(" ");
}

void WriteEndBanner() {
    WriteLog(" ");
    WriteLog(" ");
    WriteLog(kStars);
    WriteLog("END Velomark ON " + vm::FormatTimeStamp(platform::clock().Now()));
    WriteLog(kStars);
}

}  // namespace

bool gLogOpen() { return state.file != nullptr; }

void OpenLog() {
    if (gLogOpen()) return;
    std::string name = "c:\\VelomarkLog_" + vm::FormatCompactStamp(platform::clock().Now()) + ".txt";
    state.file = platform::fileSystem().OpenAppend(name);
    if (gLogOpen()) WriteStartBanner();
}

void WriteLog(const std::string& text) {
    if (gLogOpen()) state.file->Write(text + "\r\n");
}

void WriteLogTimed(const std::string& text) {
    if (gLogOpen()) WriteLog(vm::FormatTimeStamp(platform::clock().Now()) + " " + text);
}

void CloseLog() {
    if (!gLogOpen()) return;
    WriteEndBanner();
    state.file.reset();
}

}  // namespace gLog

// The run log: one text file per run at the root of drive C:, open from start-up to exit.
#pragma once
#include <string>

namespace gLog {

// Opens (or appends to) "c:\VelomarkLog_YYYYMMDDhhNNss.txt" and writes the start banner.
// When the file cannot be opened, the run goes on and every write is skipped.
void OpenLog();
// Appends text as a line; each line reaches the file before the call returns.
void WriteLog(const std::string& text);
// Appends "YYYY-MM-DD hh:nn:ss " and text as a line.
void WriteLogTimed(const std::string& text);
// Writes the end banner and closes the file; does nothing when the log is not open.
void CloseLog();

// True while the log file is open.
bool gLogOpen();

}  // namespace gLog

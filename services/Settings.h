// The client's settings file velomark.ini and the values derived from it, and the restore tool's
// settings (module qvrMod).
#pragma once
#include <string>

namespace qvrMod {

// The registry key whose default value is the host's install folder (HKEY_LOCAL_MACHINE).
inline constexpr const char* kHostInstallKey = "SOFTWARE\\Lumera Games\\Kovarra\\InstallPath";
// The live web server, used when the settings file names none.
inline constexpr const char* kLiveWebBase = "http://www.velomark-rally.net";

// A file of the client's own, in the program folder: a drive root ("C:\") already ends in a
// backslash, any longer folder gets one.
std::string ProgramFile(const std::string& name);

// Loads the host folder, the decimal separator, the Windows folder and velomark.ini, and
// derives the backup paths and web addresses. Nothing is reported; missing values keep theirs.
void LoadSettings();

// The host's install folder from the registry, or empty text when it names none.
std::string ReadHostPath();

// The restore tool's settings: the host folder, then the audio and physics backup paths.
void LoadRestoreSettings();

// Writes the settings back into velomark.ini ([MAIN] W is never written).
void SaveSettings();

}  // namespace qvrMod

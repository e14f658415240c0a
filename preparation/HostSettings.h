// The host's settings that events need, the progress code of the preparation, and the launch.
#pragma once
#include <cstdint>
#include <string>

namespace gFunc {

// The host's settings file in its folder.
inline constexpr const char* kHostSettings = "Kovarra.ini";

// A file of the host's: gHostPath & "\" & name (name without a leading backslash).
std::string HostFile(const std::string& name);

// Makes the host's Kovarra.ini writable and writes [Velomark] Debug = code into it, directly
// through the profile writer; gIniFile is not touched.
void SetHostDebugCode(const std::string& code);

// Writes the host defaults: Kovarra.ini RunIntro=false (and Fullscreen=true unless in testing
// mode or keepDisplayMode, which a replay in a display mode of its own gives),
// Cars\GhostCarSettings.ini MaxOpacity=0.0, audio.ini NumberChannels=8, each file made
// writable first; a missing file is created. Leaves gIniFile on audio.ini.
void WriteHostDefaults(bool keepDisplayMode);

// Writes the menu car index (gCar) into Cars\cars.ini, then opens the host's executable.
// Returns the shell's result: above 32 when the host was opened.
std::int32_t LaunchHost();

}  // namespace gFunc

namespace ShellMod {

// Opens file through the shell with the host folder as working folder. Returns the shell's result.
std::int32_t OpenFile(const std::string& file);

}  // namespace ShellMod

// The backups the client keeps in the host folder and the restore tool puts back, by their
// paths relative to the host folder. The installation run writes them (except the audio
// backup, which the user provides); the restore tool reads them.
#pragma once

namespace vm::backups {

inline constexpr const char* kPhysicsFile = "\\physics_bkp_by_Velomark.qvz";  // the host's physics.qvz
inline constexpr const char* kPhysicsFolder = "\\physics_bkp_by_Velomark";    // its unpacked Physics folder
inline constexpr const char* kScriptsFile = "\\scripts_bkp_by_Velomark.qvz";  // the host's Scripts.qvz
inline constexpr const char* kScriptsFolder = "\\scripts_bkp_by_Velomark";    // its unpacked Scripts folder
inline constexpr const char* kCarList = "\\Cars\\Cars_vlmk.ini";              // the host's car list
inline constexpr const char* kMaterials = "\\Maps\\MatBkp_by_vlmk.zip";       // "Maps\*.mat" and "*.ini", packed
inline constexpr const char* kAudioFile = "\\audio_bkp_by_Velomark.ini";      // the host's audio.ini

}  // namespace vm::backups

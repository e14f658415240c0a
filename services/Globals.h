// The client's program-wide settings, event state and current choice.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "services/ProgramState.h"

namespace vm {

// What the settings file remembers for one car class.
struct ClassCar {
    std::int32_t slot = 0;  // host car slot (CARk)
    std::int32_t id = 0;    // catalogue id (CARk_p)
};

// The marker of a setup slot that keeps the host's own default setup.
inline constexpr const char* kDefaultSetup = "Default setup";
inline constexpr int kSetupSlots = 4;

struct Globals {
    // Settings, loaded and saved by qvrMod.
    std::string gHostPath;    // host install folder, no trailing backslash
    std::string gDecimalSep;  // the user's decimal separator
    std::string gWinDir;      // Windows folder
    std::string gIniFile;     // the file ReadWrite acts on; set by each caller
    std::string gDriverName;
    std::string gDriverPwd;
    std::string gWebBase;     // scheme and host, no trailing slash
    std::int32_t gCountry = 0;
    std::int32_t gStage = 0;
    std::int32_t gWeather = 0;
    std::int32_t gCar = 0;                // host car slot of the chosen car
    std::array<ClassCar, 11> gCatCars{};  // per car class 1..10; [0] unused
    std::int32_t gDamage = 0;
    std::int32_t gStageId = 0;
    std::int16_t gTyreType = 0;
    std::int16_t gTyre = 0;
    double gStepCam = 0;

    // Derived from gHostPath at load.
    std::string gPhysicsBkpFile, gPhysicsBkpDir, gScriptsBkpFile, gScriptsBkpDir;
    std::string gAudioBkpFile;  // the restore tool's only
    // Derived from gWebBase at load.
    std::string gUrlHotLaps, gUrlTime, gUrlRoadbook, gUrlDriver, gUrlLog, gUrlCarImage, gUrlError, gUrlRank;

    // Event state.
    std::string gRallyPwd;     // the event password the driver typed
    std::string gRoadbookPwd;  // the roadbook's event password
    std::int16_t gStartRank = 0;
    std::int16_t gStartDelay = 0;
    std::int16_t gCurrentSS = 0;
    bool gTestSwitch = false;  // the command line was the testing-mode access code
    std::uint8_t gTestFlag = 0;
    std::string gCarLabel;     // class tag and car name, set at log-in

    // The client's run.
    std::string gAppVersion;          // "major.minor.revision" of the running program
    std::int16_t gMenuStarted = 0;    // the host-menu driver has begun
    std::uint8_t gClientReady = 0;    // 1 once the main window is set up; until then a host found is ended
    bool gReadyForSS = false;         // the next SS may be armed
    std::int16_t gStagePhase = 0;
    std::int32_t gHostOption = 0;     // sent in the result records; always 0
    std::string gWebPage;             // what the main window's pane wb shows
    // The host's display settings as the main window found them (Kovarra.ini [Settings]), put
    // back after a replay.
    std::string gHostFullscreen;
    std::int16_t gHostDepth = 0, gHostXRes = 0, gHostYRes = 0;

    // Current choice.
    std::int32_t gHostTrackId = 0;
    std::string gSkyName;
    std::uint8_t gSkyIndex = 0;
    bool gSkyBusy = false;  // the sky list is being filled: the weather selector's handler keeps out
    std::uint8_t gHumid = 0;
    std::uint8_t gWear = 0;
    std::int32_t gCarPlus = 0;     // catalogue id of the chosen car
    std::int32_t gCarCategory = 0;  // car class 1..10
    // Setup slots 0..3 (0 gravel, 1 tarmac, 2 snow; 3 unused): the chosen setup file's path or
    // kDefaultSetup, and the text read from it.
    std::array<std::string, kSetupSlots> gSetupFile{kDefaultSetup, kDefaultSetup, kDefaultSetup, kDefaultSetup};
    std::array<std::string, kSetupSlots> gSetupText{};
};

inline ProgramWide<Globals> g;

}  // namespace vm

// What the client knows of the running host and of the stage being driven: the start's modes,
// the stage monitor's flags and the texts of the stage line.
#pragma once
#include <cstdint>
#include <string>

#include "services/ProgramState.h"
#include "services/StageChoice.h"

namespace vm {

struct StageState {
    // Modes of the start.
    bool gReplayFlag = false;  // a replay start is running the start procedure
    std::string gHotLapMode;   // "HOTLAPS" while hot-lap mode is on

    // The host run, as the stage monitor follows it.
    bool gHostRunning = false;   // the host window has been seen
    bool gStageRunning = false;  // the start of this host run has been handled
    bool gFinishSeen = false;    // the finish of the current stage has been handled
    bool gSplit1Read = false, gSplit2Read = false;
    bool gStageEnded = false;    // a finish was recorded since the last start
    bool gRetired = false;       // the driver retired in this run
    bool gResultPending = false;  // a result may still be sent for this start
    std::string gSplit1Text, gSplit2Text;  // " s1[mm:ss.hh]", " s2[mm:ss.hh]"
    std::string gWeatherMark;              // "*" for a finish in bad conditions

    // What the last start opened the host for. While its host runs, that host is driven with
    // it and reports it, whatever the driver picks meanwhile for the next start.
    StageChoice gStarted;
    bool gStartLaunched = false;  // the last start opened the host; the next host run is its
    std::uint32_t gStartLaunchedAt = 0;  // the tick count of that opening
    bool gStartRun = false;       // the host run followed now is the one the last start opened
    std::uint32_t gHostRunsEnded = 0;  // tells a wait whether the host run it began in has ended
    bool gClosingHost = false;         // a start is closing the host for the next: no retirement
};

inline ProgramWide<StageState> stage;

}  // namespace vm

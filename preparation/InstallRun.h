// The installation run: before each start of the host, the physics package of the chosen class
// with the chosen car in its host slot and the driver's setups, the scripts package, the slot's
// section of the car list, and the stage's maps and materials; with one-time backups of what the
// host had before the client first touched it. Every step is announced by a progress code in
// the host's settings file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "preparation/FileSteps.h"
#include "services/ProgramState.h"

namespace gFunc {

struct InstallRunState {
    // The steps of the last run that failed, in order.
    std::vector<StepFailure> lastFailures;
};
inline vm::ProgramWide<InstallRunState> installRun;

// Prepares the host folder for the chosen car (gCarCategory and its remembered car), stage and
// surface; slot (the caller passes gCar) and the surface code (gFunc::kNoSurface when none is
// chosen) go on to the maps step. Returns 1 when the physics
// package with the car, the scripts package, the car list and the maps step all succeeded and
// the repacked physics package reads back whole, otherwise 0. Goes on past a failed step, but
// a step whose input a failure left missing does nothing, so that no original is touched
// without its backup. Refuses to run (0, nothing touched) when gHostPath is empty.
std::int16_t PrepareHostInstall(std::int16_t slot, std::int32_t surface);

// Puts the class package of gCarCategory in the place of "\Physics.qvz", setting the host's
// "\Physics" folder and package aside once. Returns 1; stops at its first failure (FileError).
std::int16_t InstallPhysicsArchive();

// Puts the scripts package in the place of "\Scripts.qvz", setting the host's "\Scripts"
// folder and package aside once. Returns 1; stops at its first failure (FileError).
std::int16_t InstallScriptsArchive();

// Deletes a folder (one trailing backslash dropped), read-only files too. Returns true when it
// was deleted and no longer exists; every failure is absorbed into false.
bool DeleteFolderSafe(std::string path);

}  // namespace gFunc

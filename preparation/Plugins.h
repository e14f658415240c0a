// The plug-in whitelist: before each start the host's "Plugins" folder keeps only the plug-ins
// the client expects; every other file goes to "Plugins\VLMK-BKP", where the host does not
// load it.
#pragma once
#include <optional>
#include <string>

#include "plugins/PluginDigests.h"
#include "preparation/FileSteps.h"

namespace gFunc {

// Keeps "avviora.dll", "Z.dll", "shifter.ini", "qvr_rx.dll", "light.dll" and a "shifter.dll"
// whose digest is expectedShifterMd5 (our own build's), names compared as Windows compares
// them; moves every other file directly in "\Plugins" to "\Plugins\VLMK-BKP", replacing an
// older copy there. Stops at its first failure: the files handled before stay moved. Returns
// that failure, or nothing when every file was handled.
[[nodiscard]] std::optional<FileFailure> QuarantinePlugins(const std::string& expectedShifterMd5 = vm::build::kShifterMd5);

}  // namespace gFunc

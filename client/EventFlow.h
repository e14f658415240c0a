// What the pieces of the main window (set-up, SS, start, menus, timers) share.
#pragma once
#include <cstdint>

#include "ui/Controls.h"

namespace client {

// The surface code (0 tarmac, 1 gravel, 2 snow) of the chosen entry of a surface list, or
// gFunc::kNoSurface when none is chosen.
std::int32_t ChosenSurface(const ui::ComboBox& surface);

// Selects entry index of the list, which runs its click handler, when the list holds it.
// Returns false, with the list left as it was, when it does not.
bool SelectIfListed(ui::ComboBox& list, std::int32_t index);

// Display mode k (0..15) of a replay, as the host's settings write it: the size by k % 4, the
// colour depth by (k / 4) % 2, full screen for k below 8.
struct ReplayMode {
    const char* xRes;
    const char* yRes;
    const char* depth;
    bool fullscreen;
};
ReplayMode ReplayModeOf(int k);

}  // namespace client

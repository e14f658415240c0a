// What the pieces of the main window (set-up, special stages, start, timers) share.
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

}  // namespace client

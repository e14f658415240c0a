// What the start and the timers of the main window share.
#pragma once
#include <cstdint>

#include "ui/Controls.h"

namespace client {

// The surface code (0 tarmac, 1 gravel, 2 snow) of the chosen entry of a surface list, or
// gFunc::kNoSurface when none is chosen.
std::int32_t ChosenSurface(const ui::ComboBox& surface);

}  // namespace client

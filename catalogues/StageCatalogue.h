// The special stages of each country and the filling of the main window's stage selector.
// An entry shows the stage's name and length ("Kaihuavaara       [6100m]") and carries the
// stage id, the key of a stage throughout the client, as item data.
#pragma once
#include <cstdint>
#include <span>

namespace ui {
class ComboBox;
}

namespace gFill {

struct StageEntry {
    const char* text;  // as the selector shows it
    std::int32_t id;
};

// The fixed stages of country 0..7 in list order; nothing for any other country.
std::span<const StageEntry> StageList(int country);

// Fills the stage selector with the stages of the country (0..7), with the entries of the
// host's track folder "RX_CONTENT\Tracks" (8, no item data), or with nothing (any other
// index); moves gStage onto the last entry when it lies past the end, then selects entry
// gStage. Failures are ignored step by step.
void FillStages(ui::ComboBox& cmbStage, std::int16_t country);

}  // namespace gFill

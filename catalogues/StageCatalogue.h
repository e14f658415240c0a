// The stages of each country and the filling of the main window's stage selector.
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

// Where a stage id stands: its country and its index in that country's list, -1 when no
// list holds it. A roadbook names a stage by its id.
struct StagePlace {
    int country = 0;
    int index = -1;
    bool operator==(const StagePlace&) const = default;
};

// The country and list index of a stage id. An id that no list holds keeps the country it
// belongs to (96: Czech Republic) or gets country 0, and index -1.
StagePlace PlaceOfStage(std::int32_t stageId);

// The host's own track id of a stage id: the id itself except where the host numbers the
// track otherwise (16 is the host's track 12, 114 its track 41, ...).
std::int32_t HostTrackId(std::int32_t stageId);

// Fills the stage selector with the stages of the country (0..7), with the entries of the
// host's track folder "RX_CONTENT\Tracks" (8, no item data), or with nothing (any other
// index); moves gStage onto the last entry when it lies past the end, then selects entry
// gStage. Failures are ignored step by step.
void FillStages(ui::ComboBox& cmbStage, std::int16_t country);

}  // namespace gFill

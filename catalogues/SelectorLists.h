// The fixed lists of the main window's selectors: country, tyre type, tyre wear, humidity,
// damage level and surface. The list index is the value the client keeps; a surface entry
// also carries its surface code (0 tarmac, 1 gravel, 2 snow) as item data.
#pragma once
#include <cstdint>

namespace ui {
class ComboBox;
}

namespace gFill {

// The country index of "BTB Tracks", whose stages are the host's track folder.
inline constexpr int kBtbTracks = 8;

// Fills the country, tyre type, tyre wear, humidity (mode 0) and damage lists, in this order.
// Wear selects "Normal" and humidity "Dry"; the others are left without a selection.
void FillCombos(ui::ComboBox& country, ui::ComboBox& tyre, ui::ComboBox& wear, ui::ComboBox& humid,
                ui::ComboBox& damage);

// Fills the humidity list: mode 0 "Dry", "Damp", "Wet"; 1 "Dry", "Damp"; 2 "Dry"; the first
// entry selected. Any other mode leaves the list empty and selects nothing.
void FillHumidity(ui::ComboBox& humid, std::int16_t mode);

// Fill the surface list with "Tarmac" only or "Gravel" only, selected.
void FillSurfaceTarmac(ui::ComboBox& surface);
void FillSurfaceGravel(ui::ComboBox& surface);
// Fill it with "Tarmac", "Gravel" (and "Snow" for All) and select the entry at index; an
// index outside the list is a control error.
void FillSurfaceMixed(ui::ComboBox& surface, std::int16_t index);
void FillSurfaceAll(ui::ComboBox& surface, std::int16_t index);

}  // namespace gFill

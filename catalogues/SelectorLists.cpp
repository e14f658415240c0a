#include "catalogues/SelectorLists.h"

#include <span>

#include "ui/Controls.h"

namespace gFill {

namespace {

// Country index 8 is kBtbTracks.
constexpr const char* kCountries[] = {"Finland", "England",        "Australia", "France",    "Japan",
                                      "USA",     "Czech Republic", "Portugal",  "BTB Tracks"};
constexpr const char* kTyreTypes[] = {"Tarmac Dry", "Tarmac Int", "Tarmac Wet", "Gravel Dry",
                                      "Gravel Int", "Gravel Wet", "Snow"};
constexpr const char* kWear[] = {"New", "Normal", "Worn"};
constexpr const char* kHumidity[] = {"Dry", "Damp", "Wet"};
constexpr const char* kDamage[] = {"Off", "Safe", "Reduced", "Realistic"};

// The surfaces; each one's code is its place here.
constexpr const char* kSurfaces[] = {"Tarmac", "Gravel", "Snow"};

// Replaces a list's entries by texts, in order, and selects the entry select (-1: none).
// Selecting runs the list's click handler.
void Fill(ui::ComboBox& combo, std::span<const char* const> texts, int select) {
    combo.Clear();
    for (const char* text : texts) combo.AddItem(text);
    if (select != -1) combo.SetListIndex(select);
}

// The surfaces first .. first + count - 1, each with its code, then index selected.
void FillSurfaces(ui::ComboBox& combo, int first, int count, int index) {
    combo.Clear();
    for (int i = 0; i < count; ++i) {
        combo.AddItem(kSurfaces[first + i]);
        combo.SetItemData(i, first + i);
    }
    combo.SetListIndex(index);
}

}  // namespace

void FillCombos(ui::ComboBox& country, ui::ComboBox& tyre, ui::ComboBox& wear, ui::ComboBox& humid,
                ui::ComboBox& damage) {
    Fill(country, kCountries, -1);
    Fill(tyre, kTyreTypes, -1);
    Fill(wear, kWear, 1);
    FillHumidity(humid, 0);
    Fill(damage, kDamage, -1);
}

void FillHumidity(ui::ComboBox& humid, std::int16_t mode) {
    std::span<const char* const> all = kHumidity;
    bool known = mode >= 0 && mode <= 2;
    Fill(humid, known ? all.first(3 - mode) : all.first(0), known ? 0 : -1);
}

void FillSurfaceTarmac(ui::ComboBox& surface) { FillSurfaces(surface, 0, 1, 0); }
void FillSurfaceGravel(ui::ComboBox& surface) { FillSurfaces(surface, 1, 1, 0); }
void FillSurfaceMixed(ui::ComboBox& surface, std::int16_t index) { FillSurfaces(surface, 0, 2, index); }
void FillSurfaceAll(ui::ComboBox& surface, std::int16_t index) { FillSurfaces(surface, 0, 3, index); }

}  // namespace gFill

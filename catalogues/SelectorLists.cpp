#include "catalogues/SelectorLists.h"

#include <span>

#include "client/foMain.h"

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

// Replaces a list's entries by texts, each at its index, and selects the entry select
// (-1: none). Selecting runs the list's click handler.
void Fill(ui::ComboBox& combo, std::span<const char* const> texts, int select) {
    combo.Clear();
    for (std::size_t i = 0; i < texts.size(); ++i) combo.AddItem(texts[i], static_cast<int>(i));
    if (select != -1) combo.SetListIndex(select);
}

// The surfaces first .. first + count - 1, each with its code, then index selected.
void FillSurfaces(int first, int count, int index) {
    ui::ComboBox& combo = foMain::Instance().cmbSurface;
    combo.Clear();
    for (int i = 0; i < count; ++i) {
        combo.AddItem(kSurfaces[first + i], i);
        combo.SetItemData(i, first + i);
    }
    combo.SetListIndex(index);
}

}  // namespace

void FillCombos() {
    foMain& w = foMain::Instance();
    Fill(w.cmbCountry, kCountries, -1);
    Fill(w.cmbTyre, kTyreTypes, -1);
    Fill(w.cmbWear, kWear, 1);
    FillHumidity(0);
    Fill(w.cmbDamage, kDamage, -1);
}

void FillHumidity(std::int16_t mode) {
    std::span<const char* const> all = kHumidity;
    bool known = mode >= 0 && mode <= 2;
    Fill(foMain::Instance().cmbHumid, known ? all.first(3 - mode) : all.first(0), known ? 0 : -1);
}

void FillSurfaceTarmac() { FillSurfaces(0, 1, 0); }
void FillSurfaceGravel() { FillSurfaces(1, 1, 0); }
void FillSurfaceMixed(std::int16_t index) { FillSurfaces(0, 2, index); }
void FillSurfaceAll(std::int16_t index) { FillSurfaces(0, 3, index); }

}  // namespace gFill

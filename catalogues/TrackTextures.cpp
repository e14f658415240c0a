#include "catalogues/TrackTextures.h"

#include "services/TextNumbers.h"

namespace gFill {

namespace {

struct FixedIndex {
    const char* code;
    int index;
};

// Codes whose index is not the number of their first two characters; tested in this order.
constexpr FixedIndex kFixedIndex[] = {
    {"107_O", 107}, {"114_M", 114}, {"200_N", 200}, {"772_N", 772}, {"773_N", 773},
    {"774_N", 774}, {"775_N", 775}, {"776_N", 776}, {"1000_M", 100},
};

struct MapMode {
    const char* code;
    std::int16_t mode;
};

// Registration order; mode 1 tarmac and gravel, 2 tarmac only, 3 tarmac and snow, 4 gravel and snow.
constexpr MapMode kMaps[] = {
    {"10_O", 1}, {"11_O", 1}, {"12_O", 1}, {"13_O", 1}, {"14_O", 1}, {"15_O", 1}, {"16_O", 1}, {"17_O", 1},
    {"20_N", 3}, {"21_O", 3}, {"22_N", 3}, {"23_E", 3}, {"24_O", 3}, {"25_O", 3}, {"26_O", 3}, {"27_E", 3},
    {"30_M", 3}, {"31_E", 3}, {"32_M", 3}, {"33_N", 3}, {"34_E", 3}, {"35_N", 3}, {"36_M", 3}, {"37_N", 3},
    {"41_M", 4}, {"42_M", 4}, {"43_N", 4}, {"44_E", 4}, {"45_N", 4}, {"46_E", 4}, {"47_N", 4}, {"48_E", 4},
    {"50_M", 3}, {"51_N", 3}, {"52_M", 3}, {"53_N", 3}, {"54_M", 3}, {"55_O", 3}, {"56_M", 3}, {"57_N", 3},
    {"60_M", 3}, {"61_M", 3}, {"62_M", 3}, {"63_N", 3}, {"64_E", 3}, {"65_N", 3}, {"66_E", 3}, {"67_E", 3},
    {"71_M", 3}, {"90_M", 3}, {"92_M", 4}, {"94_M", 4}, {"96_E", 4}, {"107_O", 3}, {"114_M", 4}, {"200_N", 3},
    {"772_N", 4}, {"773_N", 4}, {"774_N", 4}, {"775_N", 4}, {"776_N", 4}, {"1000_M", 2},
};

int IndexOf(const std::string& code) {
    for (const auto& f : kFixedIndex)
        if (code == f.code) return f.index;
    return vm::ToLong(code.substr(0, 2), ".").value_or(-1);
}

}  // namespace

void FillTrackTextures() {
    for (const auto& m : kMaps) AddTrackTexture(m.code, m.mode);
}

void AddTrackTexture(const std::string& code, std::int16_t mode) {
    int index = IndexOf(code);
    if (index < 0 || index > vm::kLastFolderSwap) return;  // no entry for it
    vm::folderSwapTable[static_cast<std::size_t>(index)] = gCheck::MakeFolderSwap(code, mode);
}

}  // namespace gFill

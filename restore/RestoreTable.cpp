#include "restore/RestoreTable.h"

#include "services/TextNumbers.h"

namespace gFill {

namespace {

struct MapMode {
    const char* code;
    std::int16_t mode;
};

// Registration order.
constexpr MapMode kMaps[] = {
    {"10_O", 1}, {"11_O", 1}, {"12_O", 1}, {"13_O", 1}, {"14_O", 1}, {"15_O", 1},
    {"20_N", 2}, {"21_O", 2}, {"22_N", 2}, {"23_E", 2}, {"24_O", 2}, {"25_O", 2},
    {"31_E", 3}, {"32_M", 3}, {"33_N", 3}, {"34_E", 3}, {"35_N", 3}, {"36_M", 3},
    {"41_M", 4}, {"42_M", 4}, {"43_N", 4}, {"44_E", 4}, {"45_N", 4}, {"46_E", 4},
    {"51_N", 2}, {"52_M", 2}, {"53_N", 2}, {"54_M", 2}, {"55_O", 2}, {"56_M", 2},
    {"61_M", 2}, {"62_M", 2}, {"63_N", 2}, {"64_E", 2}, {"65_N", 2}, {"66_E", 2},
    {"71_M", 2},
};

}  // namespace

void FillRestoreTrackTextures() {
    for (const auto& m : kMaps) AddRestoreTrackTexture(m.code, m.mode);
}

void AddRestoreTrackTexture(const std::string& code, std::int16_t mode) {
    auto index = vm::ToLong(code.substr(0, 2), ".");
    if (!index || *index < 0 || *index > vm::kLastRestoreSwap) return;
    vm::restoreSwapTable[static_cast<std::size_t>(*index)] = gCheck::MakeFolderSwap(code, mode);
}

}  // namespace gFill

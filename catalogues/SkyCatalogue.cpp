#include "catalogues/SkyCatalogue.h"

#include <algorithm>

#include "ui/Controls.h"
#include "services/Globals.h"

namespace gFill {

namespace {

// The suffix groups.
constexpr std::string_view kClear4[] = {"crisp_clear", "crisp_partcloud", "hazy_clear", "hazy_partcloud"};
constexpr std::string_view kClear3[] = {"crisp_clear", "crisp_partcloud", "hazy_clear"};
constexpr std::string_view kSnow5[] = {"hazy_partcloud", "heavysnow_heavycloud", "lightsnow_heavycloud",
                                       "nosnow_heavycloud", "nosnow_lightcloud"};
constexpr std::string_view kRainFog5[] = {"heavyfog_heavycloud", "heavyrain_heavycloud", "lightfog_heavycloud",
                                          "lightrain_heavycloud", "norain_lightcloud"};
constexpr std::string_view kRain4[] = {"heavyrain_heavycloud", "lightfog_heavycloud", "lightrain_heavycloud",
                                       "norain_lightcloud"};
constexpr std::string_view kRain3[] = {"heavyrain_heavycloud", "lightrain_heavycloud", "norain_lightcloud"};
constexpr std::string_view kWet6[] = {"heavyrain_heavycloud", "lightfog_lightcloud",  "lightrain_heavycloud",
                                      "lightrain_lightcloud", "norain_heavycloud",    "norain_lightcloud"};
constexpr std::string_view kWet6H[] = {"heavyrain_heavycloud", "lightfog_heavycloud", "lightrain_heavycloud",
                                       "lightrain_lightcloud", "norain_heavycloud",   "norain_lightcloud"};
// Map 54 has one clear name of another form between its two runs.
constexpr std::string_view kCrispClearOnly[] = {"crisp_clear"};

}  // namespace

const std::vector<SkyMap>& SkyMaps() {
    static const std::vector<SkyMap> maps = {
        {10, {{"O_N_", kSnow5}}, {10}},
        {11, {{"O_N_", kSnow5}}, {11}},
        {12, {{"O_E_", kSnow5}}, {12, 16}},
        {13, {{"O_E_", kSnow5}}, {13, 17}},
        {14, {{"O_M_", kSnow5}}, {14}},
        {15, {{"O_M_", kSnow5}}, {15}},
        {20, {{"N_", kClear3}, {"O_N_", kRainFog5}}, {20}},
        {21, {{"O_E_", kRainFog5}, {"O_M_", kRainFog5}, {"O_N_", kRainFog5}}, {21, 26}},
        {22, {{"N_", kClear3}, {"O_N_", kRainFog5}}, {22}},
        {23, {{"E_", kClear3}, {"O_E_", kRainFog5}}, {23, 27}},
        {24, {{"O_M_", kRainFog5}}, {24}},
        {25, {{"O_M_", kRainFog5}}, {25, 107}},
        {71, {{"M_", kClear4}, {"O_E_", kWet6}, {"O_M_", kWet6H}, {"O_N_", kWet6}}, {71}},
        {90, {{"M_", kClear4}, {"O_E_", kWet6}, {"O_M_", kWet6H}, {"O_N_", kWet6}}, {90}},
        {200, {{"N_", kClear3}, {"O_N_", kRainFog5}}, {200}},
        {31, {{"E_", kClear4}}, {31}},
        {32, {{"M_", kClear4}, {"N_", kClear4}}, {30, 32}},
        {33, {{"N_", kClear4}}, {33, 37}},
        {34, {{"E_", kClear4}}, {34}},
        {35, {{"N_", kClear4}}, {35}},
        {36, {{"M_", kClear4}}, {36, 1000}},
        {41, {{"M_", kClear3}, {"O_M_", kRain4}}, {41, 92, 94, 114}},
        {42, {{"M_", kClear3}, {"O_M_", kRain4}}, {42}},
        {43, {{"N_", kClear3}, {"O_N_", kRain4}}, {43, 47}},
        {44, {{"E_", kClear3}, {"O_E_", kRain4}}, {44, 48}},
        {45, {{"N_", kClear3}, {"O_N_", kRain4}}, {45}},
        {46, {{"E_", kClear3}, {"O_E_", kRain4}}, {46}},
        {51, {{"N_", kClear3}, {"O_N_", kRain4}}, {51}},
        {52, {{"M_", kClear3}, {"O_M_", kRain4}}, {50, 52}},
        {53, {{"N_", kClear3}, {"O_N_", kRain4}}, {53, 57}},
        {54, {{"E_", kClear3}, {"M_", kCrispClearOnly}, {"O_E_", kRain4}}, {54}},
        {55, {{"O_M_", kRain4}}, {55}},
        {56, {{"M_", kClear3}, {"O_M_", kRain4}}, {56}},
        {61, {{"M_", kClear4}, {"O_M_", kRain4}}, {60, 61}},
        {62, {{"M_", kClear4}, {"O_M_", kRain4}}, {62}},
        {63, {{"N_", kClear4}, {"O_N_", kRain3}}, {63}},
        {64, {{"E_", kClear4}, {"O_E_", kRain4}}, {64, 67}},
        {65, {{"N_", kClear4}, {"O_N_", kRain3}}, {65}},
        {66, {{"E_", kClear4}, {"O_E_", kRain4}}, {66}},    };
    return maps;
}

std::vector<std::string> SkyNames(std::int32_t stageId) {
    std::vector<std::string> names;
    for (const SkyMap& m : SkyMaps()) {
        if (std::find(m.stageIds.begin(), m.stageIds.end(), stageId) == m.stageIds.end()) continue;
        std::string number = std::to_string(m.map);
        for (const SkyPart& part : m.parts)
            for (std::string_view suffix : part.suffixes)
                names.push_back(number + std::string(part.form) + std::string(suffix));
        break;
    }
    return names;
}

void FillSkyList(ui::ComboBox& selector, std::int32_t stageId) {
    selector.Clear();
    for (std::string& name : SkyNames(stageId)) selector.AddItem(std::move(name));
    // Busy while the selection is made, also when a handler fails.
    struct Busy {
        Busy() { vm::g.gSkyBusy = true; }
        ~Busy() { vm::g.gSkyBusy = false; }
    } busy;
    // A position outside this list selects nothing.
    if (vm::g.gSkyIndex < selector.ListCount()) selector.SetListIndex(vm::g.gSkyIndex);
    // The name is written into the host, so it must never stay another stage's.
    int at = selector.ListIndex();
    vm::g.gSkyName = selector.List(at == -1 ? 0 : at);
}

}  // namespace gFill

// The host sky presets a stage may use, and the filling of the main window's weather selector.
// A sky name is a map number followed by "E_", "M_" or "N_" (clear) or "O_E_", "O_M_" or
// "O_N_" (overcast) and a suffix: "41M_crisp_clear", "41O_M_heavyrain_heavycloud".
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class ComboBox;
}

namespace gFill {

// A run of names: the form ("N_", "O_M_") before each suffix of a group, in the group's order.
struct SkyPart {
    std::string_view form;
    std::span<const std::string_view> suffixes;
};

// The list of one map and the stage ids that use it.
struct SkyMap {
    std::int32_t map;
    std::vector<SkyPart> parts;
    std::vector<std::int32_t> stageIds;
};

// Every map list, in catalogue order.
const std::vector<SkyMap>& SkyMaps();

// The sky names of a stage, in list order; none for a stage id without a list.
std::vector<std::string> SkyNames(std::int32_t stageId);

// Fills the selector with the stage's sky names and selects position gSkyIndex again, with
// gSkyBusy set so that the selector's own handler keeps out; gSkyName becomes the selected
// name. When gSkyIndex is not a position of the new list nothing is selected and gSkyName
// becomes the list's first name, or empty text for an empty list. gSkyIndex never changes.
void FillSkyList(ui::ComboBox& selector, std::int32_t stageId);

}  // namespace gFill

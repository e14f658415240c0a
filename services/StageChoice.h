// What one run of the host is for: the SS, its conditions and the car. A start fixes it for
// the host it opens, so that the host's menus, the stage it is given and the records it reports
// stay those of the stage that was started while the driver picks the next one.
#pragma once
#include <cstdint>
#include <string>

namespace vm {

struct StageChoice {
    std::int16_t ss = 0;  // the SS number (gCurrentSS); 0 outside an event's stage
    std::int32_t stageId = 0;
    std::int32_t hostTrackId = 0;
    std::int32_t weather = 0;
    std::uint8_t skyIndex = 0;
    std::string skyName;
    std::uint8_t humid = 0;
    std::uint8_t wear = 0;
    std::int32_t damage = 0;
    std::int32_t car = 0;       // host car slot
    std::int32_t carPlus = 0;   // catalogue id
    std::int32_t carCategory = 0;
    std::int16_t tyreType = 0;
    // What the main window showed for it: the stage selector's text, the surface code of the
    // surface list (-1: none) and whether "Bad Conditions" was chosen.
    std::string stageLabel;
    std::int32_t surface = -1;
    bool badConditions = false;
};

}  // namespace vm

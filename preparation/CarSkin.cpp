#include "preparation/CarSkin.h"

#include "catalogues/CarTable.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"
#include "services/TextNumbers.h"

namespace gFunc {

using vm::g;

void LoadCarSkin() {
    std::int32_t id = g.gCarCategory >= 1 && g.gCarCategory <= 10 ? g.gCatCars[g.gCarCategory].id : 0;
    g.gIniFile = HostFile("Cars\\Cars.ini");
    std::string chosen = ReadWrite::ReadINI("Skins", "Skin" + std::to_string(id));
    // An id that the settings file holds but the catalogue has no place for has no entry to set.
    if (id < 0 || id >= vm::kCarIds) return;
    vm::CarEntry& car = vm::cars.carTable[id];
    bool whole = !chosen.empty() && chosen.find_first_not_of("0123456789") == std::string::npos;
    auto number = whole ? vm::ToInteger(chosen, g.gDecimalSep) : std::nullopt;
    if (!number) {
        car.skinNumber = 0;
        car.skinCode.clear();
        return;
    }
    car.skinNumber = *number;
    g.gIniFile = HostFile(car.skinsIni);
    car.skinCode = ReadWrite::ReadINI("Skin" + chosen, "Code");
}

}  // namespace gFunc

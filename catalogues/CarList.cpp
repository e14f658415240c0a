#include "catalogues/CarList.h"

#include "catalogues/CarCatalogue.h"
#include "services/Globals.h"
#include "ui/Controls.h"

namespace gFill {

using vm::cars;
using vm::g;

namespace {

// The list place of the class's remembered car. The settings keep two values per class: below
// 10 the catalogue id is unset and the slot value stands for the car id.
int RememberedPlace(std::int16_t category, int listCount) {
    const vm::ClassCar& remembered = g.gCatCars[static_cast<std::size_t>(category)];
    const std::int32_t id = remembered.id >= 10 ? remembered.id : remembered.slot;
    const bool known = id >= 0 && id < vm::kCarIds;
    const int place = known ? cars.carTable[static_cast<std::size_t>(id)].position : listCount;
    return place < listCount ? place : listCount - 1;
}

}  // namespace

std::string ClassTag(std::int32_t category) {
    if (category < 1 || category > vm::kCarClasses) return {};
    return std::string("[") + vm::kCarClassCodes[static_cast<std::size_t>(category)] + "] ";
}

void ChooseCar(std::int32_t id) {
    g.gCar = cars.carTable.at(static_cast<std::size_t>(id)).slot;
    g.gCarPlus = id;
    if (g.gCarCategory >= 1 && g.gCarCategory <= vm::kCarClasses)
        g.gCatCars[static_cast<std::size_t>(g.gCarCategory)] = {g.gCar, g.gCarPlus};
}

void FillCarList(ui::ComboBox& list, std::int16_t category) {
    list.Clear();
    if (category < 1 || category > vm::kCarClasses) return;
    const int last = cars.gCatCount[static_cast<std::size_t>(category)];
    for (int place = 0; place <= last; ++place)
        for (std::int32_t id = 0; id < vm::kCarIds; ++id) {
            const vm::CarEntry& car = cars.carTable[static_cast<std::size_t>(id)];
            if (car.category != category || car.position != place) continue;
            list.AddItem(car.name);
            list.SetItemData(list.ListCount() - 1, id);
        }
    if (list.ListCount() > 0) list.SetListIndex(RememberedPlace(category, list.ListCount()));
}

}  // namespace gFill

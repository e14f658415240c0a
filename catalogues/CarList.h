// The car selector of one car class, as the connect window and the main window show it.
#pragma once
#include <cstdint>
#include <string>

namespace ui {
class ComboBox;
}

namespace gFill {

// The tag of a car class in the car label: "[A8] " for class 1 .. "[OS] " for class 10; empty
// text for any other class.
std::string ClassTag(std::int32_t category);

// Makes the car of the catalogue id the chosen one (gCarPlus, and gCar its host slot) and, when
// the current class gCarCategory is 1..10, the car that class remembers.
void ChooseCar(std::int32_t id);

// Fills the selector with the cars of the class in list order, each with its car id as item
// data, then selects the class's remembered car, which runs the selector's click handler:
// the car of the remembered id when that is 10 or more, else the car whose id is the
// remembered slot. A remembered car whose place the list does not hold selects the last car;
// an empty list selects nothing.
void FillCarList(ui::ComboBox& cars, std::int16_t category);

}  // namespace gFill

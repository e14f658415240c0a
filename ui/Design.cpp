#include "ui/Design.h"

#include "ui/Form.h"

namespace ui {

std::vector<std::string> PlaceControls(Form& form, const FormDesign& design) {
    std::vector<std::string> unknown;
    form.SetInnerSize(design.width, design.height);
    for (const ControlDesign& row : design.controls) {
        auto* control = dynamic_cast<Control*>(form.Find(row.name));
        if (control == nullptr) {
            unknown.emplace_back(row.name);
            continue;
        }
        control->SetPlace({row.x, row.y, row.width, row.height});
    }
    return unknown;
}

}  // namespace ui

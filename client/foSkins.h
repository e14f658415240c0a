// The skin chooser: the paint schemes that the skins list of the current class's remembered
// car names, the chosen one's preview, and the choice kept in the car's catalogue entry and in
// the host's Cars.ini. Made afresh for each opening, modally over the main window.
#pragma once
#include <optional>

#include "ui/Design.h"
#include "ui/Form.h"

class foSkins : public ui::Form {
public:
    // The name of the list's first entry, the car's own paint.
    static constexpr const char* kDefaultSkin = "Default skin";

    foSkins();

    ui::ComboBox cmbSkin{"cmbSkin"};
    ui::Image imSkin{"imSkin"};

    // The window's design (client/foSkinsDesign.cpp).
    static const ui::FormDesign& DesignTable();

    // Lists the skins of the car and selects its current one, which runs cmbSkin_Click. A car
    // id outside the catalogue lists the default skin alone.
    void Form_Load();
    // Keeps the chosen skin in the car's entry, shows its preview with the window sized to it
    // and writes the choice into the host's Cars.ini.
    void cmbSkin_Click();

private:
    // The chooser's car for as long as the window is loaded; nothing when the id is outside
    // the catalogue.
    std::optional<int> car_;
};

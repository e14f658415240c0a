#include "client/foSkins.h"

#include <cmath>
#include <string>

#include "catalogues/CarTable.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"
#include "services/Steps.h"
#include "services/TextNumbers.h"

using vm::g;
using vm::RunStep;


foSkins::foSkins() : ui::Form("foSkins") {
    Add(cmbSkin);
    Add(imSkin);
    SetDesign(DesignTable());
    SetCaption("Skins selector");
    cmbSkin.onClick = [this] { cmbSkin_Click(); };
    onLoad = [this] { Form_Load(); };
}

void foSkins::Form_Load() {
    car_.reset();
    if (g.gCarCategory >= 1 && g.gCarCategory <= 10) {
        const std::int32_t id = g.gCatCars[static_cast<std::size_t>(g.gCarCategory)].id;
        if (id >= 0 && id < vm::kCarIds) car_ = id;
    }
    std::int32_t count = 0;
    if (car_) {
        g.gIniFile = gFunc::HostFile(vm::cars.carTable[static_cast<std::size_t>(*car_)].skinsIni);
        count = vm::ToLong(ReadWrite::ReadINI("Main", "Skins"), g.gDecimalSep).value_or(0);
    }
    cmbSkin.Clear();
    cmbSkin.AddItem(kDefaultSkin);
    for (std::int32_t n = 1; n <= count; ++n) cmbSkin.AddItem(ReadWrite::ReadINI("Skin" + std::to_string(n), "Name"));
    // A skin number the list has no entry for selects nothing and writes nothing.
    RunStep([&] { cmbSkin.SetListIndex(car_ ? vm::cars.carTable[static_cast<std::size_t>(*car_)].skinNumber : 0); });
}

void foSkins::cmbSkin_Click() {
    if (!car_) return;
    vm::CarEntry& car = vm::cars.carTable[static_cast<std::size_t>(*car_)];
    car.skinNumber = static_cast<std::int16_t>(cmbSkin.ListIndex());
    g.gIniFile = gFunc::HostFile(car.skinsIni);
    car.skinCode = ReadWrite::ReadINI("Skin" + std::to_string(car.skinNumber), "Code");

    std::string preview;
    if (!car.skinCode.empty()) preview = gFunc::HostFile(car.textures + "_" + car.skinCode + "\\preview.jpg");
    else if (car.skinNumber == 0) preview = gFunc::HostFile(car.textures + "\\preview.jpg");
    if (!preview.empty()) {
        // A file that holds no picture keeps the one shown, and the window is sized from that.
        (void)imSkin.LoadPicture(preview);
        cmbSkin.SetWidth(imSkin.Width());
        // The window's outer size in twips (15 a pixel) is the picture's left edge plus 15.15
        // times its width, and its top edge plus 16.15 times its height.
        auto pixels = [](double twips) { return static_cast<int>(std::lround(twips / 15)); };
        SetSize(pixels(imSkin.Left() + 15.15 * imSkin.Width()), pixels(imSkin.Top() + 16.15 * imSkin.Height()));
    }

    g.gIniFile = gFunc::HostFile("Cars\\Cars.ini");
    ReadWrite::WriteINI("Skins", "Skin" + std::to_string(*car_), std::to_string(car.skinNumber));
}

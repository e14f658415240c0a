// The main window's selectors: each stores the driver's choice in the program-wide current
// choice that the start, the host-menu driver and the result records read.
#include <string>

#include "catalogues/CarCatalogue.h"
#include "catalogues/CarList.h"
#include "catalogues/SelectorLists.h"
#include "catalogues/SkyCatalogue.h"
#include "catalogues/StageCatalogue.h"
#include "client/Colors.h"
#include "client/ProgramWindow.h"
#include "client/SetupFRM.h"
#include "client/foMain.h"
#include "preparation/CarSkin.h"
#include "services/Globals.h"
#include "services/gLog.h"

using vm::g;

void foMain::cmbCountry_Click() {
    g.gCountry = cmbCountry.ListIndex();
    gFill::FillStages(cmbStage, static_cast<std::int16_t>(g.gCountry));
    FillSurfaceCombo();
}

void foMain::cmbStage_Click() {
    g.gStage = cmbStage.ListIndex();
    g.gStageId = cmbStage.ItemData(g.gStage);
    ApplyStageId();
}

void foMain::ApplyStageId() {
    const std::int32_t id = g.gStageId;
    g.gHostTrackId = gFill::HostTrackId(id);
    gFill::FillSkyList(cmbWeather, id);
    // Dry only in Finland and Portugal and on the rally school and the canyon; no wet in Australia.
    const bool dryOnly = g.gCountry == 0 || g.gCountry == 7 || id == 71 || id == 90 || id == 1000;
    gFill::FillHumidity(cmbHumid, dryOnly ? 2 : g.gCountry == 2 ? 1 : 0);
    FillSurfaceCombo();
}

void foMain::FillSurfaceCombo() {
    switch (g.gCountry) {
        case 0: gFill::FillSurfaceAll(cmbSurface, 2); break;
        case 1:
        case 2:
        case 4:
        case 5: gFill::FillSurfaceAll(cmbSurface, 1); break;
        case 3:
        case 6: gFill::FillSurfaceAll(cmbSurface, 0); break;
        case 7:
        case 8: gFill::FillSurfaceTarmac(cmbSurface); break;
        default: break;
    }
    switch (g.gStageId) {
        case 107: gFill::FillSurfaceGravel(cmbSurface); break;
        case 114: gFill::FillSurfaceTarmac(cmbSurface); break;
        case 1000: gFill::FillSurfaceMixed(cmbSurface, 1); break;
        default: break;
    }
}

void foMain::cmbWeather_Click() {
    if (g.gSkyBusy) return;
    g.gSkyIndex = static_cast<std::uint8_t>(cmbWeather.ListIndex());
    g.gSkyName = cmbWeather.List(cmbWeather.ListIndex());
}

void foMain::optWeather_Click(int index) { g.gWeather = index; }
void foMain::cmbHumid_Click() { g.gHumid = static_cast<std::uint8_t>(cmbHumid.ListIndex()); }
void foMain::cmbWear_Click() { g.gWear = static_cast<std::uint8_t>(cmbWear.ListIndex()); }
void foMain::cmbDamage_Click() { g.gDamage = cmbDamage.ListIndex(); }
void foMain::cmbTyre_Click() { g.gTyreType = static_cast<std::int16_t>(cmbTyre.ListIndex()); }

void foMain::cmbCar_Click() {
    // A typed text that names no entry leaves the chosen car as it was.
    const int index = cmbCar.ListIndex();
    if (index == -1) return;
    const std::int32_t id = cmbCar.ItemData(index);
    if (id < 0 || id >= vm::kCarIds) return;
    gFill::ChooseCar(id);
    // Outside the classes no tag: the name follows the label as it was.
    if (std::string tag = gFill::ClassTag(g.gCarCategory); !tag.empty()) g.gCarLabel = tag;
    g.gCarLabel += cmbCar.Text();
    laCarDescr.SetCaption(g.gCarLabel);
    gFunc::LoadCarSkin();
}

void foMain::cmbCar_Change() { cmbCar_Click(); }

void foMain::cmdCat_Click(int category) {
    g.gCarCategory = category;
    client::MarkChosenClass(cmdCat, category);
    FillCarCombo(static_cast<std::int16_t>(category));
    cmbCar.SetEnabled(true);
}

void foMain::cmdSetup_Click() { vm::ShowModalAfresh<SetupFRM>(*this); }

void foMain::cmdRepair_Click() { gLog::WriteLogTimed("REPAIR DAMAGE"); }

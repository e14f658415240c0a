#include "client/foCam.h"

#include <initializer_list>
#include <optional>
#include <vector>

#include "catalogues/CarTable.h"
#include "client/CameraSettings.h"
#include "platform/Ports.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"
#include "services/Settings.h"

using vm::g;
using vm::gCamera;

namespace {

constexpr const char* kCameraSection = "Cam_internal";
constexpr const char* kWheelSection = "i_steeringwheel";

// The chosen car of the current class: its remembered catalogue id, or its remembered slot
// when that id is below 1. Nothing for a class outside 1..10 or an id the catalogue lacks.
std::optional<int> ChosenCar() {
    if (g.gCarCategory < 1 || g.gCarCategory > 10) return std::nullopt;
    const vm::ClassCar& remembered = g.gCatCars[static_cast<std::size_t>(g.gCarCategory)];
    const std::int32_t id = remembered.id < 1 ? remembered.slot : remembered.id;
    if (id < 0 || id >= vm::kCarIds) return std::nullopt;
    return id;
}

// Stores the text's number into value; text that is no number leaves value as it was.
void Take(const std::string& text, double& value) {
    if (std::optional<double> v = vm::ReadCameraNumber(text)) value = *v;
}

}  // namespace


foCam::foCam() : ui::Form("foCam") {
    for (ui::Component* c : std::initializer_list<ui::Component*>{&laFov, &laNear, &cbWheel, &edStep, &save, &buClose})
        Add(*c);
    Add(laPos);
    Add(laTarget);
    Add(buPos);
    Add(buTarget);
    Add(buFov);
    Add(buNear);
    SetDesign(DesignTable());
    SetCaption("Cam Settings");

    buPos.OnClick([this](int index) { buPos_Click(index); });
    buTarget.OnClick([this](int index) { buTarget_Click(index); });
    buFov.OnClick([this](int index) { buFov_Click(index); });
    buNear.OnClick([this](int index) { buNear_Click(index); });
    save.onClick = [this] { save_Click(); };
    buClose.onClick = [this] { buClose_Click(); };
    edStep.onChange = [this] { edStep_Change(); };
    cbWheel.onClick = [this] { cbWheel_Click(); };
    onLoad = [this] { Form_Load(); };
    onUnload = [this](int& cancel) { Form_Unload(cancel); };
}

void foCam::Form_Load() { LoadCamera(kCameraSection); }

void foCam::SetCameraFile() {
    const std::optional<int> car = ChosenCar();
    // Without a car the path names the host folder itself, where no setting is read or written.
    g.gIniFile = gFunc::HostFile(car ? vm::cars.carTable[static_cast<std::size_t>(*car)].carIni : "");
    if (car) (void)platform::fileSystem().SetAttributes(g.gIniFile, platform::kAttrNormal);
}

void foCam::LoadCamera(const std::string& section) {
    // Parts of a position stand between blanks or the character c-cedilla.
    static const std::vector<std::string> kDelimiters{" ", "\xE7", ""};
    SetCameraFile();
    gCamera.section = section;
    auto readThree = [&](const char* key, double& x, double& y, double& z) {
        const std::vector<std::string> parts = gFunc::SplitMulti(ReadWrite::ReadINI(section, key), kDelimiters);
        // A value of fewer parts keeps the missing ones as they were.
        double* into[] = {&x, &y, &z};
        for (std::size_t k = 0; k < 3 && k < parts.size(); ++k) Take(parts[k], *into[k]);
    };
    Take(ReadWrite::ReadINI(section, "FOV"), gCamera.fov);
    readThree("Pos", gCamera.posX, gCamera.posY, gCamera.posZ);
    readThree("Target", gCamera.targetX, gCamera.targetY, gCamera.targetZ);
    Take(ReadWrite::ReadINI(section, "Near"), gCamera.near);
    gCamera.wheel = ReadWrite::ReadINI(kWheelSection, "Switch") == "false";
    edStep.SetText(vm::ShowCameraNumber(g.gStepCam));
    ShowCamera();
}

void foCam::ShowCamera() {
    const double pos[] = {gCamera.posX, gCamera.posY, gCamera.posZ};
    const double target[] = {gCamera.targetX, gCamera.targetY, gCamera.targetZ};
    for (int k = 0; k < 3; ++k) {
        laPos[k].SetCaption(vm::ShowCameraNumber(pos[k]));
        laTarget[k].SetCaption(vm::ShowCameraNumber(target[k]));
    }
    laFov.SetCaption(vm::ShowCameraNumber(gCamera.fov));
    laNear.SetCaption(vm::ShowCameraNumber(gCamera.near));
    cbWheel.SetValue(gCamera.wheel ? ui::CheckBox::Checked : ui::CheckBox::Unchecked);
}

void foCam::SaveCamera(const std::string& section) {
    SetCameraFile();
    auto three = [](double x, double y, double z) {
        return vm::ShowCameraNumber(x) + " " + vm::ShowCameraNumber(y) + " " + vm::ShowCameraNumber(z);
    };
    ReadWrite::WriteINI(section, "FOV", vm::CameraFileText(vm::ShowCameraNumber(gCamera.fov)));
    ReadWrite::WriteINI(section, "Near", vm::CameraFileText(vm::ShowCameraNumber(gCamera.near)));
    ReadWrite::WriteINI(section, "Pos", vm::CameraFileText(three(gCamera.posX, gCamera.posY, gCamera.posZ)));
    ReadWrite::WriteINI(section, "Target",
                        vm::CameraFileText(three(gCamera.targetX, gCamera.targetY, gCamera.targetZ)));
    // The host's switch hides the wheel: a ticked box writes "false".
    ReadWrite::WriteINI(kWheelSection, "Switch", cbWheel.Value() == ui::CheckBox::Checked ? "false" : "true");
}

void foCam::save_Click() { SaveCamera(kCameraSection); }

namespace {

// Moves a point by the step: 0 y+, 1 x-, 2 y-, 3 x+, 4 z-, 5 z+.
void Move(int index, double& x, double& y, double& z) {
    const double s = g.gStepCam;
    switch (index) {
        case 0: y += s; break;
        case 1: x -= s; break;
        case 2: y -= s; break;
        case 3: x += s; break;
        case 4: z -= s; break;
        case 5: z += s; break;
        default: break;
    }
}

// 0 takes a step off, 1 adds one.
void Step(int index, double& value) { value += index == 0 ? -g.gStepCam : g.gStepCam; }

}  // namespace

void foCam::buPos_Click(int index) {
    Move(index, gCamera.posX, gCamera.posY, gCamera.posZ);
    ShowCamera();
}

void foCam::buTarget_Click(int index) {
    Move(index, gCamera.targetX, gCamera.targetY, gCamera.targetZ);
    ShowCamera();
}

void foCam::buFov_Click(int index) {
    Step(index, gCamera.fov);
    ShowCamera();
}

void foCam::buNear_Click(int index) {
    Step(index, gCamera.near);
    ShowCamera();
}

void foCam::cbWheel_Click() { gCamera.wheel = cbWheel.Value() == ui::CheckBox::Checked; }

void foCam::edStep_Change() { Take(edStep.Text(), g.gStepCam); }

void foCam::buClose_Click() { Unload(); }

void foCam::Form_Unload(int&) { qvrMod::SaveSettings(); }

// The camera editor reading a car's INI file of any text, with "." and "," as the user's
// decimal separator. Beyond crashes, hangs and undefined behaviour it checks that what the editor
// saves it reads back: after loading, saving and loading again, every camera value and the
// steering-wheel switch are what the first load gave (to the fifteen digits the editor shows),
// and the save wrote every value (the INI access refuses none as too long).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogues/CarCatalogue.h"
#include "client/CameraSettings.h"
#include "client/foCam.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "services/TextNumbers.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using vm::g;
using vm::gCamera;

constexpr int kCar = 26;  // remembered for class 3

// Values no file gives, so that a value a load leaves alone shows.
void Unread(double base, bool wheel) {
    double* values[] = {&gCamera.fov,     &gCamera.posX,    &gCamera.posY,    &gCamera.posZ, &gCamera.targetX,
                        &gCamera.targetY, &gCamera.targetZ, &gCamera.near};
    for (double* v : values) *v = base++;
    gCamera.wheel = wheel;
}

std::string Values(const vm::CameraSettings& c) {
    std::string out;
    for (double v : {c.fov, c.posX, c.posY, c.posZ, c.targetX, c.targetY, c.targetZ, c.near})
        out += vm::FormatPointNumber(v) + " ";
    return out + (c.wheel ? "wheel" : "no wheel");
}

bool Same(double a, double b) { return a == b || std::fabs(a - b) <= std::fabs(a) * 1e-14; }

void Check(const std::string& file, const std::string& separator) {
    platform::NativePlatform& os = fuzz::Os();
    fuzz::FilesInMemory& files = fuzz::MemoryFiles();
    g.gDecimalSep = separator;
    os.regional.decimalSeparator = separator;
    const std::string path = gFunc::HostFile(vm::cars.carTable[kCar].carIni);
    files.Hold(path, file);
    os.messageBox.shown.clear();

    foCam editor;
    Unread(1001, false);
    editor.LoadCamera("Cam_internal");
    const vm::CameraSettings first = gCamera;
    editor.SaveCamera("Cam_internal");
    if (!os.messageBox.shown.empty()) fuzz::Fail("saving " + Values(first) + " was refused: " + os.messageBox.shown[0].text);
    Unread(2001, !first.wheel);
    editor.LoadCamera("Cam_internal");
    const vm::CameraSettings again = gCamera;
    const bool same = Same(first.fov, again.fov) && Same(first.posX, again.posX) && Same(first.posY, again.posY) &&
                      Same(first.posZ, again.posZ) && Same(first.targetX, again.targetX) &&
                      Same(first.targetY, again.targetY) && Same(first.targetZ, again.targetZ) &&
                      Same(first.near, again.near) && first.wheel == again.wheel;
    if (!same)
        fuzz::Fail("with \"" + separator + "\" the editor read " + Values(first) + ", saved \"" + *files.Held(path) +
                   "\" and read back " + Values(again));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        fuzz::MemoryFiles();
        gFill::FillCarTable();
        g.gHostPath = "C:\\Kovarra";
        g.gCarCategory = 3;
        g.gCatCars[3] = {4, kCar};
        g.gStepCam = 0.5;
        return true;
    }();
    (void)ready;
    const std::string file(reinterpret_cast<const char*>(data), size);
    Check(file, ".");
    Check(file, ",");
    return 0;
}

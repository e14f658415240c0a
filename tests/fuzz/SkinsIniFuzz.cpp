// The skin chooser reading a car's skins list of any text. Beyond crashes, hangs and undefined
// behaviour it checks that the list holds at most what the file names: "Default skin" first,
// then names that each stand in the file or are empty; that the skin code taken stands in the
// file; and that Cars.ini gets, if anything, the number of an entry of the list.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogues/CarCatalogue.h"
#include "client/foSkins.h"
#include "preparation/HostSettings.h"
#include "services/Globals.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using vm::g;

constexpr int kCar = 26;  // remembered for class 1
constexpr std::int16_t kSkin = 2;  // the car's skin before the chooser opens
const std::string kCarsIni = "[Skins]\r\nSkin7=1\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FilesInMemory& files = fuzz::MemoryFiles();
    static const bool ready = [] {
        gFill::FillCarTable();
        g.gHostPath = "C:\\Kovarra";
        g.gDecimalSep = ".";
        g.gCarCategory = 1;
        g.gCatCars[1] = {0, kCar};
        return true;
    }();
    (void)ready;
    vm::CarEntry& car = vm::cars.carTable[kCar];
    const std::string file(reinterpret_cast<const char*>(data), size);
    files.Hold(gFunc::HostFile(car.skinsIni), file);
    const std::string carsIni = gFunc::HostFile("Cars\\Cars.ini");
    files.Hold(carsIni, kCarsIni);
    car.skinNumber = kSkin;
    car.skinCode.clear();

    foSkins chooser;
    chooser.Show();

    const int entries = chooser.cmbSkin.ListCount();
    if (entries < 1 || chooser.cmbSkin.List(0) != foSkins::kDefaultSkin) fuzz::Fail("the list does not start with the default skin");
    for (int n = 1; n < entries; ++n) {
        const std::string name = chooser.cmbSkin.List(n);
        if (!name.empty() && file.find(name) == std::string::npos)
            fuzz::Fail("the list's entry " + std::to_string(n) + " \"" + name + "\" is not in the file");
    }
    if (!car.skinCode.empty() && file.find(car.skinCode) == std::string::npos)
        fuzz::Fail("the skin code \"" + car.skinCode + "\" is not in the file");
    const std::string& written = *files.Held(carsIni);
    if (written != kCarsIni) {
        if (car.skinNumber < 0 || car.skinNumber >= entries)
            fuzz::Fail("the skin number " + std::to_string(car.skinNumber) + " of a list of " + std::to_string(entries));
        if (written.find("Skin26=" + std::to_string(car.skinNumber) + "\r\n") == std::string::npos)
            fuzz::Fail("Cars.ini holds \"" + written + "\", not the skin number " + std::to_string(car.skinNumber));
    }
    return 0;
}

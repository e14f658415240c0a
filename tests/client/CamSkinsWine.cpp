// The camera editor and the skin chooser on real windows, opened from the main window's menu,
// for the test driver (camskins.script). The program makes a host folder with a car's camera
// file, skins list and previews in a folder of its own, which also stands in for the program's
// folder (velomark.ini); when the main window closes it compares the files with what the script
// chose and ends with 0 when they hold it, 1 (and the differences on stderr) when not.
#include <cstdlib>
#include <cstdio>
#include <string>

#include "catalogues/CarCatalogue.h"
#include "client/foCam.h"
#include "client/foMain.h"
#include "client/foSkins.h"
#include "platform/CallbackFailure.h"
#include "platform/Ports.h"
#include "platform/win32/Win32Adapters.h"
#include "services/Globals.h"
#include "tests/fixtures/SkinPreviews.h"
#include "tests/support/FileTrees.h"
#include "ui/win32/FormViews.h"

namespace {

using vm::g;

// The Win32 environment, with the program's folder moved.
class MovedProgram : public platform::EnvironmentPort {
public:
    MovedProgram(platform::EnvironmentPort& real, std::string folder) : real_(real), folder_(std::move(folder)) {}
    std::string GetVariable(const std::string& name) override { return real_.GetVariable(name); }
    std::string ProgramFolder() override { return folder_; }
    std::string CommandLine() override { return real_.CommandLine(); }
    platform::ProgramVersion Version() override { return real_.Version(); }
    [[noreturn]] void ExitProgram(int code) override {
        real_.ExitProgram(code);
        std::abort();  // not reached: the real one ends the program
    }

private:
    platform::EnvironmentPort& real_;
    std::string folder_;
};

const std::string kCamera =
    "[Cam_internal]\r\nFOV=60\r\nPos=0.5 1.25 -0.75\r\nTarget=0 1 5\r\nNear=0.1\r\n"
    "[i_steeringwheel]\r\nSwitch=false\r\n";
const std::string kSkins =
    "[Main]\r\nSkins=3\r\n[Skin1]\r\nName=Red\r\nCode=red\r\n[Skin2]\r\nName=Blue\r\nCode=blue\r\n"
    "[Skin3]\r\nName=Works\r\n";
const std::string kCarsIni = "[Skins]\r\nSkin7=1\r\n[MENU_CAR_INDEX]\r\nINDEX=2\r\n";

void Put(const std::string& path, const std::string& bytes) {
    platform::FileSystemPort& fs = platform::fileSystem();
    vmtest::MakeFolders(fs, path.substr(0, path.find_last_of('\\')));
    if (fs.WriteFile(path, bytes) != platform::FsStatus::Ok) throw std::runtime_error("cannot write " + path);
}

// Compares a file with what it should hold; tells a difference on stderr.
bool Holds(const std::string& path, const std::string& expected) {
    const std::string actual = platform::fileSystem().ReadFile(path).value_or("<missing>");
    if (actual == expected) return true;
    std::fprintf(stderr, "%s holds\n%s\ninstead of\n%s\n", path.c_str(), actual.c_str(), expected.c_str());
    return false;
}

}  // namespace

int main() {
    platform::win32::InstallWin32Ports();
    platform::SetCallbackFailureHandler([](const std::string& what) {
        platform::messageBox().Show("Failure: " + what, "Velomark", platform::kMsgCritical);
    });
    const std::string folder = platform::environment().GetVariable("TEMP") + "\\vm-camskins-" +
                               std::to_string(platform::processes().CurrentProcessId());
    MovedProgram environment(platform::environment(), folder);
    platform::ports().environment = &environment;

    // Class 1 remembers the Citroen C4 (car 26), whose files the host folder holds.
    g.gHostPath = folder + "\\Kovarra";
    g.gDecimalSep = platform::regional().DecimalSeparator();
    g.gStepCam = 0.5;
    g.gCarCategory = 1;
    g.gCatCars[1] = {0, 26};
    gFill::FillCarTable();
    const vm::CarEntry& car = vm::cars.carTable[26];
    const std::string camera = g.gHostPath + "\\" + car.carIni;
    const std::string carsIni = g.gHostPath + "\\Cars\\Cars.ini";
    Put(camera, kCamera);
    Put(g.gHostPath + "\\" + car.skinsIni, kSkins);
    Put(g.gHostPath + "\\" + car.textures + "\\preview.jpg", vmtest::fixtures::PreviewJpeg());
    Put(g.gHostPath + "\\" + car.textures + "_blue\\preview.jpg", vmtest::fixtures::PreviewBlueJpeg());
    Put(carsIni, kCarsIni);

    ui::win32::InstallFormViews();
    foMain& main = foMain::Instance();
    bool held = false;
    main.onUnload = [&](int&) {
        // The script moved x by a step of 0.1, took a step of 0.1 off the field of view, unticked
        // the steering wheel and saved; then it chose the skin "Blue".
        held = Holds(camera,
                     "[Cam_internal]\r\nFOV=59.9\r\nPos=0.6 1.25 -0.75\r\nTarget=0 1 5\r\nNear=0.1\r\n"
                     "[i_steeringwheel]\r\nSwitch=true\r\n") &
               Holds(carsIni, "[Skins]\r\nSkin7=1\r\nSkin26=2\r\n[MENU_CAR_INDEX]\r\nINDEX=2\r\n");
        const std::string settings = platform::fileSystem().ReadFile(folder + "\\velomark.ini").value_or("");
        if (settings.find("STEP_CAM=0.1\r\n") == std::string::npos) {
            std::fprintf(stderr, "velomark.ini holds no step of 0.1:\n%s\n", settings.c_str());
            held = false;
        }
    };
    main.Show();
    ui::win32::RunMessageLoop();
    (void)platform::fileSystem().DeleteFolder(folder, true);
    return held ? 0 : 1;
}

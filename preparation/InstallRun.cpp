#include "preparation/InstallRun.h"

#include "catalogues/CarCatalogue.h"
#include "catalogues/FileCheckList.h"
#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "preparation/HostSettings.h"
#include "preparation/Maps.h"
#include "services/Backups.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"

namespace gFunc {

using platform::FsStatus;
using vm::g;

namespace {

// The catalogue entry of the car remembered for the chosen class; nullptr for a class outside
// 1..10 or a remembered id outside the catalogue.
const vm::CarEntry* ChosenCar() {
    if (g.gCarCategory < 1 || g.gCarCategory > vm::kCarClasses) return nullptr;
    std::int32_t id = g.gCatCars[static_cast<std::size_t>(g.gCarCategory)].id;
    if (id < 0 || id >= vm::kCarIds) return nullptr;
    return &vm::cars.carTable[static_cast<std::size_t>(id)];
}

// The file of a check-list entry; a failure for an entry outside the list or without a file.
std::string CheckListFile(int entry) {
    if (entry < 0 || entry > vm::kLastFileCheck) Fail("check list entry", std::to_string(entry), FsStatus::PathNotFound);
    const std::string& path = vm::fileCheckList[static_cast<std::size_t>(entry)].path;
    if (path.empty()) Fail("check list entry", std::to_string(entry), FsStatus::FileNotFound);
    return path;
}

// Puts the client's package source in the place of the host's package. The folder the host may
// have unpacked it into goes to its backup folder the first time and is deleted once that
// backup exists; the host's package is copied to its backup the first time. Only then is the
// package deleted and the client's copied in. Stops at the first failure.
void InstallPackage(const std::string& folder, const std::string& folderBackup, const std::string& package,
                    const std::string& packageBackup, const std::string& source) {
    auto& fs = platform::fileSystem();
    if (fs.FolderExists(folder)) {
        if (folderBackup.empty()) Fail("backup", "(no name)", FsStatus::PathNotFound);
        if (fs.FolderExists(folderBackup))
            Strict::DeleteFolder(folder, false);
        else
            Strict::MoveFolder(folder, folderBackup);
    }
    // Cleared before the backup is taken, so that the backup can be removed again.
    if (fs.FileExists(package)) Strict::SetAttributes(package, platform::kAttrNormal);
    KeepOnce(package, packageBackup);
    if (fs.FileExists(package)) Strict::DeleteFile(package, false);
    Strict::CopyFile(source, package);
}

// The unpacked class package the run works in. A folder of this name that the run did not make
// itself may be the host's own, and is never unpacked into, changed or removed.
std::string WorkingFolder() { return HostPath("\\Physics"); }
std::string PhysicsPackage() { return HostPath("\\physics.qvz"); }

void RequireInWorkingFolder(const std::string& path) {
    std::string folder = WorkingFolder() + "\\";
    if (path.size() <= folder.size() || !platform::EqualsNoCase(path.substr(0, folder.size()), folder))
        Fail("outside " + folder, path, FsStatus::PathNotFound);
}

// Step 105: the car's own physics folder takes the place of its slot's folder.
void InstallCarPhysics(const vm::CarEntry* car) {
    if (!car || car->name.empty()) return;
    RequireInWorkingFolder(car->hostPhysicsDir);
    RequireInWorkingFolder(car->carPhysicsDir);
    auto& fs = platform::fileSystem();
    (void)fs.SetAttributes(car->hostPhysicsDir, platform::kAttrNormal);
    (void)fs.SetAttributes(car->carPhysicsDir, platform::kAttrNormal);
    if (car->hostPhysicsDir == car->carPhysicsDir) return;
    if (fs.FolderExists(car->hostPhysicsDir)) Strict::DeleteFolder(car->hostPhysicsDir, false);
    Strict::MoveFolder(car->carPhysicsDir, car->hostPhysicsDir);
}

// Steps 107 to 117: the car's section of the car list. Returns true when every key was written.
bool WriteCarSection(StepRunner& run, const vm::CarEntry* car) {
    g.gIniFile = HostPath("\\Cars\\cars.ini");
    (void)platform::fileSystem().SetAttributes(g.gIniFile, platform::kAttrNormal);
    if (!car) return true;
    const int category = g.gCarCategory;
    // Classes 1 to 5 announce the section name and the writes with codes of their own.
    auto classCode = [&](int offset) {
        if (category <= 5) SetHostDebugCode(std::to_string(106 + 2 * category + offset));
    };
    classCode(0);
    std::string section = "Car" + std::string(car->slot < 10 ? "0" : "") + std::to_string(car->slot);
    classCode(1);
    const std::string skin = car->skinCode.empty() ? "" : "_" + car->skinCode;
    const std::string q = "\"";
    const std::pair<const char*, std::string> keys[] = {
        {"filename", q + car->model + q},
        {"IniFile", q + car->carIni + q},
        {"ShaderFile", q + car->shaders + skin + ".ini" + q},
        {"ShaderSettings", q + car->shaderSettings + skin + q},
        {"TexturePath", q + car->textures + skin + "\\" + q},
    };
    bool written = true;
    for (const auto& [key, value] : keys) {
        if (ReadWrite::WriteINI(section, key, value) <= 0) {
            run.Record("107", "WriteINI " + section + " " + key);
            written = false;
        }
    }
    return written;
}

// Steps 118 to 120: the driver's own setup of slot i (0 gravel, 1 tarmac, 2 snow) as the car
// slot's default setup of that surface.
void InstallSetup(const vm::CarEntry* car, int i) {
    static constexpr const char* kSurfaces[] = {"gravel", "tarmac", "snow"};
    if (g.gSetupFile[static_cast<std::size_t>(i)] == vm::kDefaultSetup || !car || car->name.empty()) return;
    std::string file = car->hostPhysicsDir + "\\setups\\d_" + kSurfaces[i] + ".lsp";
    RequireInWorkingFolder(file);
    (void)platform::fileSystem().SetAttributes(file, platform::kAttrNormal);
    Strict::WriteFile(file, g.gSetupText[static_cast<std::size_t>(i)] + "\r\n");
}

}  // namespace

std::int16_t InstallPhysicsArchive() {
    RequireHostPath();
    std::string source = CheckListFile(g.gCarCategory);
    InstallPackage(WorkingFolder(), g.gPhysicsBkpDir, HostPath("\\Physics.qvz"), g.gPhysicsBkpFile, source);
    return 1;
}

std::int16_t InstallScriptsArchive() {
    RequireHostPath();
    std::string source = CheckListFile(vm::kCheckScripts);
    InstallPackage(HostPath("\\Scripts"), g.gScriptsBkpDir, HostPath("\\Scripts.qvz"), g.gScriptsBkpFile, source);
    return 1;
}

bool DeleteFolderSafe(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    // A drive ("C:") or a path without a folder is never deleted.
    if (path.size() <= 2 || path.find('\\') == std::string::npos) return false;
    auto& fs = platform::fileSystem();
    if (!fs.FolderExists(path)) return false;
    bool deleted = fs.DeleteFolder(path, true) == FsStatus::Ok;
    return deleted && !fs.FolderExists(path);
}

std::int16_t PrepareHostInstall(std::int16_t slot, std::int32_t surface) {
    StepRunner run;
    if (g.gHostPath.empty()) {
        // Not even the progress code is written: every host path would begin at a drive root.
        run.Record("100", "no host folder");
        installRun.lastFailures = run.failures();
        return 0;
    }
    auto& fs = platform::fileSystem();
    const std::string folder = WorkingFolder(), package = PhysicsPackage();
    const vm::CarEntry* car = ChosenCar();
    std::int16_t physics = 0, scripts = 0, maps = 0;

    run.Run("100", [] {});
    run.Run("101", [&] { physics = InstallPhysicsArchive(); });
    run.Run("102", [&] { scripts = InstallScriptsArchive(); });

    // The physics steps build on one another: each needs the one before to have succeeded.
    bool made = false;
    ZipLib::Archive classPackage;  // as unpacked: the repack takes over the entries left unchanged
    const bool unpacked = run.Run("103", [&] {
        Strict::CreateFolder(folder);
        made = true;
        Strict::Unzip(package, folder, &classPackage);
    }, physics != 0);
    // The class package goes, so that the repack starts a new archive.
    const bool cleared = run.Run("104", [&] {
        if (fs.FileExists(package)) Strict::DeleteFile(package, true);
    }, unpacked);
    const bool carInstalled = run.Run("105", [&] { InstallCarPhysics(car); }, cleared);

    // The car list is written only once its one-time backup exists.
    const bool listBacked = run.Run("106", [&] { KeepOnce(HostPath("\\Cars\\Cars.ini"), HostPath(vm::backups::kCarList)); });
    bool listWritten = false;
    run.Run("107", [&] {
        if (listBacked)
            listWritten = WriteCarSection(run, car);
        else
            run.Record("107", "car list left as it was: it has no backup");
        Strict::CopyFile(HostPath("\\Cars\\Cars.ini"), HostPath("\\Cars\\Cars_Ostrani.ini"));
    });

    for (int i = 0; i < 3; ++i) run.Run(std::to_string(118 + i), [&] { InstallSetup(car, i); }, carInstalled);
    run.Run("121", [&] { maps = PrepareMaps(slot, surface); }, carInstalled);
    const bool repacked = run.Run("122", [&] {
        Strict::Zip(package, folder + "\\*.*", 2, &classPackage);
        Strict::VerifyArchive(package, folder, {"*.*"}, &classPackage);
    }, carInstalled);
    run.Run("123", [&] { (void)DeleteFolderSafe(folder); }, made);

    std::int16_t result = 0;
    run.Run("124", [&] { result = physics && scripts && carInstalled && repacked && listWritten ? maps : 0; });
    installRun.lastFailures = run.failures();
    return result;
}

}  // namespace gFunc

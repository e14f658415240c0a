#include "services/Settings.h"

#include <functional>

#include "platform/Ports.h"
#include "services/Backups.h"
#include "services/Globals.h"
#include "services/ReadWrite.h"
#include "services/TextNumbers.h"
#include "services/basRegistry.h"

namespace qvrMod {

using vm::g;

std::string ProgramFile(const std::string& name) {
    std::string folder = platform::environment().ProgramFolder();
    return folder.size() < 4 ? folder + name : folder + "\\" + name;
}

namespace {

void ReadLong(const char* key, std::int32_t& into) {
    if (auto v = vm::ToLong(ReadWrite::ReadINI("GAME", key), g.gDecimalSep)) into = *v;
}

void ReadInteger(const char* key, std::int16_t& into) {
    if (auto v = vm::ToInteger(ReadWrite::ReadINI("GAME", key), g.gDecimalSep)) into = *v;
}

std::string ClassKey(int k, bool id) { return "CAR" + std::to_string(k) + (id ? "_p" : ""); }

}  // namespace

std::string ReadHostPath() {
    return basRegistry::GetRegValue(platform::RegRoot::LocalMachine, kHostInstallKey, "").Text();
}

void LoadSettings() {
    g.gHostPath = ReadHostPath();
    g.gDecimalSep =
        basRegistry::GetRegValue(platform::RegRoot::CurrentUser, "Control Panel\\International", "sDecimal").Text();
    g.gWinDir = platform::environment().GetVariable("SystemRoot");
    if (g.gWinDir.empty()) g.gWinDir = platform::environment().GetVariable("WINDIR");

    g.gIniFile = ProgramFile("velomark.ini");
    ReadLong("COUNTRY", g.gCountry);
    ReadLong("STAGE", g.gStage);
    ReadLong("WEATHER", g.gWeather);
    ReadLong("CAR", g.gCar);
    for (int k = 1; k <= 10; ++k) ReadLong(ClassKey(k, false).c_str(), g.gCatCars[k].slot);
    for (int k = 1; k <= 10; ++k) ReadLong(ClassKey(k, true).c_str(), g.gCatCars[k].id);
    ReadLong("DAMAGE", g.gDamage);
    ReadLong("STAGEID", g.gStageId);
    ReadInteger("TYRE_TYPE", g.gTyreType);
    // Always written with a point, so read with a point whatever the regional separator.
    if (auto v = vm::ParsePointNumber(ReadWrite::ReadINI("GAME", "STEP_CAM"))) g.gStepCam = *v;

    g.gWebBase = ReadWrite::ReadINI("MAIN", "W");
    g.gDriverName = ReadWrite::ReadINI("MAIN", "NAME");
    g.gDriverPwd = ReadWrite::ReadINI("MAIN", "PWD");
    ReadInteger("TYRE", g.gTyre);

    if (g.gStageId == 0) g.gStageId = 10;
    if (g.gDriverName.empty()) g.gDriverName = "Driver";

    g.gPhysicsBkpFile = g.gHostPath + vm::backups::kPhysicsFile;
    g.gPhysicsBkpDir = g.gHostPath + vm::backups::kPhysicsFolder;
    g.gScriptsBkpFile = g.gHostPath + vm::backups::kScriptsFile;
    g.gScriptsBkpDir = g.gHostPath + vm::backups::kScriptsFolder;

    if (g.gWebBase.empty()) g.gWebBase = kLiveWebBase;
    g.gUrlHotLaps = g.gWebBase + "/HotLaps/";
    g.gUrlTime = g.gWebBase + "/ora.php";
    g.gUrlRoadbook = g.gWebBase + "/roadbook/qvr-race.ini";
    g.gUrlDriver = g.gWebBase + "/driver.php?driver=";
    g.gUrlLog = g.gWebBase + "/log.php?user=";
    g.gUrlCarImage = g.gWebBase + "/img_car.php?driver=";
    g.gUrlError = g.gWebBase + "/err.php?user=";
    g.gUrlRank = g.gWebBase + "/rank.php?user=";
}

void LoadRestoreSettings() {
    g.gHostPath = ReadHostPath();
    g.gAudioBkpFile = g.gHostPath + vm::backups::kAudioFile;
    g.gPhysicsBkpFile = g.gHostPath + vm::backups::kPhysicsFile;
}

void SaveSettings() {
    g.gIniFile = ProgramFile("velomark.ini");
    ReadWrite::WriteINI("MAIN", "NAME", g.gDriverName);
    ReadWrite::WriteINI("MAIN", "PWD", g.gDriverPwd);
    auto put = [](const std::string& key, long long v) { ReadWrite::WriteINI("GAME", key, std::to_string(v)); };
    put("COUNTRY", g.gCountry);
    put("STAGE", g.gStage);
    put("WEATHER", g.gWeather);
    put("CAR", g.gCar);
    for (int k = 1; k <= 10; ++k) put(ClassKey(k, false), g.gCatCars[k].slot);
    for (int k = 1; k <= 10; ++k) put(ClassKey(k, true), g.gCatCars[k].id);
    put("DAMAGE", g.gDamage);
    put("STAGEID", g.gStageId);
    put("TYRE", g.gTyre);
    put("TYRE_TYPE", g.gTyreType);
    ReadWrite::WriteINI("GAME", "STEP_CAM", vm::FormatPointNumber(g.gStepCam));
    if (g.gDriverName.empty()) g.gDriverName = "Driver";
}

}  // namespace qvrMod

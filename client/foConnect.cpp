#include "client/foConnect.h"

#include <optional>

#include "catalogues/CarCatalogue.h"
#include "catalogues/CarList.h"
#include "catalogues/FileCheckList.h"
#include "catalogues/TrackTextures.h"
#include "client/Colors.h"
#include "client/ProgramWindow.h"
#include "client/foMain.h"
#include "platform/Ports.h"
#include "preparation/CarSkin.h"
#include "preparation/HostSettings.h"
#include "preparation/Roadbook.h"
#include "preparation/ServerClock.h"
#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "services/Messages.h"
#include "services/Settings.h"
#include "services/Steps.h"
#include "services/TextNumbers.h"
#include "services/gCheck.h"
#include "services/gLog.h"

using vm::g;
using vm::RunStep;

namespace {

// The title of the log-in's messages.
constexpr const char* kLoginTitle = "Velomark2";

// Keeps a window from the user's hands while it waits for the server.
class Busy {
public:
    explicit Busy(ui::Form& form) : form_(form), wasEnabled_(form.Enabled()) { form_.SetEnabled(false); }
    ~Busy() { form_.SetEnabled(wasEnabled_); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    ui::Form& form_;
    bool wasEnabled_;
};

}  // namespace

foConnect& foConnect::Instance() { return vm::ProgramWindow<foConnect>(); }

foConnect::foConnect() : ui::Form("foConnect") {
    for (ui::Component* c : std::initializer_list<ui::Component*>{
             &laNickname, &nicknameTXT, &laUserPwd, &edUserPwd, &laCat, &laCar, &cmbCar, &laTyre, &laPwd, &edPwd,
             &laPwdHint, &connectCMD})
        Add(*c);
    Add(cmdCat);
    Add(optTyre);
    // The design gives the captions.
    SetDesign(DesignTable());

    cmdCat.OnClick([this](int index) { cmdCat_Click(index); });
    optTyre.ForEach([this](int, ui::OptionButton& b) { tyreOptions_.Add(b); });
    optTyre.OnClick([this](int index) { optTyre_Click(index); });
    // No class is chosen yet.
    cmbCar.SetEnabled(false);
    connectCMD.SetEnabled(false);

    onLoad = [this] { Form_Load(); };
    onUnload = [this](int& cancel) { Form_Unload(cancel); };
    cmbCar.onClick = [this] { cmbCar_Click(); };
    edPwd.onChange = [this] { edPwd_Change(); };
    connectCMD.onClick = [this] { connectCMD_Click(); };
}

// --- start-up ---

void foConnect::Form_Load() {
    g.gMenuStarted = 0;
    const platform::ProgramVersion version = platform::environment().Version();
    g.gAppVersion = std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                    std::to_string(version.revision);
    const std::string caption = "Velomark v" + g.gAppVersion;
    if (!platform::instances().ClaimOnlyCopy(kOnlyCopyClaim)) {
        vm::ShowMessage("Error! you have already Velomark.exe as task!!\n\rPlease check with task manager",
                        platform::kMsgCritical, "Error");
        platform::environment().ExitProgram(kStartRefused);
    }
    gLog::OpenLog();

    std::string arguments;
    RunStep([&] { arguments = platform::environment().CommandLine(); });
    RunStep([&] { SetCaption(caption); });
    g.gTestSwitch = arguments == kTestingCode;
    RunStep([&] {
        // From here on the main window's timers run.
        foMain& main = foMain::Instance();
        main.Load();
        main.SetCaption(caption);
    });
    RunStep(qvrMod::LoadSettings);
    RunStep([this] { cmbCar.Clear(); });
    RunStep(gFill::FillFileCheckList);
    RunStep(gFill::FillCarTable);
    RunStep([this] {
        if (g.gTyre == 0 || g.gTyre == 1) optTyre[g.gTyre].SetValue(true);
    });
    RunStep([this] { RunStartChecks(); });
}

void foConnect::RunStartChecks() {
    nicknameTXT.SetText(g.gDriverName);
    edUserPwd.SetText(g.gDriverPwd);
    if (gCheck::CheckHostExe() != 1)
        return RefuseStart("Error! you don't have installed the 1.02 patch. Please install!");
    const int files = gCheck::CheckFileList(vm::fileCheckList);
    if (files == 0 || files == 1) return RefuseStart("Error found in the Velomark utility. Please reinstall!");
    gFill::FillTrackTextures();

    // Texture folders that an earlier run left in the host's place go back to their variant names.
    int free = 0, moved = 0;
    RunStep([&] { free = gCheck::SwapFoldersFree(vm::folderSwapTable, vm::kLastFolderSwap); });
    if (free == 0) {
        RunStep([&] { moved = gCheck::SwapFolders(vm::folderSwapTable, vm::kLastFolderSwap); });
        if (moved == gCheck::kSwapMoved)
            RunStep([&] { free = gCheck::SwapFoldersFree(vm::folderSwapTable, vm::kLastFolderSwap); });
        else
            free = 0;
    }
    if (free == 0 || free == gCheck::kSwapTarmacTaken)
        return RefuseStart("Error found in the Kovarra\\Maps. Please reinstall the tracks");
}

void foConnect::RefuseStart(const std::string& message) {
    vm::ShowMessage(message, platform::kMsgCritical, "Error");
    refusing_ = true;
    Unload();
    platform::environment().ExitProgram(kStartRefused);
}

void foConnect::Form_Unload(int&) {
    // Nothing else would be left on screen: the hidden main window would keep the program alive.
    if (refusing_ || g.gClientReady != 0) return;
    gLog::CloseLog();
    platform::environment().ExitProgram(0);
}

// --- car and tyre choice ---

void foConnect::cmdCat_Click(int index) {
    g.gCarCategory = index;
    client::MarkChosenClass(cmdCat, index);
    FillCarList(static_cast<std::int16_t>(g.gCarCategory));
    cmbCar.SetEnabled(true);
    connectCMD.SetEnabled(true);
}

void foConnect::FillCarList(std::int16_t category) { gFill::FillCarList(cmbCar, category); }

void foConnect::cmbCar_Click() {
    gFill::ChooseCar(cmbCar.ItemData(cmbCar.ListIndex()));
    connectCMD.SetEnabled(true);
    gFunc::LoadCarSkin();
}

void foConnect::optTyre_Click(int index) { g.gTyre = static_cast<std::int16_t>(index); }

void foConnect::edPwd_Change() { g.gRallyPwd = edPwd.Text(); }

// --- log-in ---

void foConnect::connectCMD_Click() {
    if (nicknameTXT.Text().empty()) return;
    g.gStartRank = 0;
    g.gDriverName = nicknameTXT.Text();
    g.gDriverPwd = edUserPwd.Text();
    RunStep(qvrMod::SaveSettings);
    if (std::string tag = gFill::ClassTag(g.gCarCategory); !tag.empty()) g.gCarLabel = tag;
    if (!g.gHostPath.empty()) RunStep([] { gFunc::WriteHostDefaults(false); });
    RunStep([] {
        const vm::ClassCar& remembered = g.gCatCars.at(static_cast<std::size_t>(g.gCarCategory));
        g.gCar = remembered.slot;
        g.gCarPlus = remembered.id;
    });

    if (!g.gRallyPwd.empty()) {
        std::string registration;
        std::optional<std::string> reply = AskEventServer(registration);
        if (reply != "OK") {
            vm::ShowMessage(reply ? *reply : registration, platform::kMsgCritical, kLoginTitle);
            return;
        }
    }

    const bool ok = g.gRallyPwd.empty() || g.gRoadbookPwd == g.gRallyPwd;
    gLog::WriteLog("User :" + g.gDriverName);
    gLog::WriteLog("Car :" + std::to_string(g.gCar) + " CarPlus:" + std::to_string(g.gCarPlus));
    gLog::WriteLog(" ");
    if (!ok) {
        vm::ShowMessage("Wrong Rally Password!! \n\rRETRY!!", platform::kMsgOk, kLoginTitle);
        edPwd.SetText("");
        return;
    }
    if (!g.gRallyPwd.empty())
        vm::ShowMessage(
            "Velomark rally\n\r\n\r"
            "Remember you can\x92t close this utility until the end of the rally\n\r"
            "If you close the utility before the end of the rally, you will be disqualified\n\r"
            "Remember you must observe the roadbook timetable\n\r",
            platform::kMsgOk, kLoginTitle);
    g.gCarLabel += cmbCar.Text();
    RunStep([] { foMain::Instance().Carica(); });
}

std::optional<std::string> foConnect::AskEventServer(std::string& registration) {
    Busy busy(*this);
    platform::HttpPort& http = platform::http();
    RunStep(gFunc::SetClockFromServer);
    RunStep([&] {
        auto reply = http.Get(gFunc::RankUrl(g.gDriverName, g.gRallyPwd), platform::kHttpTimeoutSeconds);
        if (!reply) return;
        if (auto rank = vm::ToInteger(*reply, g.gDecimalSep)) g.gStartRank = *rank;
    });
    RunStep([&] {
        // The roadbook is stored as it came; a failed request leaves the file empty.
        auto roadbook = http.Get(g.gUrlRoadbook, platform::kHttpTimeoutSeconds);
        const std::string file = gFunc::RoadbookFile();
        (void)platform::fileSystem().DeleteFile(file, false);
        (void)platform::fileSystem().WriteFile(file, roadbook.value_or(std::string()));
    });
    RunStep(gFunc::ReadRoadbook);
    registration = gFunc::DriverUrl(nicknameTXT.Text(), g.gCarPlus, g.gCarCategory, g.gTyre, g.gAppVersion,
                                    edUserPwd.Text());
    return http.Get(registration, platform::kHttpTimeoutSeconds);
}

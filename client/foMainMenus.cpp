// The main window's menus and its exit.
#include "catalogues/TrackTextures.h"
#include "client/ProgramWindow.h"
#include "client/foCam.h"
#include "client/foMain.h"
#include "client/foSkins.h"
#include "platform/Ports.h"
#include "preparation/Results.h"
#include "preparation/WebAddresses.h"
#include "services/Globals.h"
#include "services/Messages.h"
#include "services/Settings.h"
#include "services/Steps.h"
#include "services/gLog.h"
#include "services/host/Memory.h"

using vm::g;
using vm::RunStep;

namespace {
// A line break inside the exit question.
constexpr const char* kBreak = "\n\r";
}  // namespace

void foMain::Form_Unload(int& cancel) {
    // The exit unloads the window from inside this handler: that unload goes through.
    if (exiting_) return;
    const int asked = cancel;
    RunStep([] { (void)gCheck::SwapFolders(vm::folderSwapTable, vm::kLastFolderSwap); });
    if (asked == 3) {
        // A failed start: the choices are kept and the program ends, without a question.
        RunStep([] { qvrMod::SaveSettings(); });
        platform::environment().ExitProgram(0);
    }
    if (asked != 0) return;

    const std::string question =
        g.gRallyPwd.empty()
            ? std::string("Exiting in progress...") + kBreak + "Are you sure?"
            : std::string("You are exiting from the utility, are you sure?") + kBreak +
                  "Exiting from the game will not be able to re-enter." + kBreak +
                  "Remember that the time of your PC has been set up on Italian hour" + kBreak +
                  "and you will manually restore your correct time";
    platform::MsgAnswer answer = platform::kAnswerNo;
    RunStep([&] { answer = vm::ShowMessage(question, platform::kMsgYesNo | platform::kMsgExclamation, "Velomark"); });
    if (answer != platform::kAnswerYes) {
        cancel = 1;
        return;
    }
    exiting_ = true;
    RunStep([] { qvrMod::SaveSettings(); });
    RunStep([] { gLog::CloseLog(); });
    Memory::Wait(500);
    RunStep([this] { (void)Unload(); });
    Memory::Wait(500);
    platform::environment().ExitProgram(0);
}

void foMain::Exit_Click() { (void)Unload(); }

// A new chooser for each opening, so that nothing an earlier one showed is left in it.
void foMain::SkinSelector_Click() { vm::ShowModalAfresh<foSkins>(*this); }
void foMain::CamSettings_Click() { vm::ShowModalAfresh<foCam>(*this); }

void foMain::SaveTimes_Click() { gFunc::SaveTimesLog(MainTXT.Text()); }

void foMain::UploadResults_Click() { gFunc::UploadStageTime(); }

void foMain::HotLap_Click() { ToggleHotLapMode(); }

void foMain::R0_Click() { StartReplay(0); }
void foMain::R1_Click() { StartReplay(1); }
void foMain::R2_Click() { StartReplay(2); }
void foMain::R3_Click() { StartReplay(3); }
void foMain::R4_Click() { StartReplay(4); }
void foMain::R5_Click() { StartReplay(5); }
void foMain::R6_Click() { StartReplay(6); }
void foMain::R7_Click() { StartReplay(7); }
void foMain::R8_Click() { StartReplay(8); }
void foMain::R9_Click() { StartReplay(9); }
void foMain::R10_Click() { StartReplay(10); }
void foMain::R11_Click() { StartReplay(11); }
void foMain::R12_Click() { StartReplay(12); }
void foMain::R13_Click() { StartReplay(13); }
void foMain::R14_Click() { StartReplay(14); }
void foMain::R15_Click() { StartReplay(15); }

void foMain::webVLMK_Click() { gFunc::OpenUrl(WindowHandle(), g.gWebBase); }

void foMain::Chat_Click() { gFunc::OpenUrl(WindowHandle(), gFunc::ChatUrl()); }

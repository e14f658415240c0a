// The host-menu driver: while the host is in front and in its menus, the entries it stands on
// are set in its memory (the car, the stage, the start) and confirmed with Enter, so that the
// host runs into the chosen stage with the chosen car. No arrow key is sent.
#include "client/foMain.h"
#include "services/Globals.h"
#include "services/Steps.h"
#include "services/host/HostMap.h"
#include "services/host/Memory.h"
#include "services/host/qvrHost.h"

using vm::g;

namespace {

// Menu A's entries the driver acts on.
constexpr int kMainMenu = 82, kCarMenu = 2, kStageMenu = 11, kBeforeStart = 0, kStartEntry = 10;
constexpr int kClientStageEntry = 12;

// The value of the car entry for each host car slot: the car's place in the host's car menu
// plus 3.
constexpr std::int32_t kCarValue[8] = {10, 7, 11, 5, 8, 4, 6, 9};

void SetWordA(std::int32_t value) { Memory::WriteLong(qvrMod::GetMenuBase() + hostmap::menu::kWordA, value); }

void WriteStageParams(const vm::StageChoice& s) {
    qvrMod::SetStageParams(s.hostTrackId, s.weather, s.car, s.damage, g.gHostOption, g.gTestFlag,
                           static_cast<std::uint8_t>(s.tyreType), s.humid, s.wear, s.skyName);
}

void WriteCarEntry(const vm::StageChoice& s) {
    if (s.car < 0 || s.car > 7) return;  // no slot of the host: nothing to select
    qvrMod::SetMenuItemA(kCarMenu, -1, kCarValue[s.car], -1, 0, 0, 0, 0, false);
}

}  // namespace

void foMain::mnuTimer_Timer() {
    Memory::GetHostProcess();
    if (Memory::state.gHostWnd == 0 || !Memory::IsHostForeground() || qvrMod::IsGameStateNotOne()) return;
    vm::RunStep([this] {
        // Looked at for each write.
        auto run = [this] { return HostRunChoice(); };
        // Armed by the host's main menu once per start.
        if (qvrMod::GetMenuIndex() == kMainMenu && g.gMenuStarted == 0) g.gMenuStarted = 1;
        if (g.gMenuStarted == 0) return;

        // Each entry is tested against what the host selects at that moment.
        if (qvrMod::GetMenuIndex() == kMainMenu) SetWordA(1);
        if (qvrMod::GetMenuIndex() == kCarMenu) {
            WriteCarEntry(run());
            Memory::Wait(100);
            qvrMod::PressEnterDown();
        }
        if (qvrMod::GetMenuIndex() == kStageMenu) {
            WriteStageParams(run());
            if (g.gRallyPwd.empty()) {
                qvrMod::SetMenuItemA(kClientStageEntry, kClientStageEntry, 3, 6, 0, 0, 0, 0, true);
                SetWordA(1);
                return;
            }
            qvrMod::SetMenuItemA(kClientStageEntry, kMainMenu, 4, 0, 0, 0, 0, 0, true);
            for (int i = 0; i < 9; ++i) {
                Memory::Wait(100);
                qvrMod::PressEnter();
            }
            WriteStageParams(run());
        }
        if (qvrMod::GetMenuIndex() == kBeforeStart) {
            SetWordA(0);
            WriteStageParams(run());
            WriteCarEntry(run());
            qvrMod::SetMenuItemA(kStartEntry, kMainMenu, 4, 0, 0, 0, 0, 0, true);
            for (int i = 0; i < 5; ++i) {
                if (qvrMod::GetMenuIndex() == kStartEntry) {
                    Memory::Wait(100);
                    qvrMod::PressEnter();
                }
            }
        }
    });
}

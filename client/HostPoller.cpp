// The patch and flag poller: while the host is in front, keeps the driver's "ready to SS" text
// and, in an event, three code bytes in place, and acts on the two items the client added to
// the host's menu. And the clock with the countdown to the driver's start.
#include <string>

#include "client/foMain.h"
#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/Steps.h"
#include "services/TimeText.h"
#include "services/host/HostMap.h"
#include "services/host/Memory.h"
#include "services/host/qvrHost.h"

using vm::g;

void foMain::pTimer_Timer() {
    using namespace hostmap;
    // The window of the last lookup that another timer made.
    if (!Memory::IsHostForeground()) return;
    vm::RunStep([this] {
        // Ends in one 16-bit NUL.
        const std::string ready = platform::Cp1252ToUtf16Le(qvrMod::ReadyToSSText(g.gDriverName, HostRunChoice().ss));
        if (qvrMod::GetHostVersion() == 3) {
            Memory::WriteLong(qvrMod::GetGameBase() + game::kText2, static_cast<std::int32_t>(kReadyText));
            Memory::WriteLong(qvrMod::GetGameBase() + game::kText1, static_cast<std::int32_t>(kReadyText));
            Memory::WriteString(kReadyText, ready);
        }
        if (!g.gRallyPwd.empty()) {
            static const std::uint32_t kEventPatch[] = {kEventPatchV1, kEventPatchV2, kEventPatchV3};
            const int version = qvrMod::GetHostVersion();
            if (version >= 1 && version <= 3) Memory::WriteHex(kEventPatch[version - 1], "F39090");
        }
        // The flag cells that the host's patched routines set; a failed read is no request.
        if (auto a = Memory::ReadLong(kFlagCellA); a.ok && a == 1) {
            qvrMod::BuildClientMenu();
            Memory::WriteLong(kFlagCellA, 0);
        }
        if (auto b = Memory::ReadLong(kFlagCellB); b.ok && b == 1) qvrMod::CloseHost();
    });
}

void foMain::tOra_Timer() {
    auto& regional = platform::regional();
    laTime.SetCaption(vm::FormatDayFirstStamp(platform::clock().Now(), regional.DateSeparator(), regional.TimeSeparator()));
    if (!g.gRallyPwd.empty() && g.gCurrentSS > 0) UpdateStageCountdown(g.gCurrentSS);
}

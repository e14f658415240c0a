// Host memory as the client reads it: the version, the base pointers, the menu index search,
// the menu entries that the client sets through pointers it reads, the stage parameters and the
// menu patch with its text-table reads, over a host model whose memory is the input. No pointer
// read from the host may lead the client out of bounds of its own memory or into a loop that
// outlasts the host.
//
// The input is a list of records, each laid into the host's memory:
//   4 bytes  address, least significant first
//   1 byte   protection of the pages the bytes touch (taken modulo the eight kinds)
//   2 bytes  count of the bytes that follow, least significant first (cut at the input's end)
//   bytes
// Pages no record touches are not there. The host ends during the client's fourth wait, as a
// host that is closed does.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Bytes.h"
#include "platform/Ports.h"
#include "platform/native/NativeHost.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

constexpr std::uint32_t kHostPid = 1234;
constexpr int kPumpsWhileHostRuns = 4;
constexpr std::uint32_t kProtections[] = {
    platform::kPageReadWrite,      platform::kPageReadOnly,  platform::kPageExecuteRead,
    platform::kPageExecuteReadWrite, platform::kPageNoAccess, platform::kPageExecute,
    platform::kPageWriteCopy,      platform::kPageExecuteWriteCopy,
};

void Fill(platform::NativeAddressSpace& memory, const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 7;
    std::size_t at = 0;
    while (size - at >= kHeader) {
        const std::uint32_t address = platform::FromLe32(data + at);
        const std::uint32_t protection = kProtections[data[at + 4] % std::size(kProtections)];
        std::size_t count = data[at + 5] | std::size_t(data[at + 6]) << 8;
        at += kHeader;
        count = std::min(count, size - at);
        memory.Poke(address, std::string_view(reinterpret_cast<const char*>(data + at), count));
        memory.Map(address, static_cast<std::uint32_t>(std::max<std::size_t>(count, 1)), protection);
        at += count;
    }
}

void CheckMenuIndex(int index) {
    if (index < qvrMod::kNoMenuIndex || index > hostmap::menu::kIndexCount)
        fuzz::Fail("GetMenuIndex answered " + std::to_string(index));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::NativeProcesses processes;
    platform::NativeDesktop desktop;
    platform::ManualClock clock;
    platform::Ports& ports = platform::ports();
    const platform::Ports saved = ports;
    ports.processes = &processes;
    ports.desktop = &desktop;
    ports.clock = &clock;
    vm::ResetProgramState();

    Fill(processes.Add(kHostPid).memory, data, size);
    const platform::WindowHandle window = desktop.AddWindow(hostmap::kWindowClass, kHostPid);
    desktop.foreground = window;
    desktop.clock = &clock;
    desktop.onPump = [&] {
        if (desktop.pumps < kPumpsWhileHostRuns) return;
        desktop.RemoveWindow(window);
        processes.Find(kHostPid)->running = false;
    };

    (void)qvrMod::GetHostVersion();
    CheckMenuIndex(qvrMod::GetMenuIndex());
    (void)qvrMod::IsGameStateNotOne();
    qvrMod::SetMenuItemA(2, 12, 4, -1, 0, 0, 0, 0, true);
    qvrMod::SetMenuItemA(10, 82, 4, 1, 0, 0, 0, 0, false);
    qvrMod::SetMenuItemB(17, 3, 4, -1, 0, 0, 0, 0, true);
    qvrMod::LinkMenuItem(17, 4);
    qvrMod::BuildClientMenu();
    qvrMod::SetStageParams(12, 1, 0, 3, 0, 1, 2, 1, 1, "10O_N_hazy_partcloud");
    CheckMenuIndex(qvrMod::GetMenuIndex());  // after the client's own writes into the menus
    qvrMod::PatchHostMenus();                // waits for the text table while the host runs
    CheckMenuIndex(qvrMod::GetMenuIndex());

    if (processes.OpenHandles() != 0) fuzz::Fail("a handle to the host was left open");
    ports = saved;
    return 0;
}

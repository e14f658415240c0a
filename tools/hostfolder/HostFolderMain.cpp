// make_host_folder: a host folder for the simulated host with generated data packages that any
// choice of car and stage can start, laid out as the client in testing mode takes them; for the
// driven end-to-end test and the demo.
//
//   make_host_folder <folder>
//
// Writes <folder>\Kovarra, the host folder of tests/support/HostFixture.h over the whole
// catalogue, with the class and materials packages under the names the client looks for there in
// testing mode; the scripts package goes into the Windows system folder, where the client takes
// it in every mode. The host's executable is left to the caller. Exit codes: 0 written, 1 a file
// could not be written, 2 bad command line.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/win32/Win32Adapters.h"
#include "services/Globals.h"
#include "services/Settings.h"
#include "tests/support/HostFixture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_host_folder <folder>\n");
        return 2;
    }
    platform::win32::InstallWin32Ports();
    qvrMod::LoadSettings();  // the Windows folder, as the client finds it
    vm::g.gTestSwitch = true;
    try {
        vmtest::HostFixture fx(argv[1], {.wholeCatalogue = true}, vm::g.gWinDir);
        fx.Build();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_host_folder: %s\n", e.what());
        return 1;
    }
    return 0;
}

// The ports through which all logic reaches the operating system. Programs install their
// adapters at start-up; tests install theirs (see platform/native/NativePlatform.h).
// This file must contain only operating-system independent declarations.
#pragma once
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Http.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/Registry.h"

namespace platform {

struct Ports {
    ProfilePort* profile = nullptr;
    RegistryPort* registry = nullptr;
    EnvironmentPort* environment = nullptr;
    FileSystemPort* fileSystem = nullptr;
    MessageBoxPort* messageBox = nullptr;
    ClockPort* clock = nullptr;
    HttpPort* http = nullptr;
    DesktopPort* desktop = nullptr;
    ProcessPort* processes = nullptr;
};

// The installed ports of this process.
Ports& ports();

// Each returns the installed port; using one that was never installed is a programming error.
ProfilePort& profile();
RegistryPort& registry();
EnvironmentPort& environment();
FileSystemPort& fileSystem();
MessageBoxPort& messageBox();
ClockPort& clock();
HttpPort& http();
DesktopPort& desktop();
ProcessPort& processes();

}  // namespace platform

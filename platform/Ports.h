// The ports through which all logic reaches the operating system. Programs install their
// adapters at start-up; tests install theirs (see platform/native/NativePlatform.h).
// This file must contain only operating-system independent declarations.
#pragma once
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/Instance.h"
#include "platform/Http.h"
#include "platform/Md5.h"
#include "platform/MessageBox.h"
#include "platform/Picture.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/Regional.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/WebPane.h"

namespace platform {

struct Ports {
    ProfilePort* profile = nullptr;
    RegistryPort* registry = nullptr;
    EnvironmentPort* environment = nullptr;
    FileSystemPort* fileSystem = nullptr;
    MessageBoxPort* messageBox = nullptr;
    ClockPort* clock = nullptr;
    HttpPort* http = nullptr;
    ShellPort* shell = nullptr;
    RegionalPort* regional = nullptr;
    WebPanePort* webPanes = nullptr;
    Md5Port* md5 = nullptr;
    DesktopPort* desktop = nullptr;
    ProcessPort* processes = nullptr;
    FileDialogPort* fileDialog = nullptr;
    InstancePort* instances = nullptr;
    PicturePort* pictures = nullptr;
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
ShellPort& shell();
RegionalPort& regional();
WebPanePort& webPanes();
Md5Port& md5();
DesktopPort& desktop();
ProcessPort& processes();
FileDialogPort& fileDialog();
InstancePort& instances();
PicturePort& pictures();

}  // namespace platform

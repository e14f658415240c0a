#include "platform/Ports.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

Ports& ports() {
    static Ports installed;
    return installed;
}

namespace {
template <class T>
T& require(T* port, const char* name) {
    if (port == nullptr) {
        std::fprintf(stderr, "platform port '%s' used before it was installed\n", name);
        std::abort();
    }
    return *port;
}
}  // namespace

ProfilePort& profile() { return require(ports().profile, "profile"); }
RegistryPort& registry() { return require(ports().registry, "registry"); }
EnvironmentPort& environment() { return require(ports().environment, "environment"); }
FileSystemPort& fileSystem() { return require(ports().fileSystem, "fileSystem"); }
MessageBoxPort& messageBox() { return require(ports().messageBox, "messageBox"); }
ClockPort& clock() { return require(ports().clock, "clock"); }
HttpPort& http() { return require(ports().http, "http"); }
ShellPort& shell() { return require(ports().shell, "shell"); }
RegionalPort& regional() { return require(ports().regional, "regional"); }
WebPanePort& webPanes() { return require(ports().webPanes, "webPanes"); }
Md5Port& md5() { return require(ports().md5, "md5"); }
DesktopPort& desktop() { return require(ports().desktop, "desktop"); }
ProcessPort& processes() { return require(ports().processes, "processes"); }
FileDialogPort& fileDialog() { return require(ports().fileDialog, "fileDialog"); }
InstancePort& instances() { return require(ports().instances, "instances"); }
PicturePort& pictures() { return require(ports().pictures, "pictures"); }

}  // namespace platform

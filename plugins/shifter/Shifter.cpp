#include "plugins/shifter/Shifter.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Bytes.h"
#include "plugins/HostAddresses.h"

namespace shifter {

namespace {

constexpr const char* kSection = "MAIN";

std::string KeyName(int i) { return "Key" + std::to_string(i); }

// Reads the key as a number in the base; nothing when it is missing or empty.
bool ReadNumber(Shifter& s, const std::string& path, const std::string& key, int base, long* value) {
    char text[256] = {};
    if (s.ports.profile.GetString(kSection, key.c_str(), "", text, sizeof text, path) == 0) return false;
    *value = static_cast<long>(std::strtoll(text, nullptr, base));
    return true;
}

std::uint32_t Read32(platform::OwnMemoryPort& memory, std::uint32_t address) {
    std::uint8_t bytes[4];
    return memory.Read(address, bytes, 4) ? platform::FromLe32(bytes) : 0;
}

}  // namespace

std::string ShifterIniPath(Shifter& s) {
    std::string folder = s.ports.environment.ProgramFolder();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + "\\plugins\\shifter.ini";
}

void LoadShifterSettings(Shifter& s) {
    const std::string path = ShifterIniPath(s);
    long value = 0;
    if (ReadNumber(s, path, "ControlIndex", 10, &value)) s.controllerIndex = static_cast<std::int32_t>(value);
    if (ReadNumber(s, path, "Enabled", 10, &value)) s.enabled = value != 0;
    if (ReadNumber(s, path, "AutoNeutral", 10, &value)) s.autoNeutral = value != 0;
    for (int i = 0; i < kBindingCount; ++i)
        if (ReadNumber(s, path, KeyName(i), 16, &value)) s.bindings[i] = static_cast<std::uint32_t>(value);
}

void SaveShifterSettings(Shifter& s) {
    const std::string path = ShifterIniPath(s);
    auto& profile = s.ports.profile;
    profile.WriteString(kSection, "ControlIndex", std::to_string(s.controllerIndex.load()).c_str(), path);
    profile.WriteString(kSection, "Enabled", s.enabled ? "1" : "0", path);
    profile.WriteString(kSection, "AutoNeutral", s.autoNeutral ? "1" : "0", path);
    for (int i = 0; i < kBindingCount; ++i) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(s.bindings[i].load()));
        profile.WriteString(kSection, KeyName(i).c_str(), hex, path);
    }
}

platform::WindowHandle FindProcessWindow(Shifter& s, std::uint32_t processId) {
    return s.ports.desktop.FirstUnownedWindowOf(processId);
}

void GearPollPass(Shifter& s) {
    if (!s.initialised) {
        LoadShifterSettings(s);
        s.input.InitDirectInput(s.hostWindow, s.controllerIndex);
        s.initialised = true;
    }
    // The states read serve this pass's gear choice and a key capture of the menu page, so only
    // the devices that one of them will look at are read: under Wine every device read costs
    // a round trip to the server. The others read as all up.
    const std::uint32_t car = Read32(s.ports.memory, qvrplugin::kCarPtr);
    const bool shifting = s.enabled && car != 0 && Read32(s.ports.memory, qvrplugin::kDrivingFlag) != 0;
    unsigned devices = s.capturing ? kAllDevices : 0;
    if (shifting)
        for (const auto& binding : s.bindings) devices |= DeviceOfCode(binding);
    s.input.PollInputDevices(devices);
    if (!shifting) return;

    std::int32_t gear = kNeutral;
    int binding = 0;
    while (binding < kBindingCount && !s.input.IsInputCodeActive(s.bindings[binding])) ++binding;
    if (binding < kBindingCount) gear = binding == kBindingCount - 1 ? kReverse : kFirstGear + binding;
    else if (!s.autoNeutral) return;

    s.currentGear = gear;
    if (gear != s.lastGear) {
        const std::string bytes = platform::Le32(static_cast<std::uint32_t>(gear));
        s.ports.memory.Write(car + qvrplugin::kCarGear, bytes.data(), 4);
    }
    s.lastGear = gear;
}

void GearPollThread(Shifter& s) noexcept {
    try {
        const std::uint32_t self = s.ports.processes.CurrentProcessId();
        for (;;) {
            s.hostWindow = FindProcessWindow(s, self);
            if (s.hostWindow != 0) break;
            if (s.stop.WaitFor(kPollMs)) return;
        }
        do {
            GearPollPass(s);
        } while (!s.stop.WaitFor(kPollMs));
        s.input.ReleaseInputDevices();
    } catch (...) {
        // Nothing may unwind out of the thread; the gear simply stays as it is.
    }
}

}  // namespace shifter

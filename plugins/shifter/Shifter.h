// The shifter library's shared state, its settings file shifter.ini, and the poll thread that
// turns the bound inputs into a gear written into the host.
//
// Two threads use the state: the host's (plug-in calls, ShifterPlugin) and the poll thread. The
// switches, bindings, controller index and capture state are atomics changed by single stores;
// the devices guard themselves (InputDevices).
#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/OwnMemory.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/StopSignal.h"
#include "plugins/shifter/ShifterInput.h"

namespace shifter {

// Bindings 0..5 choose first to sixth gear, binding 6 reverse.
inline constexpr int kBindingCount = 7;
// The gear values the host takes: 2..7 for first to sixth, 0 for reverse, 1 for neutral.
inline constexpr std::int32_t kReverse = 0, kNeutral = 1, kFirstGear = 2;
// The poll period, and the pause between looks for the host's window.
inline constexpr std::uint32_t kPollMs = 10;

// What the library reaches the system through.
struct ShifterPorts {
    platform::ProfilePort& profile;
    platform::FileSystemPort& files;
    platform::ClockPort& clock;
    platform::EnvironmentPort& environment;
    platform::DesktopPort& desktop;
    platform::ProcessPort& processes;  // the own process id
    platform::OwnMemoryPort& memory;   // the host's memory: the library's own process
    platform::DirectInputPort& directInput;
};

struct Shifter {
    explicit Shifter(const ShifterPorts& p) : ports(p), input(p.directInput) {}
    Shifter(const Shifter&) = delete;
    Shifter& operator=(const Shifter&) = delete;

    ShifterPorts ports;

    // Shared by both threads.
    std::array<std::atomic<std::uint32_t>, kBindingCount> bindings{};
    std::atomic<bool> enabled{false};
    std::atomic<bool> autoNeutral{false};
    std::atomic<std::int32_t> controllerIndex{0};
    std::atomic<bool> capturing{false};
    std::atomic<std::int32_t> captureIndex{0};
    std::atomic<platform::WindowHandle> hostWindow{0};
    InputDevices input;
    platform::StopSignal stop;  // raised when the host destroys the plug-in object

    // The poll thread's own.
    bool initialised = false;
    std::int32_t lastGear = 0, currentGear = 0;
};

// The settings file: the host executable's folder, then "\plugins\shifter.ini".
std::string ShifterIniPath(Shifter& s);
// Reads ControlIndex, Enabled, AutoNeutral and Key0..Key6 (hexadecimal) from section MAIN; a
// missing or empty key leaves its value.
void LoadShifterSettings(Shifter& s);
// Writes ControlIndex, Enabled, AutoNeutral, then Key0..Key6 in lower-case hexadecimal.
void SaveShifterSettings(Shifter& s);

// Returns the first top-level window without owner of the process, or 0.
platform::WindowHandle FindProcessWindow(Shifter& s, std::uint32_t processId);

// One pass of the poll loop: set-up on the first, then the devices read that a key capture or
// the bindings need (none while no gear can be written and no capture runs), and the gear
// chosen and written when it changed.
void GearPollPass(Shifter& s);
// The poll thread: waits for the host's window, then runs a pass every kPollMs until the stop
// signal is raised, and releases the devices. Throws nothing.
void GearPollThread(Shifter& s) noexcept;

}  // namespace shifter

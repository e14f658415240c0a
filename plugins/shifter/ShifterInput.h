// The shifter's input devices: a keyboard, a mouse and one game controller through DirectInput,
// read once a poll, and the input codes that name a key, a button or a hat direction.
//
// Input codes: 0..255 a keyboard scan code; 256 nothing; 257..264 mouse buttons 1..8;
// 265..392 controller buttons 0..127; 297..332 also hat (code - 297) / 9 in direction
// (code - 297) % 9 when that button is up; above 392 nothing.
#pragma once
#include <array>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/DirectInput.h"

namespace shifter {

inline constexpr std::uint32_t kNoInput = 256;
inline constexpr std::uint32_t kFirstMouseCode = 257, kFirstControllerCode = 265, kLastControllerCode = 392;
inline constexpr std::uint32_t kFirstHatCode = 297, kLastHatCode = 332;
// The product name of a controller is cut to this many characters.
inline constexpr std::size_t kControllerNameMax = 255;

// Sets of devices, as bits.
inline constexpr unsigned kKeyboardDevice = 1, kMouseDevice = 2, kControllerDevice = 4;
inline constexpr unsigned kAllDevices = kKeyboardDevice | kMouseDevice | kControllerDevice;
// The device whose state tells whether the code's input is down; 0 for a code that none does.
unsigned DeviceOfCode(std::uint32_t code);

// The devices and their last states. The host's thread (menu) and the poll thread share it:
// every operation takes the lock, so no device is used while another thread releases it.
class InputDevices {
public:
    explicit InputDevices(platform::DirectInputPort& port) : port_(port) {}
    ~InputDevices() { ReleaseInputDevices(); }
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;

    // Opens the DirectInput object, the keyboard and the mouse on the window, counts the
    // attached controllers and opens the index-th. Devices open before are released first.
    void InitDirectInput(platform::WindowHandle window, int index);
    // Replaces the controller with the index-th attached one (none when there is none there);
    // does nothing before InitDirectInput has opened the DirectInput object.
    void SelectController(platform::WindowHandle window, int index);
    // Releases every device and the DirectInput object.
    void ReleaseInputDevices();
    // Reads the state of every open device of the set; a device whose read fails is acquired
    // again, and a keyboard or mouse then reads as all up. A device left out reads as all up
    // until it is read again.
    void PollInputDevices(unsigned devices = kAllDevices);

    // Returns true if the input of the code is down in the last states read.
    bool IsInputCodeActive(std::uint32_t code) const;
    // Returns the highest code of first..last, skipping skip, that is active; kNoInput when none.
    std::uint32_t LastActiveCode(std::uint32_t first, std::uint32_t last, std::uint32_t skip) const;

    int ControllerCount() const;
    std::string ControllerName() const;

private:
    void ReleaseController();
    void OpenController(platform::WindowHandle window, int index);
    bool ActiveLocked(std::uint32_t code) const;

    mutable std::mutex lock_;
    platform::DirectInputPort& port_;
    bool created_ = false;
    platform::InputDevice keyboard_ = 0, mouse_ = 0, controller_ = 0;
    int controllerCount_ = 0;
    std::string controllerName_;
    std::array<std::uint8_t, platform::kKeyboardStateSize> keyboardState_{};
    std::array<std::uint8_t, platform::kMouseStateSize> mouseState_{};
    std::array<std::uint8_t, platform::kControllerStateSize> controllerState_{};
};

// Returns true if a hat value (hundredths of a degree) lies in direction d's window: d = 0 is
// exactly 0, d = 1..8 within 100 either side of 4500 * d; a centred hat is in none.
bool HatInDirection(std::uint32_t value, std::uint32_t direction);

}  // namespace shifter

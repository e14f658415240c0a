// Keyboard, mouse and game-controller state through DirectInput 8: the devices of the calling
// program, opened on one of its windows, and their raw state blocks.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// An open device; 0 is none.
using InputDevice = std::uintptr_t;

// The sizes of the state blocks, with DirectInput's layouts: one byte a key scan code; three
// axes and eight buttons (DIMOUSESTATE2); axes, sliders, four hats and 128 buttons (DIJOYSTATE2).
inline constexpr std::uint32_t kKeyboardStateSize = 256;
inline constexpr std::uint32_t kMouseStateSize = 20;
inline constexpr std::uint32_t kControllerStateSize = 272;
inline constexpr std::uint32_t kMouseButtonsAt = 12;       // rgbButtons[8]
inline constexpr std::uint32_t kControllerHatsAt = 32;     // rgdwPOV[4]
inline constexpr std::uint32_t kControllerButtonsAt = 48;  // rgbButtons[128]

class DirectInputPort {
public:
    virtual ~DirectInputPort() = default;

    // Creates the DirectInput object for the calling program. Returns false when it cannot be had.
    virtual bool Create() = 0;
    // Releases the DirectInput object; its devices are released first.
    virtual void Destroy() = 0;

    // Creates the system keyboard (or mouse), sets its data format and a shared background
    // cooperative level on the window, and acquires it. Returns 0 when it cannot be created.
    virtual InputDevice OpenKeyboard(WindowHandle window) = 0;
    virtual InputDevice OpenMouse(WindowHandle window) = 0;

    // Returns the number of attached game controllers.
    virtual int CountControllers() = 0;
    // Opens the index-th attached game controller, counting from 0: data format, cooperative
    // level as above, every axis given the range -1000..1000, acquired. Puts its product name in
    // *name. Returns 0 when no controller is attached at that index.
    virtual InputDevice OpenController(WindowHandle window, int index, std::string* name) = 0;

    // Unacquires and releases a device.
    virtual void Release(InputDevice device) = 0;
    // Acquires the device again. Returns true on success.
    virtual bool Acquire(InputDevice device) = 0;
    // Asks a controller for fresh data. Returns true on success.
    virtual bool Poll(InputDevice device) = 0;
    // Reads the device's state block of size bytes. Returns true on success.
    virtual bool ReadState(InputDevice device, void* buffer, std::uint32_t size) = 0;
};

}  // namespace platform

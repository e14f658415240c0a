#include "plugins/shifter/ShifterInput.h"

#include "platform/Bytes.h"

namespace shifter {

using namespace platform;

bool HatInDirection(std::uint32_t value, std::uint32_t direction) {
    if ((value & 0xFFFF) == 0xFFFF) return false;  // centred
    if (direction == 0) return value == 0;
    const std::int64_t centre = 4500 * std::int64_t(direction);
    return centre - 100 < std::int64_t(value) && std::int64_t(value) < centre + 100;
}

unsigned DeviceOfCode(std::uint32_t code) {
    if (code < kNoInput) return kKeyboardDevice;
    if (code == kNoInput || code > kLastControllerCode) return 0;
    return code < kFirstControllerCode ? kMouseDevice : kControllerDevice;
}

void InputDevices::InitDirectInput(WindowHandle window, int index) {
    ReleaseInputDevices();
    std::lock_guard lock(lock_);
    if (!port_.Create()) return;
    created_ = true;
    keyboard_ = port_.OpenKeyboard(window);
    mouse_ = port_.OpenMouse(window);
    controllerCount_ = port_.CountControllers();
    OpenController(window, index);
}

void InputDevices::SelectController(WindowHandle window, int index) {
    std::lock_guard lock(lock_);
    if (!created_) return;
    ReleaseController();
    OpenController(window, index);
}

void InputDevices::ReleaseInputDevices() {
    std::lock_guard lock(lock_);
    for (InputDevice* device : {&keyboard_, &mouse_}) {
        if (*device) port_.Release(*device);
        *device = 0;
    }
    ReleaseController();
    if (created_) port_.Destroy();
    created_ = false;
    keyboardState_.fill(0);
    mouseState_.fill(0);
}

void InputDevices::ReleaseController() {
    if (controller_) port_.Release(controller_);
    controller_ = 0;
    controllerState_.fill(0);
}

void InputDevices::OpenController(WindowHandle window, int index) {
    std::string name;
    controller_ = port_.OpenController(window, index, &name);
    if (controller_) controllerName_ = name.substr(0, kControllerNameMax);
}

void InputDevices::PollInputDevices(unsigned devices) {
    std::lock_guard lock(lock_);
    keyboardState_.fill(0);
    if (keyboard_ && (devices & kKeyboardDevice) &&
        !port_.ReadState(keyboard_, keyboardState_.data(), kKeyboardStateSize)) {
        keyboardState_.fill(0);
        port_.Acquire(keyboard_);
    }
    mouseState_.fill(0);
    if (mouse_ && (devices & kMouseDevice) && !port_.ReadState(mouse_, mouseState_.data(), kMouseStateSize)) {
        mouseState_.fill(0);
        port_.Acquire(mouse_);
    }
    if (!(devices & kControllerDevice)) controllerState_.fill(0);
    else if (controller_ && !port_.Poll(controller_)) port_.Acquire(controller_);
    else if (controller_) port_.ReadState(controller_, controllerState_.data(), kControllerStateSize);
}

bool InputDevices::ActiveLocked(std::uint32_t code) const {
    const unsigned device = DeviceOfCode(code);
    if (device == kKeyboardDevice) return keyboard_ && (keyboardState_[code] & 0x80);
    if (device == kMouseDevice) return mouse_ && (mouseState_[kMouseButtonsAt + code - kFirstMouseCode] & 0x80);
    if (device == 0 || !controller_) return false;
    if (controllerState_[kControllerButtonsAt + code - kFirstControllerCode] & 0x80) return true;
    if (code < kFirstHatCode || code > kLastHatCode) return false;
    const std::uint32_t hat = (code - kFirstHatCode) / 9, direction = (code - kFirstHatCode) % 9;
    return HatInDirection(FromLe32(controllerState_.data() + kControllerHatsAt + 4 * hat), direction);
}

bool InputDevices::IsInputCodeActive(std::uint32_t code) const {
    std::lock_guard lock(lock_);
    return ActiveLocked(code);
}

std::uint32_t InputDevices::LastActiveCode(std::uint32_t first, std::uint32_t last, std::uint32_t skip) const {
    std::lock_guard lock(lock_);
    std::uint32_t found = kNoInput;
    for (std::uint32_t code = first; code <= last; ++code)
        if (code != skip && ActiveLocked(code)) found = code;
    return found;
}

int InputDevices::ControllerCount() const {
    std::lock_guard lock(lock_);
    return controllerCount_;
}

std::string InputDevices::ControllerName() const {
    std::lock_guard lock(lock_);
    return controllerName_;
}

}  // namespace shifter

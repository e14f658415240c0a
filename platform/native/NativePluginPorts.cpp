#include "platform/native/NativePluginPorts.h"

#include <algorithm>
#include <cstring>

#include "platform/Bytes.h"

namespace platform {

// --- own memory ---

void NativeOwnMemory::Map(std::uint32_t address, std::uint32_t size, std::uint32_t protection) {
    std::lock_guard lock(mutex_);
    space_.Map(address, size, protection);
}

void NativeOwnMemory::Poke(std::uint32_t address, std::string_view bytes) {
    std::lock_guard lock(mutex_);
    space_.Poke(address, bytes);
}

void NativeOwnMemory::Poke32(std::uint32_t address, std::uint32_t value) { Poke(address, Le32(value)); }

std::string NativeOwnMemory::Peek(std::uint32_t address, std::uint32_t size) const {
    std::lock_guard lock(mutex_);
    return space_.Peek(address, size);
}

std::uint32_t NativeOwnMemory::Peek32(std::uint32_t address) const { return FromLe32(Peek(address, 4).data()); }

std::optional<std::uint32_t> NativeOwnMemory::Protection(std::uint32_t address) const {
    std::lock_guard lock(mutex_);
    return space_.Protection(address);
}

std::vector<NativeOwnMemory::Written> NativeOwnMemory::Journal() const {
    std::lock_guard lock(mutex_);
    return journal_;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> NativeOwnMemory::Flushes() const {
    std::lock_guard lock(mutex_);
    return flushes_;
}

bool NativeOwnMemory::Read(std::uint32_t address, void* buffer, std::uint32_t size) {
    std::lock_guard lock(mutex_);
    return space_.Read(address, buffer, size);
}

bool NativeOwnMemory::IsWritable(std::uint32_t address, std::uint32_t size) {
    std::lock_guard lock(mutex_);
    return space_.IsWritable(address, std::max<std::uint32_t>(size, 1));
}

bool NativeOwnMemory::Write(std::uint32_t address, const void* data, std::uint32_t size) {
    std::lock_guard lock(mutex_);
    if (!space_.Write(address, data, size)) return false;
    journal_.push_back({address, std::string(static_cast<const char*>(data), size)});
    return true;
}

bool NativeOwnMemory::Protect(std::uint32_t address, std::uint32_t size, std::uint32_t protection,
                              std::uint32_t* previous) {
    std::lock_guard lock(mutex_);
    return space_.Protect(address, size, protection, previous);
}

void NativeOwnMemory::FlushCode(std::uint32_t address, std::uint32_t size) {
    std::lock_guard lock(mutex_);
    flushes_.emplace_back(address, size);
}

// --- scripted DirectInput ---

void ScriptedDirectInput::SetKey(std::uint8_t scanCode, bool down) {
    std::lock_guard lock(mutex_);
    keyboard_[scanCode] = down ? 0x80 : 0;
}

void ScriptedDirectInput::SetMouseButton(int button, bool down) {
    std::lock_guard lock(mutex_);
    mouse_.at(kMouseButtonsAt + button) = down ? 0x80 : 0;
}

void ScriptedDirectInput::SetControllerButton(int controller, int button, bool down) {
    std::lock_guard lock(mutex_);
    controllers.at(controller).state.at(kControllerButtonsAt + button) = down ? 0x80 : 0;
}

void ScriptedDirectInput::SetHat(int controller, int hat, std::uint32_t value) {
    std::lock_guard lock(mutex_);
    const std::string bytes = Le32(value);
    std::memcpy(controllers.at(controller).state.data() + kControllerHatsAt + 4 * hat, bytes.data(), 4);
}

void ScriptedDirectInput::SetFailing(bool failing) {
    std::lock_guard lock(mutex_);
    failing_ = failing;
}

std::vector<std::string> ScriptedDirectInput::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

int ScriptedDirectInput::UsesOfReleased() const {
    std::lock_guard lock(mutex_);
    return usesOfReleased_;
}

int ScriptedDirectInput::Reads(const std::string& device) const {
    std::lock_guard lock(mutex_);
    auto it = reads_.find(device);
    return it == reads_.end() ? 0 : it->second;
}

int ScriptedDirectInput::OpenDevices() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(devices_.begin(), devices_.end(), [](auto& d) { return !d.second.released; }));
}

ScriptedDirectInput::Device* ScriptedDirectInput::Use(InputDevice device) {
    auto it = devices_.find(device);
    if (it == devices_.end()) return nullptr;
    if (it->second.released) {
        ++usesOfReleased_;
        return nullptr;
    }
    return &it->second;
}

InputDevice ScriptedDirectInput::Add(Device device) {
    InputDevice handle = next_++;
    devices_[handle] = std::move(device);
    return handle;
}

bool ScriptedDirectInput::Create() {
    std::lock_guard lock(mutex_);
    calls_.push_back("Create");
    created_ = !refuseCreate;
    return created_;
}

void ScriptedDirectInput::Destroy() {
    std::lock_guard lock(mutex_);
    calls_.push_back("Destroy");
    created_ = false;
}

InputDevice ScriptedDirectInput::OpenKeyboard(WindowHandle) {
    std::lock_guard lock(mutex_);
    calls_.push_back("OpenKeyboard");
    return created_ ? Add({"keyboard"}) : 0;
}

InputDevice ScriptedDirectInput::OpenMouse(WindowHandle) {
    std::lock_guard lock(mutex_);
    calls_.push_back("OpenMouse");
    return created_ ? Add({"mouse"}) : 0;
}

int ScriptedDirectInput::CountControllers() {
    std::lock_guard lock(mutex_);
    calls_.push_back("CountControllers");
    return created_ ? static_cast<int>(controllers.size()) : 0;
}

InputDevice ScriptedDirectInput::OpenController(WindowHandle, int index, std::string* name) {
    std::lock_guard lock(mutex_);
    calls_.push_back("OpenController " + std::to_string(index));
    if (!created_ || index < 0 || index >= static_cast<int>(controllers.size())) return 0;
    if (name) *name = controllers[index].name;
    return Add({"controller " + std::to_string(index), index});
}

void ScriptedDirectInput::Release(InputDevice device) {
    std::lock_guard lock(mutex_);
    if (Device* d = Use(device)) {
        calls_.push_back("Release " + d->name);
        d->released = true;
    }
}

bool ScriptedDirectInput::Acquire(InputDevice device) {
    std::lock_guard lock(mutex_);
    Device* d = Use(device);
    if (d) calls_.push_back("Acquire " + d->name);
    return d != nullptr;
}

bool ScriptedDirectInput::Poll(InputDevice device) {
    std::lock_guard lock(mutex_);
    return Use(device) != nullptr && !failing_;
}

bool ScriptedDirectInput::ReadState(InputDevice device, void* buffer, std::uint32_t size) {
    std::lock_guard lock(mutex_);
    Device* d = Use(device);
    if (d) ++reads_[d->name];
    if (!d || failing_) return false;
    const std::uint8_t* from = d->controller >= 0 ? controllers[d->controller].state.data()
                               : d->name == "mouse"  ? mouse_.data()
                                                     : keyboard_.data();
    const std::uint32_t have = d->controller >= 0 ? kControllerStateSize
                               : d->name == "mouse" ? kMouseStateSize
                                                    : kKeyboardStateSize;
    std::memcpy(buffer, from, std::min(size, have));
    return true;
}

}  // namespace platform

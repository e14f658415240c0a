// In-process models of the ports a library loaded into a program uses, for native runs and
// tests: the program's own memory, and DirectInput devices whose state a test scripts. Both are
// safe to use from two threads, as a library's poll thread and the program's thread do.
#pragma once
#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/DirectInput.h"
#include "platform/OwnMemory.h"
#include "platform/native/NativeHost.h"

namespace platform {

class NativeOwnMemory : public OwnMemoryPort {
public:
    struct Written {
        std::uint32_t address = 0;
        std::string bytes;
    };

    // Building and checking states, past any protection (see NativeAddressSpace).
    void Map(std::uint32_t address, std::uint32_t size, std::uint32_t protection);
    void Poke(std::uint32_t address, std::string_view bytes);
    void Poke32(std::uint32_t address, std::uint32_t value);
    std::string Peek(std::uint32_t address, std::uint32_t size) const;
    std::uint32_t Peek32(std::uint32_t address) const;
    std::optional<std::uint32_t> Protection(std::uint32_t address) const;
    // Every write that succeeded, in order, and every range flushed as code.
    std::vector<Written> Journal() const;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Flushes() const;

    bool Read(std::uint32_t address, void* buffer, std::uint32_t size) override;
    bool IsWritable(std::uint32_t address, std::uint32_t size) override;
    bool Write(std::uint32_t address, const void* data, std::uint32_t size) override;
    bool Protect(std::uint32_t address, std::uint32_t size, std::uint32_t protection, std::uint32_t* previous) override;
    void FlushCode(std::uint32_t address, std::uint32_t size) override;

private:
    mutable std::mutex mutex_;
    NativeAddressSpace space_;
    std::vector<Written> journal_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> flushes_;
};

// Devices as a test scripts them: a keyboard and a mouse, and the attached controllers. Any use
// of a device after its release is counted, as the real one would fault or misread.
class ScriptedDirectInput : public DirectInputPort {
public:
    struct Controller {
        std::string name;
        std::array<std::uint8_t, kControllerStateSize> state{};
    };

    // The script; set before the devices are opened, or through the setters below.
    bool refuseCreate = false;
    std::vector<Controller> controllers;

    void SetKey(std::uint8_t scanCode, bool down);
    void SetMouseButton(int button, bool down);
    void SetControllerButton(int controller, int button, bool down);
    void SetHat(int controller, int hat, std::uint32_t value);
    // Every read and poll fails while set.
    void SetFailing(bool failing);

    // What was done: "Create", "Destroy", "OpenKeyboard", "OpenMouse", "OpenController 1",
    // "Release keyboard", "Acquire mouse", ... in order; and the uses of released devices.
    std::vector<std::string> Calls() const;
    int UsesOfReleased() const;
    // The state reads of a device by its name ("keyboard", "mouse", "controller 0").
    int Reads(const std::string& device) const;
    // The devices open now.
    int OpenDevices() const;

    bool Create() override;
    void Destroy() override;
    InputDevice OpenKeyboard(WindowHandle window) override;
    InputDevice OpenMouse(WindowHandle window) override;
    int CountControllers() override;
    InputDevice OpenController(WindowHandle window, int index, std::string* name) override;
    void Release(InputDevice device) override;
    bool Acquire(InputDevice device) override;
    bool Poll(InputDevice device) override;
    bool ReadState(InputDevice device, void* buffer, std::uint32_t size) override;

private:
    struct Device {
        std::string name;    // "keyboard", "mouse" or "controller N"
        int controller = -1;
        bool released = false;
    };
    // The device of the handle, counting a use of a released one; null when it is none.
    Device* Use(InputDevice device);
    InputDevice Add(Device device);

    mutable std::mutex mutex_;
    bool created_ = false;
    bool failing_ = false;
    std::array<std::uint8_t, kKeyboardStateSize> keyboard_{};
    std::array<std::uint8_t, kMouseStateSize> mouse_{};
    std::map<InputDevice, Device> devices_;
    InputDevice next_ = 0x100;
    std::vector<std::string> calls_;
    std::map<std::string, int> reads_;
    int usesOfReleased_ = 0;
};

}  // namespace platform

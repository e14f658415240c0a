// Adapters of the ports that a library loaded into a program uses: the program's own memory and
// DirectInput 8. Only the win32/ folders hold code for Win32.
#pragma once
#include "platform/DirectInput.h"
#include "platform/OwnMemory.h"

namespace platform::win32 {

class Win32OwnMemory : public OwnMemoryPort {
public:
    bool Read(std::uint32_t address, void* buffer, std::uint32_t size) override;
    bool IsWritable(std::uint32_t address, std::uint32_t size) override;
    bool Write(std::uint32_t address, const void* data, std::uint32_t size) override;
    bool Protect(std::uint32_t address, std::uint32_t size, std::uint32_t protection, std::uint32_t* previous) override;
    void FlushCode(std::uint32_t address, std::uint32_t size) override;
};

// DirectInput 8 for the calling program's executable. Not for use by two threads at once.
class Win32DirectInput : public DirectInputPort {
public:
    Win32DirectInput() = default;
    ~Win32DirectInput() override;
    Win32DirectInput(const Win32DirectInput&) = delete;
    Win32DirectInput& operator=(const Win32DirectInput&) = delete;

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
    InputDevice OpenControllerHere(WindowHandle window, int index, std::string* name);

    void* directInput_ = nullptr;  // IDirectInput8A
};

}  // namespace platform::win32

#include "platform/win32/Win32PluginPorts.h"
#include "platform/win32/WinApi.h"

#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

#include <system_error>
#include <thread>

namespace platform::win32 {

namespace {

constexpr DWORD kSharedBackground = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;  // 10

IDirectInput8A* Object(void* p) { return static_cast<IDirectInput8A*>(p); }
IDirectInputDevice8A* Device(InputDevice d) { return reinterpret_cast<IDirectInputDevice8A*>(d); }
InputDevice Handle(IDirectInputDevice8A* d) { return reinterpret_cast<InputDevice>(d); }

BOOL CALLBACK CountOne(LPCDIDEVICEINSTANCEA, LPVOID count) {
    ++*static_cast<int*>(count);
    return DIENUM_CONTINUE;
}

struct Wanted {
    int index = 0, seen = 0;
    bool found = false;
    GUID instance{};
    std::string name;
};

BOOL CALLBACK FindIndexth(LPCDIDEVICEINSTANCEA device, LPVOID wanted) {
    auto* w = static_cast<Wanted*>(wanted);
    if (w->seen++ != w->index) return DIENUM_CONTINUE;
    w->found = true;
    w->instance = device->guidInstance;
    w->name = device->tszProductName;
    return DIENUM_STOP;
}

// Every axis, relative or absolute, reports -1000..1000; a refused axis ends the setting.
BOOL CALLBACK SetAxisRange(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID device) {
    if (!(object->dwType & DIDFT_AXIS)) return DIENUM_CONTINUE;
    DIPROPRANGE range{};
    range.diph.dwSize = sizeof range;
    range.diph.dwHeaderSize = sizeof range.diph;
    range.diph.dwHow = DIPH_BYID;
    range.diph.dwObj = object->dwType;
    range.lMin = -1000;
    range.lMax = 1000;
    if (FAILED(static_cast<IDirectInputDevice8A*>(device)->SetProperty(DIPROP_RANGE, &range.diph))) return DIENUM_STOP;
    return DIENUM_CONTINUE;
}

}  // namespace

Win32DirectInput::~Win32DirectInput() { Destroy(); }

bool Win32DirectInput::Create() {
    if (directInput_) return true;
    IDirectInput8A* object = nullptr;
    if (FAILED(::DirectInput8Create(::GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                    reinterpret_cast<void**>(&object), nullptr)))
        return false;
    directInput_ = object;
    return true;
}

void Win32DirectInput::Destroy() {
    if (directInput_) Object(directInput_)->Release();
    directInput_ = nullptr;
}

namespace {

// Runs the call on a thread of its own and waits for its result; on the calling thread when no
// thread can be had. Under Wine a thread that opens the keyboard gets a connection of its own to
// the X server, and every device read on that thread then also looks for window events on it
// (DirectInput's reads check for them), which at a 10 ms poll costs about as much as the read's
// own request to the server. Devices opened on a passing thread are read without that; they
// serve every thread of the process alike.
template <class F>
auto OnPassingThread(F&& call) -> decltype(call()) {
    decltype(call()) result{};
    try {
        std::thread([&] { result = call(); }).join();
        return result;
    } catch (const std::system_error&) {
        return call();
    }
}

InputDevice OpenSystemDevice(IDirectInput8A* object, REFGUID guid, LPCDIDATAFORMAT format, WindowHandle window) {
    IDirectInputDevice8A* device = nullptr;
    if (!object || FAILED(object->CreateDevice(guid, &device, nullptr))) return 0;
    device->SetDataFormat(format);
    device->SetCooperativeLevel(ToHwnd(window), kSharedBackground);
    device->Acquire();
    return Handle(device);
}
}  // namespace

InputDevice Win32DirectInput::OpenKeyboard(WindowHandle window) {
    return OnPassingThread(
        [&] { return OpenSystemDevice(Object(directInput_), GUID_SysKeyboard, &c_dfDIKeyboard, window); });
}

InputDevice Win32DirectInput::OpenMouse(WindowHandle window) {
    return OnPassingThread(
        [&] { return OpenSystemDevice(Object(directInput_), GUID_SysMouse, &c_dfDIMouse2, window); });
}

int Win32DirectInput::CountControllers() {
    int count = 0;
    if (directInput_) Object(directInput_)->EnumDevices(DI8DEVCLASS_GAMECTRL, CountOne, &count, DIEDFL_ATTACHEDONLY);
    return count;
}

InputDevice Win32DirectInput::OpenController(WindowHandle window, int index, std::string* name) {
    return OnPassingThread([&] { return OpenControllerHere(window, index, name); });
}

InputDevice Win32DirectInput::OpenControllerHere(WindowHandle window, int index, std::string* name) {
    if (!directInput_ || index < 0) return 0;
    Wanted wanted;
    wanted.index = index;
    Object(directInput_)->EnumDevices(DI8DEVCLASS_GAMECTRL, FindIndexth, &wanted, DIEDFL_ATTACHEDONLY);
    IDirectInputDevice8A* device = nullptr;
    if (!wanted.found || FAILED(Object(directInput_)->CreateDevice(wanted.instance, &device, nullptr))) return 0;
    if (name) *name = wanted.name;
    device->SetDataFormat(&c_dfDIJoystick2);
    device->SetCooperativeLevel(ToHwnd(window), kSharedBackground);
    device->EnumObjects(SetAxisRange, device, DIDFT_ALL);
    device->Acquire();
    return Handle(device);
}

void Win32DirectInput::Release(InputDevice device) {
    if (!device) return;
    Device(device)->Unacquire();
    Device(device)->Release();
}

bool Win32DirectInput::Acquire(InputDevice device) { return device && SUCCEEDED(Device(device)->Acquire()); }

bool Win32DirectInput::Poll(InputDevice device) { return device && SUCCEEDED(Device(device)->Poll()); }

bool Win32DirectInput::ReadState(InputDevice device, void* buffer, std::uint32_t size) {
    return device && SUCCEEDED(Device(device)->GetDeviceState(size, buffer));
}

}  // namespace platform::win32

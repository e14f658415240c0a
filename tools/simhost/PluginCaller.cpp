// The host's side of the plug-in interface in Microsoft's C++ ABI (see PluginCaller.h). Compiled
// freestanding: no library, no exceptions, no run-time type information.
#include "plugins/HostPlugin.h"
#include "tools/simhost/PluginCaller.h"

#if !defined(_MSC_VER)
#error "PluginCaller.cpp is compiled for Microsoft's C++ ABI (clang --target=i686-pc-windows-msvc or x86_64-pc-windows-msvc)"
#endif

extern "C" int _fltused = 0;  // the floating-point marker that code of that ABI refers to

namespace {

class RecordingApi final : public HostGameApi {
public:
    SimHostRecordProc record = nullptr;
    void* context = nullptr;

    void QVR_THISCALL Slot0() override { Tell(0, nullptr, 0, nullptr); }
    void QVR_THISCALL ShowMessage(const char* text, float a, float b, float c) override {
        const double n[] = {a, b, c};
        Tell(1, n, 3, text);
    }
    void QVR_THISCALL PageText(float x, float y, const char* text) override {
        const double n[] = {x, y};
        Tell(2, n, 2, text);
    }
    void QVR_THISCALL Slot3() override { Tell(3, nullptr, 0, nullptr); }
    void QVR_THISCALL MenuPanel(float a, float b, float c, float d) override { Four(4, a, b, c, d); }
    void QVR_THISCALL BeginMenu(int a, int b, int c, int d) override { Four(5, a, b, c, d); }
    void QVR_THISCALL MarkRow(float x, float y, float w, float h) override { Four(6, x, y, w, h); }
    void QVR_THISCALL Slot7() override { Tell(7, nullptr, 0, nullptr); }
    void QVR_THISCALL Slot8() override { Tell(8, nullptr, 0, nullptr); }
    void QVR_THISCALL Slot9() override { Tell(9, nullptr, 0, nullptr); }
    void QVR_THISCALL TitleMode(int on) override {
        const double n[] = {double(on)};
        Tell(10, n, 1, nullptr);
    }
    void QVR_THISCALL TextPreset(int preset) override {
        const double n[] = {double(preset)};
        Tell(11, n, 1, nullptr);
    }
    void QVR_THISCALL MessageStyle(float a, float b, float c, float d) override { Four(12, a, b, c, d); }

private:
    void Tell(int slot, const double* numbers, int count, const char* text) {
        if (record) record(context, slot, numbers, count, text);
    }
    void Four(int slot, double a, double b, double c, double d) {
        const double n[] = {a, b, c, d};
        Tell(slot, n, 4, nullptr);
    }
};

RecordingApi gApi;

HostPlugin* Plugin(void* p) { return static_cast<HostPlugin*>(p); }

// A truth value as a 32-bit argument whose upper bytes hold junk.
unsigned Junk(int value) { return 0xA5C3E100u | (value ? 1u : 0u); }

}  // namespace

extern "C" const char* __cdecl simhost_caller_abi() {
#if defined(_M_X64)
    return "Microsoft's x64 C++ ABI (no __thiscall)";
#elif defined(_M_IX86)
    return "Microsoft's x86 C++ ABI (__thiscall)";
#else
#error "the plug-in caller is built for x86 or x64"
#endif
}

extern "C" void* __cdecl simhost_game_api(SimHostRecordProc record, void* context) {
    gApi.record = record;
    gApi.context = context;
    return static_cast<HostGameApi*>(&gApi);
}

extern "C" void* __cdecl simhost_create_plugin(void* create, void* api) {
    return reinterpret_cast<QVR_CreatePluginProc>(create)(static_cast<HostGameApi*>(api));
}

extern "C" const char* __cdecl simhost_plugin_title(void* p) { return Plugin(p)->PluginTitle(); }
extern "C" void __cdecl simhost_draw_menu(void* p) { Plugin(p)->DrawMenu(); }
extern "C" void __cdecl simhost_draw_results(void* p) { Plugin(p)->DrawResults(); }
extern "C" void __cdecl simhost_tick_menu(void* p, int value) { Plugin(p)->TickMenu(value); }

extern "C" void __cdecl simhost_menu_keys(void* p, int unused, int up, int down, int left, int right, int select) {
    // Slot 4 called with 32-bit slots for its truth values, to pass the junk.
    using Keys = void(QVR_THISCALL*)(void*, int, unsigned, unsigned, unsigned, unsigned, unsigned);
    Keys keys = (*reinterpret_cast<Keys**>(p))[4];
    keys(p, unused, Junk(up), Junk(down), Junk(left), Junk(right), Junk(select));
}

extern "C" void __cdecl simhost_stage_start(void* p, int stage, const char* name, int falseStart) {
    using Start = void(QVR_THISCALL*)(void*, int, const char*, unsigned);
    Start start = (*reinterpret_cast<Start**>(p))[6];
    start(p, stage, name, Junk(falseStart));
}

extern "C" void __cdecl simhost_stage_end(void* p, float checkpoint1, float checkpoint2, float finish,
                                          const char* name) {
    Plugin(p)->OnStageEnd(checkpoint1, checkpoint2, finish, name);
}

extern "C" void __cdecl simhost_checkpoint(void* p, float time, int checkpoint, const char* name) {
    Plugin(p)->OnCheckpoint(time, checkpoint, name);
}

extern "C" void __cdecl simhost_destroy_plugin(void* p) { delete Plugin(p); }

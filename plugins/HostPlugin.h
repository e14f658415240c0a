// The host's plug-in interface, as the host declares it: the host is built with Microsoft's
// compiler and calls these objects by vtable slot, so both classes keep that compiler's layout
// whichever compiler reads this header. Every virtual is __thiscall, none is overloaded, none
// returns a struct. Slot 0 of HostPlugin is Microsoft's scalar deleting destructor: the host
// writes it as a virtual destructor; other compilers get a plain virtual of its shape, since
// g++ gives a C++ virtual destructor two slots. The header stands alone (no library headers),
// so that a freestanding caller compiled for that ABI can read it too.
//
// On x64 (the tests' x86_64 build; nothing of it ships) Microsoft's ABI has one calling
// convention for every function, with this as the first argument, so there QVR_THISCALL and
// QVR_CDECL are empty.
#pragma once

#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
// x86: member functions __thiscall (this in ECX), the export __cdecl.
#define QVR_THISCALL __thiscall
#define QVR_CDECL __cdecl
#else
#define QVR_THISCALL
#define QVR_CDECL
#endif

// The host's drawing and message object, handed to the plug-in at creation. Which drawing each
// slot performs is the host's own; the names say when the plug-in calls it.
class HostGameApi {
public:
    virtual void QVR_THISCALL Slot0() = 0;
    // 1: an on-screen message.
    virtual void QVR_THISCALL ShowMessage(const char* text, float a, float b, float c) = 0;
    // 2: a text of a page at x, y.
    virtual void QVR_THISCALL PageText(float x, float y, const char* text) = 0;
    virtual void QVR_THISCALL Slot3() = 0;
    // 4: once per menu draw.
    virtual void QVR_THISCALL MenuPanel(float a, float b, float c, float d) = 0;
    // 5: first call of each menu draw.
    virtual void QVR_THISCALL BeginMenu(int a, int b, int c, int d) = 0;
    // 6: the box that marks the selected menu row.
    virtual void QVR_THISCALL MarkRow(float x, float y, float width, float height) = 0;
    virtual void QVR_THISCALL Slot7() = 0;
    virtual void QVR_THISCALL Slot8() = 0;
    virtual void QVR_THISCALL Slot9() = 0;
    // 10: around page titles.
    virtual void QVR_THISCALL TitleMode(int on) = 0;
    // 11: before a group of texts, a preset number.
    virtual void QVR_THISCALL TextPreset(int preset) = 0;
    // 12: before each on-screen message.
    virtual void QVR_THISCALL MessageStyle(float a, float b, float c, float d) = 0;
};

// A plug-in object, made by the library's QVR_CreatePlugin and destroyed by the host.
class HostPlugin {
public:
#if defined(_MSC_VER)
    virtual ~HostPlugin() {}
#else
    // 0: destroys the object, and frees it when bit 0 of flags is set; returns the object.
    virtual void* QVR_THISCALL ScalarDeletingDestructor(unsigned flags) = 0;
#endif
    // 1: the plug-in's name.
    virtual const char* QVR_THISCALL PluginTitle() = 0;
    // 2, 3: draw the plug-in's menu page (each frame while it is open) and its results page.
    virtual void QVR_THISCALL DrawMenu() = 0;
    virtual void QVR_THISCALL DrawResults() = 0;
    // 4: menu input; the first value means nothing to the plug-in.
    virtual void QVR_THISCALL HandleMenuKeys(int unused, bool up, bool down, bool left, bool right, bool select) = 0;
    // 5: every frame.
    virtual void QVR_THISCALL TickMenu(int unused) = 0;
    // 6..8: the stage started, ended with its result (times in seconds), a checkpoint passed.
    virtual void QVR_THISCALL OnStageStart(int stage, const char* name, bool falseStart) = 0;
    virtual void QVR_THISCALL OnStageEnd(float checkpoint1, float checkpoint2, float finish, const char* name) = 0;
    virtual void QVR_THISCALL OnCheckpoint(float time, int checkpoint, const char* name) = 0;
};

static_assert(sizeof(HostGameApi) == sizeof(void*) && sizeof(HostPlugin) == sizeof(void*),
              "an interface object is its vtable pointer alone");

// The library's creator, its one export (undecorated): the new plug-in object, or null when
// none could be made.
extern "C" HostPlugin* QVR_CDECL QVR_CreatePlugin(HostGameApi* host);
typedef HostPlugin*(QVR_CDECL* QVR_CreatePluginProc)(HostGameApi* host);

// The simulated host: a stand-in for the host in tests and demos. It holds the host's memory
// map at the fixed addresses and behaves as the client expects the host to: a scripted menu
// that Enter moves through, and a menu text table that appears a while after the start. This
// core knows nothing of windows; SimHostMain.cpp runs it as a Windows program. Behaviour over
// time (a stage run) belongs in OnTick, the effect of patched code in the handlers that would
// run it, reading the code bytes from the image.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace simhost {

// Posted to the simulated host's window: it puts itself in front.
inline constexpr std::uint32_t kFrontMessage = platform::kWmApp + 1;

// The range of the host's code: laid out as code bytes and protected as code.
inline constexpr std::uint32_t kCodeBegin = 0x486000;
inline constexpr std::uint32_t kCodeEnd = 0x627000;
// Every address of the memory map lies below this.
inline constexpr std::uint32_t kMapEnd = 0x1661000;

// Where the simulated host puts its objects (all inside its image, clear of the fixed cells).
namespace layout {
inline constexpr std::uint32_t kGame = 0x1000000;
inline constexpr std::uint32_t kMenuA = 0x1001000, kMenuAEntries = 0x1002000;
inline constexpr std::uint32_t kMenuB = 0x1003000, kMenuBEntries = 0x1003400;
inline constexpr std::uint32_t kSubItemTables = 0x1004000, kSubItems = 0x1005000;
inline constexpr std::uint32_t kTexts = 0x1008000, kHostTexts = 0x100B000;
inline constexpr std::uint32_t kTuning = 0x100C000, kTuningRecord = 0x100C100;
inline constexpr std::uint32_t kCar = 0x100D000;
inline constexpr std::uint32_t kHostSkyName = 0x100F000;
inline constexpr int kMenuAEntryCount = 90, kMenuBEntryCount = 32, kSubItemCount = 16;
inline constexpr std::uint32_t kEntrySize = 0x20, kSubItemSize = 0x10;
inline constexpr std::int32_t kMenuAStamp = 0x2A, kMenuBStamp = 0x2B;
}  // namespace layout

struct Options {
    std::uint8_t marker = 0xE8;               // the build marker byte
    std::vector<int> menus{82, 2, 11, 0, 10};  // menu A's entries in the order Enter moves through
    std::uint32_t textsAfterMs = 2000;        // when the menu text table appears
    std::uint32_t lifetimeMs = 0;             // ends by itself after this; 0: never
    std::uint32_t hangOnCloseMs = 0;          // stops answering this long when asked to close
    std::string pluginRecord{};               // file that records the plug-ins' host calls (PluginHost.h)
    std::string pluginCalls{};                // calls of the plug-in objects made at the first tick
};

// Reads "--marker E8 --menus 82,2,11 --texts-after 2000 --lifetime 60000 --hang-on-close 20000
// --plugin-record FILE --plugin-calls CALLS" (any of them, numbers in decimal except the marker). Returns nothing, with the reason in
// *error, on anything else.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error);

// The host's memory as the simulated host sees its own image.
class HostMemory {
public:
    virtual ~HostMemory() = default;
    // Returns true if the size bytes at the address all lie in the image.
    virtual bool Holds(std::uint32_t address, std::uint32_t size) = 0;
    // Copies bytes into the image. Returns false, copying nothing, when they do not all lie in it.
    virtual bool Put(std::uint32_t address, const void* data, std::uint32_t size) = 0;
    // Copies bytes out of the image. Returns false when they do not all lie in it.
    virtual bool Get(std::uint32_t address, void* buffer, std::uint32_t size) = 0;
};

class SimHost {
public:
    SimHost(HostMemory& memory, Options options) : memory_(memory), options_(std::move(options)) {}

    // Lays out the memory map. Returns false when the image does not hold it.
    bool Layout();
    // Enter went down while the window was in front: menu A moves on from the selected entry to
    // the next of the script (nothing happens at the last one or off the script).
    void OnEnter();
    // Time passes; elapsedMs counts from the start.
    void OnTick(std::uint32_t elapsedMs);
    // The index of menu A's selected entry in its table, or -1.
    int MenuIndex();

    const Options& options() const { return options_; }

private:
    bool Put32(std::uint32_t address, std::uint32_t value);
    bool PutBytes(std::uint32_t address, const std::string& bytes);
    bool PutHex(std::uint32_t address, const std::string& hex);
    std::uint32_t Get32(std::uint32_t address);

    HostMemory& memory_;
    Options options_;
    bool textsShown_ = false;
};

}  // namespace simhost

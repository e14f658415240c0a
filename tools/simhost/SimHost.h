// The simulated host: a stand-in for the host in tests and demos. It holds the host's memory
// map at the fixed addresses and behaves as the client expects the host to: menus that Enter,
// the client's selections and the word at +0x70 of menu A move through, a text table that
// appears a while after the start, a stage run from the start entry on (start line, clock,
// splits, finish), the window closing at a chosen moment of the stage, and the two routines the
// client patches run at chosen moments. It tells its plug-ins of the stage (StageEvents) and
// lets them shift gears while it runs. This core knows nothing of windows; SimHostMain.cpp runs
// it as a Windows program. Time comes in through OnTick; patched code takes effect by reading
// its bytes from the image.
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
// The size of simhost.exe's image bulk, a zero-filled array after its own code and data that
// must reach from at or below kCodeBegin to past kMapEnd (checked when it is linked, and at start).
inline constexpr std::uint32_t kImageBulkBytes = 0x1400000;

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

// Menu A's entries that the host walks through, by their index in its entry table. The client
// selects kClientStage in place of kStageMenu and kStart in place of kBeforeStart; Enter at
// kStart starts the stage.
namespace menus {
inline constexpr int kMain = 82, kCar = 2, kStageMenu = 11, kClientStage = 12, kBeforeStart = 0, kStart = 10;
inline constexpr int kTheStage = -1;
inline constexpr int kClientMenuB = 17;  // the entry of menu B that the client builds its menu in
}  // namespace menus

// The game object's mode word and stage state as the host sets them. The driving flag
// (qvrplugin::kDrivingFlag) is 1 from the stage's start line to its finish, else 0.
inline constexpr std::uint32_t kModeMenus = 1, kModeStage = 2;
inline constexpr float kStartLineState = 7.0f, kRunningState = 8.0f;

struct Options {
    std::uint8_t marker = 0xE8;               // the build marker byte
    int firstMenu = menus::kMain;             // menu A's entry selected at the start
    std::uint32_t textsAfterMs = 2000;        // when the menu text table appears
    std::uint32_t lifetimeMs = 0;             // ends by itself after this; 0: never
    std::uint32_t hangOnCloseMs = 0;          // stops answering this long when asked to close
    std::uint32_t showAfterMs = 0;            // its window is made this long after the start
    std::uint32_t lingerMs = 0;               // the process stays this long after its window has gone
    // The stage, in seconds on its clock: up to two split times, then the finish.
    std::vector<float> splits{65.2f, 130.37f};
    float finish = 181.05f;
    float speed = 1;                          // stage seconds per real second
    std::uint32_t startLineMs = 3000;         // at the start line (state 7.0) before the clock runs
    // Moments in stage seconds, counted from the clock's start and on past the finish.
    std::optional<float> closeAt{};           // the window closes (before the finish: a retirement)
    std::vector<float> routineA{}, routineB{};  // the routines at kRoutineA and kRoutineB run
    std::string pluginRecord{};               // file that records the plug-ins' host calls (PluginHost.h)
    std::string pluginCalls{};                // calls of the plug-in objects made at the first tick
    std::string statusFile{};                 // file that receives what the window shows (SimHostMain.cpp)
};

// Reads the options, any of them in any order, for example
//   --marker E8 --menu 82 --texts-after 2000 --lifetime 60000 --hang-on-close 20000
//   --show-after 3000 --linger 5000
//   --stage 65.2,130.37,181.05 --speed 10 --close-at 100 --routine-a 30,60 --routine-b 190
//   --plugin-record FILE --plugin-calls CALLS --status-file FILE
// Whole numbers in decimal except the marker (hexadecimal); stage numbers with a decimal point
// allowed. --stage gives up to two splits and the finish, rising. Returns nothing, with the
// reason in *error, on anything else.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error);
// Splits text at blanks, tabs and line breaks into the words of a command line.
std::vector<std::string> SplitWords(const std::string& text);

// The host's memory as the simulated host sees its own image.
class HostMemory {
public:
    virtual ~HostMemory() = default;
    // Returns true if the size bytes at the address all lie in the image.
    virtual bool Holds(std::uint32_t address, std::uint32_t size) = 0;
    // Copies bytes into the image. Returns false, copying nothing, when they do not all lie in it
    // or are not all writable now.
    virtual bool Put(std::uint32_t address, const void* data, std::uint32_t size) = 0;
    // Copies bytes out of the image. Returns false when they do not all lie in it.
    virtual bool Get(std::uint32_t address, void* buffer, std::uint32_t size) = 0;
};

// What the host tells its plug-ins of a stage, on its own thread. The stage is named by the
// track the client set (kTrackIdCell): number and name.
class StageEvents {
public:
    virtual ~StageEvents() = default;
    // The stage clock started.
    virtual void StageStarted(std::int32_t stage, const std::string& name, bool falseStart) = 0;
    // A split was taken: its time in stage seconds and its number, from 1.
    virtual void CheckpointPassed(float time, std::int32_t checkpoint, const std::string& name) = 0;
    // The result: the split times (0 for one not taken) and the finish time, 0 when the driver
    // retired (the window closing before the finish).
    virtual void StageEnded(float checkpoint1, float checkpoint2, float finish, const std::string& name) = 0;
};

// What the simulated host asks of its window.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    // Puts the window in front unless it is there.
    virtual void KeepInFront() = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
};

class SimHost {
public:
    SimHost(HostMemory& memory, Options options);

    // The window the host keeps in front during a stage and closes at closeAt; none: nothing.
    void Attach(HostWindow& window) { window_ = &window; }
    // Who is told of the stage's start, splits and result; none: nobody.
    void Attach(StageEvents& events) { events_ = &events; }
    // Lays out the memory map. Returns false when the image does not hold it.
    bool Layout();
    // Enter went down while the window was in front: in the menus, the host moves on from the
    // selected entry where Enter does that, or starts the stage at kStart.
    void OnEnter();
    // Time passes; elapsedMs counts from the start. The text table appears, the menus follow
    // the word at +0x70, the stage runs, and what is due at this moment of the stage happens.
    void OnTick(std::uint32_t elapsedMs);
    // The index of menu A's selected entry in its table, or -1.
    int MenuIndex();
    // What the host shows in its window: where it is, the text its game object points at, and
    // what the client gave it (stage parameters, sky, tyre type, car, menu texts, flag cells).
    std::string StatusText();

    const Options& options() const { return options_; }

private:
    enum class Phase { Menus, StartLine, Running };

    bool Put32(std::uint32_t address, std::uint32_t value);
    bool PutFloat(std::uint32_t address, float value);
    bool PutBytes(std::uint32_t address, const std::string& bytes);
    bool PutHex(std::uint32_t address, const std::string& hex);
    std::uint32_t Get32(std::uint32_t address);
    float GetFloat(std::uint32_t address);
    std::string GetBytes(std::uint32_t address, std::uint32_t size);
    // The NUL-terminated text at the address, narrow or wide, of at most maxChars characters.
    std::string GetText(std::uint32_t address, std::uint32_t maxChars);
    std::string GetWideText(std::uint32_t address, std::uint32_t maxChars);

    // Selects the entry of menu A, or starts the stage for kTheStage.
    void MoveOn(int to);
    void StartStage();
    void RunStage();
    // The split times taken so far, 0 for the others.
    float SplitTaken(std::size_t i) const;
    // Runs the routine at the address: a patched "MOV DWORD PTR [a], v; RET 8" stores v at a;
    // the host's own code does nothing here.
    void RunRoutine(std::uint32_t address);

    HostMemory& memory_;
    Options options_;
    HostWindow* window_ = nullptr;
    StageEvents* events_ = nullptr;
    std::int32_t stage_ = 0;    // the stage's number and name, fixed at its start
    std::string stageName_;
    bool textsShown_ = false;
    Phase phase_ = Phase::Menus;
    std::uint32_t now_ = 0;         // elapsedMs of the last tick
    std::uint32_t phaseStart_ = 0;  // when the start line, then the clock, began
    int checkpoints_ = 0;
    bool finished_ = false, closed_ = false;
    std::size_t routinesDoneA_ = 0, routinesDoneB_ = 0;  // of the moments, which are sorted
};

}  // namespace simhost

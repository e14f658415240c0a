// The host's plug-ins in the simulated host. At start every DLL of the Plugins folder beside the
// executable is loaded, as the host does; each that exports QVR_CreatePlugin gets a plug-in
// object, which the simulated host calls through the host's interface in Microsoft's C++ ABI
// (PluginCaller.h). What the plug-ins call of the host is recorded, one line a call:
//   "<slot>: <numbers> <text>"   ("2: 73 49 QVR H-Shift"; slot 1 puts its text first)
// with lines of the simulated host's own ("caller Microsoft's x86 C++ ABI (__thiscall)",
// "loaded avviora.dll", "menu car index 5", ...). What its
// stage run tells the plug-ins is recorded as "stage start 41 0 Track 41", "stage checkpoint
// 65.2 1 Track 41", "stage end 65.2 130.37 181.05 Track 41"; calls made from the command line as
// "call <call>".
// Built for Windows only.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Library.h"
#include "tools/simhost/SimHost.h"

namespace simhost {

class PluginHost : public StageEvents {
public:
    // Records into the file at recordPath (appended to), or nowhere when it is empty.
    PluginHost(HostMemory& memory, platform::FileSystemPort& files, const std::string& recordPath);
    ~PluginHost() override;
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads every *.dll of the folder in name order and makes the plug-in objects; then records
    // the menu car index and the two code bytes as the host holds them.
    void LoadAll(const std::string& folder, std::uint8_t marker);
    // Runs calls of the plug-in objects, ';' between them:
    //   menu | results | title | tick N | keys UP DOWN LEFT RIGHT SELECT (0 or 1)
    //   start STAGE FALSESTART NAME | checkpoint TIME NUMBER NAME | end CP1 CP2 FINISH NAME
    // Returns false, with the call, on one it does not know.
    bool Run(const std::string& calls, std::string* bad);
    // Destroys the plug-in objects through the host's destructor call and unloads every library;
    // records for each whether it was unmapped within two seconds.
    void UnloadAll();

    // The stage run's events, passed on to every plug-in object.
    void StageStarted(std::int32_t stage, const std::string& name, bool falseStart) override;
    void CheckpointPassed(float time, std::int32_t checkpoint, const std::string& name) override;
    void StageEnded(float checkpoint1, float checkpoint2, float finish, const std::string& name) override;

    void Record(const std::string& line);

private:
    struct Loaded {
        std::string name;
        platform::LibraryHandle library = 0;
        void* plugin = nullptr;
    };
    bool RunOne(const std::string& call);
    // Calls each plug-in object.
    template <class F>
    void EachPlugin(F&& call);

    HostMemory& memory_;
    platform::FileSystemPort& files_;
    std::unique_ptr<platform::AppendStream> record_;
    std::vector<Loaded> loaded_;
    void* api_ = nullptr;
};

}  // namespace simhost

// The shifter's plug-in object: the menu page with its settings, the results page, menu input,
// and the stage log qvrplugin.log in the host's working folder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "plugins/HostPlugin.h"
#include "plugins/shifter/Shifter.h"

namespace shifter {

inline constexpr const char* kStageLog = "qvrplugin.log";
inline constexpr int kMenuRows = 11;

// Writes a stage time as "[-]MM:SS:HH" (minutes not wrapped at 60) into out, cut to size.
void FormatStageTime(char* out, std::size_t size, float seconds);

class ShifterPlugin final : public HostPlugin {
public:
    // Empties the stage log.
    ShifterPlugin(HostGameApi* host, Shifter& shifter);
    ~ShifterPlugin();

    void* QVR_THISCALL ScalarDeletingDestructor(unsigned flags) override;
    const char* QVR_THISCALL PluginTitle() override;
    void QVR_THISCALL DrawMenu() override;
    void QVR_THISCALL DrawResults() override;
    void QVR_THISCALL HandleMenuKeys(int unused, bool up, bool down, bool left, bool right, bool select) override;
    void QVR_THISCALL TickMenu(int unused) override;
    void QVR_THISCALL OnStageStart(int stage, const char* name, bool falseStart) override;
    void QVR_THISCALL OnStageEnd(float checkpoint1, float checkpoint2, float finish, const char* name) override;
    void QVR_THISCALL OnCheckpoint(float time, int checkpoint, const char* name) override;

    int SelectedRow() const { return selectedRow_; }

private:
    void DrawMenuPage();
    void DrawResultsPage();
    void MenuKeys(bool up, bool down, bool left, bool right, bool select);
    void ValueText(int row);
    // Opens the stage log for appending; nothing when it cannot be opened.
    std::unique_ptr<platform::AppendStream> OpenLog();
    // Appends text as a text-mode write would: each "\n" becomes CR LF.
    static void WriteLog(platform::AppendStream& log, const std::string& text);

    HostGameApi* host_;
    Shifter& shifter_;
    std::int32_t selectedRow_ = 0;
    std::int32_t rowCount_ = 0;
    std::uint32_t captureTick_ = 0;
    std::int32_t captureCountdown_ = 0;
    std::uint32_t saveTick_ = 0;
    std::int32_t saveCountdown_ = 0;
    char valueText_[256] = {};
    float checkpoint1_ = 0, checkpoint2_ = 0, finish_ = 0;
    char stageName_[32] = {};
};

// QVR_CreatePlugin's work: a new plug-in object on the host, or null when there is no memory.
HostPlugin* CreateShifterPlugin(HostGameApi* host, Shifter& shifter) noexcept;

}  // namespace shifter

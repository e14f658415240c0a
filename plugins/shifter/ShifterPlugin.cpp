#include "plugins/shifter/ShifterPlugin.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <new>

namespace shifter {

namespace {

constexpr const char* kRowLabels[kMenuRows] = {"Enabled",  "Auto Neutral", "Controller", "1st Gear",
                                               "2nd Gear", "3rd Gear",     "4th Gear",   "5th Gear",
                                               "6th Gear", "Reverse",      "Save Changes"};
constexpr int kFirstBindingRow = 3, kControllerRow = 2, kSaveRow = 10;
constexpr std::uint32_t kEnterScanCode = 28;
constexpr std::uint32_t kLastCapturedCode = 330;
constexpr std::uint32_t kCountdownStepMs = 1000;
constexpr std::int32_t kCaptureSeconds = 6, kSaveNoticeSeconds = 3;

// printf into a string of any length.
std::string Printf(const char* format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    return text;
}

const char* OrEmpty(const char* text) { return text ? text : ""; }

// Runs a call of the host's; nothing thrown may reach the host.
template <class F>
void Guarded(F&& call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

void FormatStageTime(char* out, std::size_t size, float seconds) {
    if (!out || size == 0) return;
    // Whole hundredths fit an int; a longer time (or not a number) shows as this one.
    constexpr double kLargest = 21474836.0;
    double a = std::fabs(static_cast<double>(seconds));
    if (!(a <= kLargest)) a = kLargest;
    const int hundredths = static_cast<int>(a * 100.0);
    std::snprintf(out, size, "%s%02d:%02d:%02d", seconds < 0 ? "-" : "", static_cast<int>(a / 60.0),
                  static_cast<int>(a) % 60, hundredths % 100);
}

ShifterPlugin::ShifterPlugin(HostGameApi* host, Shifter& shifter) : host_(host), shifter_(shifter) {
    (void)shifter_.ports.files.WriteFile(kStageLog, "");
}

// The host has done with the plug-in: the poll thread is told to end.
ShifterPlugin::~ShifterPlugin() { shifter_.stop.Raise(); }

void* QVR_THISCALL ShifterPlugin::ScalarDeletingDestructor(unsigned flags) {
    try {
        this->~ShifterPlugin();
        if (flags & 1) ::operator delete(this);
    } catch (...) {
    }
    return this;
}

const char* QVR_THISCALL ShifterPlugin::PluginTitle() { return "QVR H-Shifter"; }

void QVR_THISCALL ShifterPlugin::TickMenu(int) {}

void QVR_THISCALL ShifterPlugin::DrawMenu() {
    Guarded([&] { DrawMenuPage(); });
}

void QVR_THISCALL ShifterPlugin::DrawResults() {
    Guarded([&] { DrawResultsPage(); });
}

void QVR_THISCALL ShifterPlugin::HandleMenuKeys(int, bool up, bool down, bool left, bool right, bool select) {
    Guarded([&] { MenuKeys(up, down, left, right, select); });
}

void ShifterPlugin::ValueText(int row) {
    Shifter& s = shifter_;
    char* out = valueText_;
    const std::size_t size = sizeof valueText_;
    out[0] = '\0';
    if (row == 0 || row == 1) {
        std::snprintf(out, size, "%s", (row == 0 ? s.enabled : s.autoNeutral) ? "True" : "False");
    } else if (row == kControllerRow) {
        if (s.input.ControllerCount() == 0)
            std::snprintf(out, size, "No Controllers Found");
        else
            std::snprintf(out, size, "Index: %i  Name: %s", static_cast<int>(s.controllerIndex),
                          s.input.ControllerName().c_str());
    } else if (row < kSaveRow) {
        const int binding = row - kFirstBindingRow;
        const std::uint32_t code = s.bindings[binding];
        if (s.capturing && binding == s.captureIndex)
            std::snprintf(out, size, "Press A Key... %d", static_cast<int>(captureCountdown_));
        else if (code < kNoInput)
            std::snprintf(out, size, "Keyboard Button %i", static_cast<int>(code));
        else if (code > kNoInput && code < kFirstControllerCode)
            std::snprintf(out, size, "Mouse Button %i", static_cast<int>(code - kNoInput));
        else if (code >= kFirstControllerCode)
            std::snprintf(out, size, "Joystick Button %i", static_cast<int>(code - (kFirstControllerCode - 1)));
    } else if (saveCountdown_ > 0) {
        std::snprintf(out, size, "File Saved...");
    }
}

void ShifterPlugin::DrawMenuPage() {
    Shifter& s = shifter_;
    if (s.capturing) {
        const std::uint32_t code = s.input.LastActiveCode(0, kLastCapturedCode, kEnterScanCode);
        if (code != kNoInput) {
            s.bindings[s.captureIndex] = code;
            s.capturing = false;
        }
    }
    rowCount_ = kMenuRows;

    host_->BeginMenu(0, 0, 0, 0);
    host_->MarkRow(0.0f, static_cast<float>(selectedRow_ * 21 + 68), 250.0f, 21.0f);
    host_->TextPreset(1);
    host_->MenuPanel(250.0f, 49.0f, 3.0f, 250.0f);
    host_->TextPreset(2);
    host_->TextPreset(4);
    host_->TitleMode(1);
    host_->PageText(73.0f, 49.0f, "QVR H-Shift");
    host_->TextPreset(3);

    const std::uint32_t now = s.ports.clock.TickCount();
    for (int row = 0; row < kMenuRows; ++row) {
        const float y = static_cast<float>(row * 21 + 70);
        host_->PageText(73.0f, y, kRowLabels[row]);
        ValueText(row);
        host_->PageText(260.0f, y, valueText_);

        if (s.capturing && row == s.captureIndex + kFirstBindingRow && now - captureTick_ > kCountdownStepMs) {
            captureTick_ = now;
            if (--captureCountdown_ <= 0) s.capturing = false;
        }
        if (row == kSaveRow && saveCountdown_ > 0 && now - saveTick_ > kCountdownStepMs) {
            saveTick_ = now;
            --saveCountdown_;
        }
    }
}

void ShifterPlugin::MenuKeys(bool up, bool down, bool left, bool right, bool select) {
    Shifter& s = shifter_;
    if (s.capturing) return;
    if (select) {
        if (selectedRow_ >= kFirstBindingRow && selectedRow_ < kSaveRow) {
            s.captureIndex = selectedRow_ - kFirstBindingRow;
            captureCountdown_ = kCaptureSeconds;
            s.capturing = true;
        } else if (selectedRow_ == kSaveRow) {
            SaveShifterSettings(s);
            saveCountdown_ = kSaveNoticeSeconds;
        }
    }
    if (up && --selectedRow_ < 0) selectedRow_ = rowCount_ - 1;
    if (down && ++selectedRow_ >= rowCount_) selectedRow_ = 0;
    if (selectedRow_ == kControllerRow) {
        if (left) {
            s.controllerIndex = std::max(s.controllerIndex - 1, 0);
            s.input.SelectController(s.hostWindow, s.controllerIndex);
        }
        if (right) {
            s.controllerIndex = std::min(s.controllerIndex + 1, s.input.ControllerCount() - 1);
            s.input.SelectController(s.hostWindow, s.controllerIndex);
        }
    }
    std::atomic<bool>* toggled = selectedRow_ == 0 ? &s.enabled : selectedRow_ == 1 ? &s.autoNeutral : nullptr;
    if (toggled && left) *toggled = !*toggled;
    if (toggled && right) *toggled = !*toggled;
}

void ShifterPlugin::DrawResultsPage() {
    host_->TextPreset(4);
    host_->TitleMode(1);
    host_->PageText(130.0f, 49.0f, "Results");
    host_->TitleMode(0);
    host_->TextPreset(3);
    if (finish_ <= 0) {
        host_->PageText(200.0f, 100.0f, "DNF");
        return;
    }
    char t1[32], t2[32], t3[32];
    FormatStageTime(t1, sizeof t1, checkpoint1_);
    FormatStageTime(t2, sizeof t2, checkpoint2_);
    FormatStageTime(t3, sizeof t3, finish_);
    host_->PageText(130.0f, 100.0f, Printf("Stage Result for \"%s\" ", stageName_).c_str());
    host_->PageText(130.0f, 125.0f, Printf("CheckPoint1 = %s", t1).c_str());
    host_->PageText(130.0f, 150.0f, Printf("CheckPoint2 = %s", t2).c_str());
    host_->PageText(130.0f, 175.0f, Printf("Finish = %s", t3).c_str());
}

std::unique_ptr<platform::AppendStream> ShifterPlugin::OpenLog() { return shifter_.ports.files.OpenAppend(kStageLog); }

void ShifterPlugin::WriteLog(platform::AppendStream& log, const std::string& text) {
    std::string crlf;
    crlf.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    (void)log.Write(crlf);
}

void QVR_THISCALL ShifterPlugin::OnStageStart(int stage, const char* name, bool falseStart) {
    Guarded([&] {
        if (auto log = OpenLog())
            WriteLog(*log, Printf("Stage [%d] started. [%s] %s\n", stage, OrEmpty(name), falseStart ? "False Start" : ""));
        host_->MessageStyle(1.0f, 1.0f, 1.0f, 1.0f);
        host_->ShowMessage("Stage Started", 10.0f, 50.0f, 150.0f);
    });
}

void QVR_THISCALL ShifterPlugin::OnStageEnd(float checkpoint1, float checkpoint2, float finish, const char* name) {
    Guarded([&] {
        auto log = OpenLog();
        if (!log) return;
        checkpoint1_ = checkpoint1;
        checkpoint2_ = checkpoint2;
        finish_ = finish;
        std::snprintf(stageName_, sizeof stageName_, "%s", OrEmpty(name));
        if (finish > 0) {
            char t1[32], t2[32], t3[32];
            FormatStageTime(t1, sizeof t1, checkpoint1);
            FormatStageTime(t2, sizeof t2, checkpoint2);
            FormatStageTime(t3, sizeof t3, finish);
            WriteLog(*log, Printf("Stage Result for \"%s\": \n[CP1] = %s\n[CP2] = %s\n[Finish] = %s\n\n", OrEmpty(name),
                                  t1, t2, t3));
        } else {
            WriteLog(*log, Printf("Stage Result for \"%s\": DNF.\n", OrEmpty(name)));
        }
    });
}

void QVR_THISCALL ShifterPlugin::OnCheckpoint(float time, int checkpoint, const char* name) {
    Guarded([&] {
        char t[32];
        FormatStageTime(t, sizeof t, time);
        if (auto log = OpenLog()) WriteLog(*log, Printf("[CheckPoint %d] : %s : %s\n", checkpoint, t, OrEmpty(name)));
        host_->MessageStyle(1.0f, 1.0f, 1.0f, 1.0f);
        host_->ShowMessage("CHECKPOINT!!!!!!!!!!", 5.0f, 50.0f, 250.0f);
    });
}

HostPlugin* CreateShifterPlugin(HostGameApi* host, Shifter& shifter) noexcept {
    try {
        return new (std::nothrow) ShifterPlugin(host, shifter);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace shifter

// A shifter library on in-process adapters: a host process with its window, its memory with a
// car object and the driving flag, scripted DirectInput devices, and a host object that records
// every call the plug-in makes of it.
#pragma once
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/native/NativePluginPorts.h"
#include "plugins/HostAddresses.h"
#include "plugins/shifter/ShifterPlugin.h"
#include "tests/support/VmTest.h"

namespace vmtest {

// Each call as "slot: values", floats as %g.
class RecordingHost : public HostGameApi {
public:
    std::vector<std::string> calls;

    void Slot0() override { calls.push_back("0"); }
    void ShowMessage(const char* text, float a, float b, float c) override {
        calls.push_back(Line("1: %s %g %g %g", text, a, b, c));
    }
    void PageText(float x, float y, const char* text) override { calls.push_back(Line("2: %g %g %s", x, y, text)); }
    void Slot3() override { calls.push_back("3"); }
    void MenuPanel(float a, float b, float c, float d) override { calls.push_back(Line("4: %g %g %g %g", a, b, c, d)); }
    void BeginMenu(int a, int b, int c, int d) override { calls.push_back(Line("5: %d %d %d %d", a, b, c, d)); }
    void MarkRow(float x, float y, float w, float h) override { calls.push_back(Line("6: %g %g %g %g", x, y, w, h)); }
    void Slot7() override { calls.push_back("7"); }
    void Slot8() override { calls.push_back("8"); }
    void Slot9() override { calls.push_back("9"); }
    void TitleMode(int on) override { calls.push_back(Line("10: %d", on)); }
    void TextPreset(int preset) override { calls.push_back(Line("11: %d", preset)); }
    void MessageStyle(float a, float b, float c, float d) override {
        calls.push_back(Line("12: %g %g %g %g", a, b, c, d));
    }

    // The texts drawn at x, in order.
    std::vector<std::string> TextsAt(float x) const {
        std::vector<std::string> texts;
        const std::string prefix = Line("2: %g ", x);
        for (const std::string& call : calls)
            if (call.rfind(prefix, 0) == 0) texts.push_back(call.substr(call.find(' ', prefix.size()) + 1));
        return texts;
    }

private:
    template <class... A>
    static std::string Line(const char* format, A... values) {
        char text[512];
        std::snprintf(text, sizeof text, format, values...);
        return text;
    }
};

class ShifterTest : public VmTest {
protected:
    static constexpr std::uint32_t kCar = 0x100D000;
    static constexpr std::uint32_t kHostPid = platform::NativeProcesses::kCurrentProcessId;

    ShifterTest() {
        os.environment.programFolder = "C:\\Kovarra";
        memory.Map(0x400000, 0x1300000, platform::kPageReadWrite);
        memory.Poke32(qvrplugin::kCarPtr, kCar);
        memory.Poke32(qvrplugin::kDrivingFlag, 1);
        hostWindow = os.desktop.AddWindow("D3D Window", kHostPid);
    }
    ~ShifterTest() override {
        if (plugin) plugin->ScalarDeletingDestructor(1);
    }

    // Writes shifter.ini's section MAIN from "key=value" lines.
    void Settings(const std::string& lines) { Put("C:\\Kovarra\\plugins\\shifter.ini", "[MAIN]\r\n" + lines); }

    // The plug-in object, as QVR_CreatePlugin makes it.
    shifter::ShifterPlugin& Plugin() {
        if (!plugin) plugin = static_cast<shifter::ShifterPlugin*>(shifter::CreateShifterPlugin(&host, shifter));
        return *plugin;
    }
    // The texts of the menu page's value column after a draw.
    std::vector<std::string> DrawnValues() {
        host.calls.clear();
        Plugin().DrawMenu();
        return host.TextsAt(260);
    }
    // The gear in the car object.
    std::uint32_t Gear() const { return memory.Peek32(kCar + qvrplugin::kCarGear); }
    // Runs the poll thread's first pass (settings read, devices opened) and then more.
    void Poll(int passes = 1) {
        shifter.hostWindow = hostWindow;
        for (int i = 0; i < passes; ++i) shifter::GearPollPass(shifter);
    }

    platform::NativeOwnMemory memory;
    platform::ScriptedDirectInput input;
    shifter::Shifter shifter{{os.profile, os.files, os.clock, os.environment, os.desktop, os.processes, memory, input}};
    RecordingHost host;
    shifter::ShifterPlugin* plugin = nullptr;
    platform::WindowHandle hostWindow = 0;
};

}  // namespace vmtest

#include "tests/client/FlowTest.h"

#include <gtest/gtest.h>

#include "catalogues/FileCheckList.h"
#include "platform/Ports.h"
#include "preparation/ResultRecord.h"
#include "preparation/Roadbook.h"
#include "services/Crypt.h"
#include "services/Globals.h"
#include "services/StageState.h"
#include "services/Settings.h"
#include "services/gCheck.h"
#include "services/gLog.h"

namespace vmtest {

using vm::g;

namespace {
// What stands for a form's real window: a handle of its own.
class WindowStandIn : public ui::Form::View {
public:
    explicit WindowStandIn(platform::WindowHandle handle) : handle_(handle) {}
    platform::WindowHandle Handle() const override { return handle_; }

private:
    platform::WindowHandle handle_;
};
}  // namespace

FlowTest::FlowTest() {
    os.desktop.clock = &os.clock;
    ui::Form::SetViewMaker([next = platform::WindowHandle{0x7000}](ui::Form&) mutable {
        return std::make_shared<WindowStandIn>(next += 0x10);
    });
    platform::ports().profile = &codes;
    Put("C:\\Velomark\\velomark.ini", "[MAIN]\r\nW=http://events.test\r\nNAME=Ari\r\n");
    qvrMod::LoadSettings();
    g.gHostPath = "C:\\Kovarra";
    gLog::OpenLog();
    // As the set-up after the log-in leaves the client.
    g.gClientReady = 1;
    g.gReadyForSS = true;
    g.gStagePhase = 1;
    w.cmbStage.AddItem(kStageLabel);
    w.cmbStage.SetItemData(0, 16);
    w.cmbStage.SetListIndex(0);
    w.cmbSurface.AddItem("Tarmac");
    w.cmbSurface.SetListIndex(0);
    w.Show();
    w.tMain.onTimer = [this, monitor = w.tMain.onTimer] {
        ++monitorTicks_;
        monitor();
    };
    // The host closes its window when asked to, hostClosesAfterMs later, at its next events;
    // its window goes with its process when that is terminated.
    os.desktop.onMessage = [this](const platform::NativeDesktop::Message& m) {
        if (m.window == hostWindow && m.message == platform::kWmClose && !closeAt_)
            closeAt_ = os.clock.ticks + hostClosesAfterMs;
        return true;
    };
    os.desktop.onPump = [this, pump = os.desktop.onPump] {
        if (!sim) closeAt_.reset();  // gone otherwise
        if (closeAt_ && hostClosesAfterMs != kHostNeverCloses && Due(closeAt_)) {
            if (hostEndsAfterWindowMs == 0) {
                EndHost();
            } else {  // the window first, the process a while later
                os.desktop.RemoveWindow(hostWindow);
                sim.reset();
                closeAt_.reset();
                endAt_ = os.clock.ticks + hostEndsAfterWindowMs;
            }
        }
        if (Due(endAt_)) {
            endAt_.reset();
            if (HostProcessAlive()) os.processes.Find(kHostPid)->running = false;
        }
        if (Due(showAt_)) {
            showAt_.reset();
            if (HostProcessAlive()) StartHost(*hostOptions);
        }
        pump();
    };
    os.processes.onEnd = [this](std::uint32_t id) {
        if (id != kHostPid) return;
        if (sim) EndHost();
        endAt_.reset();
        showAt_.reset();
    };
    os.shell.onExecute = [this](const platform::RecordingShell::Call& call) {
        if (!hostOptions || !call.file.ends_with("\\Kovarra_SSE.exe")) return;
        // One host at a time: the start prepares the host folder for a host that is not running.
        if (HostProcessAlive()) ADD_FAILURE() << "the host was opened while a host process ran";
        ++hostsOpened;
        if (hostShowsAfterMs == 0) {
            StartHost(*hostOptions);
            return;
        }
        os.processes.Add(kHostPid);
        showAt_ = os.clock.ticks + hostShowsAfterMs;
    };
}

bool FlowTest::HostProcessAlive() {
    const auto* host = os.processes.Find(kHostPid);
    return host && host->running;
}

FlowTest::~FlowTest() {
    ui::Form::SetViewMaker({});
    platform::ports().profile = &os.profile;
}

void FlowTest::Event(int ssCount, int current, std::vector<int> services) {
    g.gRallyPwd = kEventPwd;
    gFunc::rb.gSSCount = static_cast<std::int16_t>(ssCount);
    for (int n = 1; n <= ssCount; ++n) gFunc::rb.gRoadbookSS[n] = 16;
    for (int n : services) gFunc::rb.gRoadbookService[n] = 1;
    g.gCurrentSS = static_cast<std::int16_t>(current);
}

void FlowTest::PrepareHostFolder() {
    fx.Build();
    fx.Choose({});
    // The packages of the classes that the fixture leaves out are there too.
    for (auto& entry : vm::fileCheckList) {
        if (entry.path.empty()) continue;
        if (!os.files.FileExists(entry.path)) Put(entry.path, "a package of another class");
        entry.md5 = os.md5.FileMd5(entry.path).value_or("");
    }
    codes.codes.clear();
}

void FlowTest::PhysicsDated() {
    const std::string package = g.gHostPath + "\\physics.qvz";
    if (!os.files.FileExists(package)) Put(package, "a physics package");
    gCheck::vars.gPhysicsDate = gCheck::GetFileDate(package);
}

void FlowTest::EndHost() {
    HostTest::EndHost();
    closeAt_.reset();
}

void FlowTest::LaunchedByStart() {
    vm::stage.gStarted = w.ChoiceNow();
    vm::stage.gStartLaunched = true;
}

void FlowTest::MonitorTicks(int n) {
    for (const int until = monitorTicks_ + n; monitorTicks_ < until;) RunFor(10);
}

std::vector<std::string> FlowTest::Panes() const {
    std::vector<std::string> out;
    for (const auto& n : os.webPanes.navigations)
        if (n.pane == "wb") out.push_back(n.address);
    return out;
}

std::string FlowTest::LogAddress(std::int16_t kind, const std::string& time) const {
    return LogAddress(w.ChoiceNow(), kind, time);
}

std::string FlowTest::LogAddress(const vm::StageChoice& s, std::int16_t kind, const std::string& time) const {
    const std::string record = gFunc::BuildEventRecord(kind, time, s.stageId, s.weather, s.car, s.carPlus, s.damage,
                                                       g.gHostOption, g.gTestFlag, s.humid, s.wear, s.skyIndex, s.ss,
                                                       s.carCategory);
    return g.gUrlLog + g.gDriverName + "&msg=" + Crypt::Encrypt(record, g.gDriverName + g.gRallyPwd) +
           "&pwd=" + g.gRallyPwd;
}

std::vector<std::string> FlowTest::Messages() const {
    std::vector<std::string> out;
    for (const auto& m : os.messageBox.shown) out.push_back(m.title + "|" + std::to_string(m.style) + "|" + m.text);
    return out;
}

std::string FlowTest::RunLog() { return Get("C:\\VelomarkLog_20070315214502.txt"); }

}  // namespace vmtest

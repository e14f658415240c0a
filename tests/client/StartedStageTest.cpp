// Each start's records belong to the SS that was started: two SS of an event through the
// client's own start on the in-process host, with the driver picking the next SS while the first
// runs, or starting it while the first one's host is still open or closing. The server must get
// SS1's start and finish with SS1's stage and number, then SS2's, each once, and no retirement;
// each host must be given the stage it was prepared for.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogues/SelectorLists.h"
#include "platform/Bytes.h"
#include "preparation/ResultRecord.h"
#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "services/StageState.h"
#include "services/host/HostMap.h"
#include "tests/client/FlowTest.h"

namespace vmtest {
namespace {

using testing::HasSubstr;
using testing::Not;
using vm::g;
using vm::stage;
using namespace hostmap;

class StartedStageTest : public FlowTest {
protected:
    StartedStageTest() {
        gFill::FillCombos(w.cmbCountry, w.cmbTyre, w.cmbWear, w.cmbHumid, w.cmbDamage);
        PrepareHostFolder();
        Event(3, 0);
        // SS1 in Finland in good conditions, SS2 in England in bad ones: maps of the host folder.
        gFunc::rb.gRoadbookSS[2] = 23;
        gFunc::rb.gRoadbookWeather[1] = 0;
        gFunc::rb.gRoadbookWeather[2] = 2;
        for (int n : {1, 2}) gFunc::rb.gRoadbookSurface[n] = -1;
        g.gDriverName = "Ari";
        w.cmdSS[1].SetEnabled(true);
    }

    // Picks SS n; returns the choice it makes.
    vm::StageChoice Pick(int n) {
        w.cmdSS[n].Press();
        return w.ChoiceNow();
    }
    void Start(simhost::Options host) {
        hostOptions = host;
        w.cmdStart.Press();
        ASSERT_TRUE(sim);
    }
public:
    // A stage to its finish, ten times faster than real time; the client's close item chosen
    // at the moments given.
    static simhost::Options Finishing(std::vector<float> closeItem = {}) {
        return {.speed = 10, .startLineMs = 500, .routineB = std::move(closeItem)};
    }

protected:
    // What the host was last given at an address by the writes journal[from, to).
    std::string Given(std::uint32_t address, std::size_t from, std::size_t to) const {
        std::string bytes;
        for (std::size_t i = from; i < to; ++i)
            if (os.processes.journal[i].address == address) bytes = os.processes.journal[i].bytes;
        return bytes;
    }
    // An ASCII text as a NUL-terminated UTF-16LE text.
    static std::string Wide(const std::string& ascii) {
        std::string out;
        for (char c : ascii) out.append({c, '\0'});
        return out.append(2, '\0');
    }
    void ExpectHostGiven(const vm::StageChoice& s, std::size_t from, std::size_t to) const {
        EXPECT_EQ(Given(kTrackIdCell, from, to), platform::Le32(static_cast<std::uint32_t>(s.hostTrackId)));
        EXPECT_EQ(Given(kWeatherCell, from, to), platform::Le32(static_cast<std::uint32_t>(s.weather)));
        EXPECT_EQ(Given(kSkyName, from, to), s.skyName + '\0');
        EXPECT_EQ(Given(kReadyText, from, to), Wide("Ari\nready to SS" + std::to_string(s.ss)));
    }
    // The scrambled record of a log page's address.
    static std::string Scrambled(const std::string& address) {
        const std::size_t from = address.find("&msg=") + 5;
        return address.substr(from, address.find("&pwd=") - from);
    }
    std::string Line(const vm::StageChoice& s) const {
        return s.stageLabel + (s.badConditions ? "*" : "") + " s1[01:05.20] s2[02:10.37] end[03:01.05]|\r\n";
    }
};

// Between SS1's start and SS2's: what the driver does, and when.
enum class Meanwhile {
    PickBeforeTheMenus,   // SS2 picked before SS1's host menus are walked, SS1 run to its finish
    PickDuringTheStage,   // SS2 picked during SS1's stage, SS1 run to its finish
    StartAtTheFinish,     // SS1 finished, its host still showing the finish: SS2 picked and started
    StartWhileClosing,    // the client's item in SS1's host chosen after the finish, the host slow
                          // to go: SS2 picked and started at once
    StartWhenNotClosing,  // as StartAtTheFinish, with a host that does not close when asked
};

struct NextSS {
    Meanwhile meanwhile;
    simhost::Options ss1Host;
    std::uint32_t closesAfterMs;  // how long SS1's host takes to close when asked
};

std::string NameOf(const testing::TestParamInfo<NextSS>& info) {
    static const char* const kNames[] = {"PickBeforeTheMenus", "PickDuringTheStage", "StartAtTheFinish",
                                         "StartWhileClosing", "StartWhenNotClosing"};
    return kNames[static_cast<int>(info.param.meanwhile)];
}

void PrintTo(const NextSS& c, std::ostream* os) { *os << NameOf(testing::TestParamInfo<NextSS>(c, 0)); }

class NextSSTest : public StartedStageTest, public testing::WithParamInterface<NextSS> {
protected:
    void PickSS2(Meanwhile m) {
        switch (m) {
            case Meanwhile::PickBeforeTheMenus:
                Pick(2);
                RunFor(30000);
                break;
            case Meanwhile::PickDuringTheStage:
                RunFor(8000);
                ASSERT_TRUE(stage.gStageRunning);
                Pick(2);
                RunFor(30000);
                break;
            case Meanwhile::StartAtTheFinish:
            case Meanwhile::StartWhenNotClosing:
                RunFor(30000);
                ASSERT_TRUE(sim);
                Pick(2);
                break;
            case Meanwhile::StartWhileClosing:
                for (int i = 0; i < 400 && !HostClosing(); ++i) RunFor(100);
                ASSERT_TRUE(HostClosing());
                Pick(2);
                break;
        }
    }
};

TEST_P(NextSSTest, EachStartReportsAndDrivesTheSSItStarted) {
    const NextSS& c = GetParam();
    const vm::StageChoice ss1 = Pick(1);
    hostClosesAfterMs = c.closesAfterMs;
    Start(c.ss1Host);
    PickSS2(c.meanwhile);
    const vm::StageChoice ss2 = w.ChoiceNow();
    ASSERT_EQ(ss2.ss, 2);
    ASSERT_NE(ss2.stageId, ss1.stageId);
    ASSERT_TRUE(w.cmdStart.Enabled());

    // The parts kept for a manual upload are SS1's records.
    const qvrMod::UploadParts kept = qvrMod::upload;
    EXPECT_EQ(kept.gErrUrlStart, g.gUrlError + "Ari&msg0=" + Scrambled(LogAddress(ss1, gFunc::kRecordStart)) +
                                     "&pwd0=" + kEventPwd);
    EXPECT_EQ(kept.gErrUrlFinish,
              "&msg2=" + Scrambled(LogAddress(ss1, gFunc::kRecordFinish, "03:01.05")) + "&pwd2=" + kEventPwd);

    const std::size_t ss2From = os.processes.journal.size();
    Start(Finishing({200}));  // closes SS1's host first
    hostClosesAfterMs = 0;
    RunFor(30000);

    EXPECT_EQ(Panes(), (std::vector<std::string>{LogAddress(ss1, gFunc::kRecordStart),
                                                 LogAddress(ss1, gFunc::kRecordFinish, "03:01.05"),
                                                 LogAddress(ss2, gFunc::kRecordStart),
                                                 LogAddress(ss2, gFunc::kRecordFinish, "03:01.05")}));
    EXPECT_EQ(w.MainTXT.Text(), Line(ss1) + Line(ss2));
    const std::string log = RunLog();
    EXPECT_THAT(log, HasSubstr("Start SS: " + ss1.stageLabel + " 16 0"));
    EXPECT_THAT(log, HasSubstr("Start SS: " + ss2.stageLabel + " 23 2"));
    EXPECT_THAT(log, Not(HasSubstr("RETIRED!")));
    ExpectHostGiven(ss1, 0, ss2From);
    ExpectHostGiven(ss2, ss2From, os.processes.journal.size());
    EXPECT_TRUE(w.cmdSS[3].Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Driver, NextSSTest,
    testing::Values(NextSS{Meanwhile::PickBeforeTheMenus, StartedStageTest::Finishing({200}), 0},
                    NextSS{Meanwhile::PickDuringTheStage, StartedStageTest::Finishing({200}), 0},
                    NextSS{Meanwhile::StartAtTheFinish, StartedStageTest::Finishing(), 0},
                    NextSS{Meanwhile::StartWhileClosing, StartedStageTest::Finishing({200}), 3000},
                    NextSS{Meanwhile::StartWhenNotClosing, StartedStageTest::Finishing(), kHostNeverCloses}),
    NameOf);

// A host that no start opened is driven, but no stage of the driver's: neither before the first
// start nor after a retirement, which ends what the start may send, does such a host record or
// send anything, whether it runs to its finish or closes during its stage.
TEST_F(StartedStageTest, AHostOpenedByHandRecordsNothing) {
    auto openByHand = [this] {
        for (const simhost::Options& host : {Finishing({200}), simhost::Options{.speed = 10, .startLineMs = 500,
                                                                                 .closeAt = 100}}) {
            StartHost(host);
            RunFor(30000);
            if (sim) EndHost();
            RunFor(200);
        }
    };
    openByHand();
    EXPECT_EQ(Panes(), std::vector<std::string>{});
    EXPECT_EQ(w.MainTXT.Text(), "");
    EXPECT_TRUE(w.cmdSS[1].Enabled());

    const vm::StageChoice ss1 = Pick(1);
    Start({.speed = 10, .startLineMs = 500, .closeAt = 100});
    RunFor(30000);
    ASSERT_FALSE(sim);
    const std::vector<std::string> retired{LogAddress(ss1, gFunc::kRecordStart),
                                           LogAddress(ss1, gFunc::kRecordRetired)};
    ASSERT_EQ(Panes(), retired);
    const std::string text = w.MainTXT.Text();
    openByHand();
    EXPECT_EQ(Panes(), retired);
    EXPECT_EQ(w.MainTXT.Text(), text);
    EXPECT_FALSE(w.cmdStart.Enabled());
    const std::string log = RunLog();
    EXPECT_THAT(log, Not(HasSubstr("End Stage")));
    EXPECT_EQ(log.find("RETIRED!"), log.rfind("RETIRED!"));
}

}  // namespace
}  // namespace vmtest

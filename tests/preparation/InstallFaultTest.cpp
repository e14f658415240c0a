// Fault injection: the host folder's start (installation run and plug-in whitelist) with the
// k-th file operation failing, for every k up to the number of operations a start makes. After
// each, every original of the host is unchanged in its place or whole in its backup, and the
// next start without a fault succeeds.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/Ports.h"
#include "tests/preparation/InstallTestSupport.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

class InstallFaultTest : public VmTest {
protected:
    InstallFaultTest() { platform::ports().fileSystem = &faulty; }
    ~InstallFaultTest() override { platform::ports().fileSystem = &os.files; }

    // A new host folder: the fixture is built once and copied for each run.
    void Fresh() {
        faulty.FailAt(0);
        FreshFolder("C:\\vm", [this] { fx.Build(); });
        fx.Choose({});
    }
    void CleanStarts(int n) {
        for (int i = 0; i < n; ++i) ASSERT_EQ(StartHost("").run, 1);
    }
    int Failures() const { return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count(); }

    FaultyFileSystem faulty{os.files};
    // The slots' folders of the chosen cars only: every file adds operations to count through.
    HostFixture fx{"C:\\vm", {.allSlots = false}};
};

// One range of the failing operation's number: part of parts, for one start. The parts run as
// tests of their own, in parallel; each prints its figures and scripts/test adds them up.
struct Scenario {
    const char* name;
    int runsBefore;  // clean starts before the one that fails
    int part;        // 1..kParts
};
constexpr int kParts = 4;

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name << ", part " << s.part << " of " << kParts; }

std::vector<Scenario> AllParts() {
    std::vector<Scenario> all;
    for (const auto& [name, runsBefore] : {std::pair{"first start", 0}, std::pair{"second start", 1}})
        for (int part = 1; part <= kParts; ++part) all.push_back({name, runsBefore, part});
    return all;
}

class InstallFaults : public InstallFaultTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(InstallFaults, EveryOriginalStaysRecoverableWhicheverOperationFails) {
    const Scenario s = GetParam();
    Fresh();
    CleanStarts(s.runsBefore);
    faulty.FailAt(0);
    ASSERT_EQ(StartHost("").run, 1);
    const long operations = faulty.count();
    const long first = operations * (s.part - 1) / kParts + 1, last = operations * s.part / kParts;

    long survived = 0;
    for (long k = first; k <= last; ++k) {
        Fresh();
        Originals originals(fx, "C:\\scratch");
        CleanStarts(s.runsBefore);
        const int failuresBefore = Failures();
        const std::string context = std::string(s.name) + ", operation " + std::to_string(k) + " failing";
        faulty.FailAt(k);
        (void)StartHost("");
        ASSERT_TRUE(faulty.injected()) << context;
        faulty.FailAt(0);
        originals.ExpectRecoverable(context);
        StartOutcome again = StartHost("");
        EXPECT_EQ(again.run, 1) << context << ", then a clean start";
        EXPECT_FALSE(again.plugins) << context << ", then a clean start";
        originals.ExpectRecoverable(context + ", then a clean start");
        if (Failures() == failuresBefore) ++survived;
        if (Failures() > 20) break;  // enough to go on
    }
    std::printf("[ faults   ] %s, operations %ld-%ld of %ld: %ld of %ld injected faults survived\n", s.name, first, last,
                operations, survived, last - first + 1);
    EXPECT_EQ(survived, last - first + 1);
}

INSTANTIATE_TEST_SUITE_P(Starts, InstallFaults, ::testing::ValuesIn(AllParts()), [](const auto& info) {
    return std::string(info.param.runsBefore == 0 ? "First" : "Second") + "Part" + std::to_string(info.param.part);
});

}  // namespace
}  // namespace vmtest

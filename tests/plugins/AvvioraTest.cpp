// avviora inside the host: the menu car index from Cars\Cars.ini written at the build's address,
// and the two code bytes patched at load, on a model of the host's memory whose code is
// execute-read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Bytes.h"
#include "platform/native/NativePluginPorts.h"
#include "plugins/HostAddresses.h"
#include "plugins/avviora/MenuCarPreset.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using namespace qvrplugin;
constexpr unsigned long kProcessAttach = 1, kThreadAttach = 2;

class AvvioraTest : public VmTest {
protected:
    AvvioraTest() { Build(memory, kMarkerIndexAt565DE5); }
    // The host's code range, execute-read, with the marker of a build.
    static void Build(platform::NativeOwnMemory& m, std::uint8_t marker) {
        m.Map(0x486000, 0x627000 - 0x486000, platform::kPageExecuteRead);
        m.Poke(kBuildMarker, std::string(1, static_cast<char>(marker)));
        m.Poke(kBranchA, "\x74");
        m.Poke(kBranchB, "\x74");
    }
    void Cars(const std::string& index) { Put("C:\\Cars\\Cars.ini", "[MENU_CAR_INDEX]\r\nINDEX=" + index + "\r\n"); }
    static std::uint8_t Byte(platform::NativeOwnMemory& m, std::uint32_t address) {
        return static_cast<std::uint8_t>(m.Peek(address, 1)[0]);
    }

    platform::NativeOwnMemory memory;
};

TEST_F(AvvioraTest, TheIndexGoesToTheAddressOfTheBuild) {
    struct Case {
        std::uint8_t marker;
        const char* index;  // null: no Cars.ini
        std::uint32_t at, value;
    } cases[] = {
        {0xE8, "5", kMenuCarIndexE8, 5},        // 0
        {0x00, "7", kMenuCarIndex00, 7},        // 1
        {0xE8, nullptr, kMenuCarIndexE8, 0},    // 2: no file
        {0xE8, "abc", kMenuCarIndexE8, 0},      // 3: no leading digits
        {0xE8, "3 cars", kMenuCarIndexE8, 3},   // 4
    };
    for (const Case& c : cases) {
        platform::NativeOwnMemory host;
        (void)os.files.DeleteFile("C:\\Cars\\Cars.ini", true);
        Build(host, c.marker);
        host.Poke32(c.at, 0xCCCCCCCC);
        if (c.index) Cars(c.index);
        avviora::PresetMenuCar(os.profile, host, kProcessAttach);
        EXPECT_EQ(host.Peek32(c.at), c.value) << (c.index ? c.index : "no file");
        EXPECT_EQ(Byte(host, kBranchA), kShortJump);
        EXPECT_EQ(Byte(host, kBranchB), kShortJump);
    }
}

TEST_F(AvvioraTest, CodeKeepsItsProtectionAndIsFlushed) {
    Cars("5");
    avviora::PresetMenuCar(os.profile, memory, kProcessAttach);
    for (std::uint32_t address : {kMenuCarIndexE8, kBranchA, kBranchB})
        EXPECT_EQ(memory.Protection(address), platform::kPageExecuteRead) << std::hex << address;
    EXPECT_THAT(memory.Flushes(),
                testing::ElementsAre(std::pair(kMenuCarIndexE8, 4u), std::pair(kBranchA, 1u), std::pair(kBranchB, 1u)));
}

TEST_F(AvvioraTest, EveryNotificationWritesTheIndexOnlyTheLoadPatches) {
    Cars("6");
    avviora::PresetMenuCar(os.profile, memory, kThreadAttach);
    EXPECT_EQ(memory.Peek32(kMenuCarIndexE8), 6u);
    EXPECT_EQ(Byte(memory, kBranchA), 0x74);
    Cars("2");
    avviora::PresetMenuCar(os.profile, memory, kProcessAttach);
    EXPECT_EQ(memory.Peek32(kMenuCarIndexE8), 2u);
    EXPECT_EQ(Byte(memory, kBranchA), kShortJump);
}

TEST_F(AvvioraTest, AnotherBuildIsLeftAlone) {
    platform::NativeOwnMemory host;
    Build(host, 0x55);
    Cars("5");
    avviora::PresetMenuCar(os.profile, host, kProcessAttach);
    EXPECT_TRUE(host.Journal().empty());
    EXPECT_EQ(Byte(host, kBranchA), 0x74);
}

TEST_F(AvvioraTest, AFailedIndexWriteSkipsThePatches) {
    platform::NativeOwnMemory host;
    host.Map(0x486000, 0x1000, platform::kPageExecuteRead);  // the marker's page and the branches'
    host.Poke(kBuildMarker, "\xE8");
    host.Map(0x626000, 0x1000, platform::kPageExecuteRead);
    Cars("5");
    avviora::PresetMenuCar(os.profile, host, kProcessAttach);
    EXPECT_TRUE(host.Journal().empty());
}

TEST_F(AvvioraTest, WritableBytesAreWrittenAsTheyStand) {
    memory.Map(0x100000, 0x1000, platform::kPageReadWrite);
    const std::string bytes = platform::Le32(9);
    EXPECT_TRUE(avviora::WriteOwnProcessMemory(memory, 0x100010, bytes.data(), 4));
    EXPECT_EQ(memory.Peek32(0x100010), 9u);
    EXPECT_EQ(memory.Protection(0x100010), platform::kPageReadWrite);
    EXPECT_TRUE(memory.Flushes().empty());
    EXPECT_FALSE(avviora::WriteOwnProcessMemory(memory, 0x200000, bytes.data(), 4));  // no page there
}

}  // namespace
}  // namespace vmtest

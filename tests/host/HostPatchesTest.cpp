// The exact writes of the menu entry, stage parameter and code patch procedures.
#include <gtest/gtest.h>

#include "platform/Bytes.h"
#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"
#include "tests/host/HostFixture.h"

namespace {

using vmtest::HostTest;
using platform::Le32;
using platform::LeFloat;
using namespace simhost::layout;
using namespace hostmap;
using namespace std::string_literals;

class HostPatchesTest : public HostTest {
protected:
    std::uint32_t EntryA(int i) { return memory().Peek32(kMenuA + menu::kTableA + 4 * i); }
    std::uint32_t EntryB(int i) { return memory().Peek32(kMenuB + menu::kTableB + 4 * i); }
    std::uint32_t SubItem(int entry, int k) {
        return memory().Peek32(memory().Peek32(EntryB(entry) + menu::kEntrySubItems) + 4 * k);
    }
    static WriteList Floats(std::uint32_t base) {
        WriteList w;
        for (int i = 0; i < 4; ++i) w.push_back({base + menu::kFloats + 4 * i, LeFloat(0)});
        return w;
    }
    static WriteList Join(std::initializer_list<WriteList> parts) {
        WriteList all;
        for (const WriteList& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    }
};

TEST_F(HostPatchesTest, SetMenuItemAWritesTheEntryTheFloatsTheLinkAndTheSelection) {
    StartHost({.firstMenu = 0});
    std::uint32_t e = EntryA(10);
    qvrMod::SetMenuItemA(10, 82, 4, 0, 0, 0, 0, 0, true);
    EXPECT_EQ(WritesSince(), Join({{{e + menu::kEntryParameter, Le32(0)}},
                              Floats(kMenuA),
                              {{e + menu::kEntryValue, Le32(4)},
                               {e + menu::kEntryValueAgain, Le32(4)},
                               {e + menu::kEntryStamp, Le32(kMenuAStamp)},
                               {e + menu::kEntryLink, Le32(EntryA(82))},
                               {kMenuA + menu::kSelected, Le32(e)}}}));
    EXPECT_EQ(qvrMod::GetMenuIndex(), 10);
}

TEST_F(HostPatchesTest, SetMenuItemALeavesWhatMinusOneAndAClearSelectFlagLeave) {
    StartHost();
    std::uint32_t e = EntryA(2);
    qvrMod::SetMenuItemA(2, -1, 11, -1, -1, -1, -1, -1, false);
    EXPECT_EQ(WritesSince(), (WriteList{{e + menu::kEntryValue, Le32(11)},
                                {e + menu::kEntryValueAgain, Le32(11)},
                                {e + menu::kEntryStamp, Le32(kMenuAStamp)}}));
    EXPECT_EQ(qvrMod::GetMenuIndex(), 82);
}

TEST_F(HostPatchesTest, SetMenuItemBLinksWithinMenuBAndAlwaysWritesParameter9) {
    StartHost();
    std::uint32_t e = EntryB(3);
    qvrMod::SetMenuItemB(3, 20, -1, 5, -1, -1, -1, -1, false);
    EXPECT_EQ(WritesSince(), (WriteList{{e + menu::kEntryParameter, Le32(9)},  // not the 5 passed
                                {e + menu::kEntryStamp, Le32(kMenuBStamp)},
                                {e + menu::kEntryLink, Le32(EntryB(20))}}));
}

TEST_F(HostPatchesTest, BuildClientMenuSetsEntry17OfMenuBAndUnlinksThreeSubItems) {
    StartHost();
    std::uint32_t e = EntryB(17);
    qvrMod::BuildClientMenu();
    EXPECT_EQ(WritesSince(), Join({{{e + menu::kEntryParameter, Le32(9)}},  // 9 although p is -1
                              Floats(kMenuB),
                              {{e + menu::kEntryValue, Le32(4)},    // not at +0x1C
                               {e + menu::kEntryStamp, Le32(kMenuBStamp)},
                               {kMenuB + menu::kSelected, Le32(e)},
                               {SubItem(17, 4) + menu::kSubItemLink, Le32(0)},
                               {SubItem(17, 8) + menu::kSubItemLink, Le32(0)},
                               {SubItem(17, 9) + menu::kSubItemLink, Le32(0)}}}));
}

TEST_F(HostPatchesTest, MenuProceduresWriteNothingWithoutAVersion3Host) {
    for (std::uint8_t marker : {std::uint8_t(0x8B), std::uint8_t(0xE8)}) {
        StartHost({.marker = marker});
        Memory::GetHostProcess();
        // The 4-byte cell holds a real entry's address, as after earlier reads.
        ASSERT_EQ(Memory::ReadLong(kMenuA + menu::kTableA + 4 * 2), static_cast<std::int32_t>(EntryA(2)));
        if (marker == 0xE8) EndHost();  // or the host has gone
        std::size_t mark = os.processes.journal.size();
        qvrMod::SetMenuItemA(2, -1, 11, -1, 0, 0, 0, 0, true);
        qvrMod::SetMenuItemB(17, -1, 4, -1, 0, 0, 0, 0, true);
        qvrMod::LinkMenuItem(17, 4);
        qvrMod::SetStageParams(1, 1, 1, 1, 0, 0, 1, 1, 1, "clear");
        qvrMod::PatchHostMenus();
        EXPECT_EQ(WritesSince(mark), WriteList{}) << int(marker);
        if (sim) EndHost();
    }
}

TEST_F(HostPatchesTest, SetStageParamsWritesEachCellInOrder) {
    struct Case {
        std::int32_t testFlag;
        std::string clockStore;
    } cases[] = {{0, "\xF3\x0F\x11\x86\x40\x01\x00\x00"s}, {1, std::string(8, '\x90')}};
    for (const Case& c : cases) {
        StartHost();
        qvrMod::SetStageParams(41, 1, 2, 3, 0, c.testFlag, 2, 2, 3, "10O_N_hazy_partcloud");
        EXPECT_EQ(WritesSince(), (WriteList{{kHumidityCell, Le32(2)},
                                    {kWearCell, Le32(3)},
                                    {kSkyName, "10O_N_hazy_partcloud"s + '\0'},  // 20 bytes and a zero
                                    {kTrackIdCell, Le32(41)},
                                    {kWeatherCell, Le32(1)},
                                    {kCarSlotCell, Le32(2)},
                                    {kDamageCell, Le32(3)},
                                    {kOptionCell, Le32(0)},
                                    {kStageSetCell, Le32(1)},
                                    {kTyreTypeOperand, "\x02"},
                                    {kStageClockStore, c.clockStore}}))
            << c.testFlag;
        EndHost();
        os.processes.journal.clear();
    }
}

TEST_F(HostPatchesTest, ALongSkyNameStopsShortOfTheHumidityCell) {
    StartHost();
    qvrMod::SetStageParams(41, 1, 2, 3, 0, 0, 2, 5, 0, std::string(200, 'S'));
    std::string sky = memory().Peek(kSkyName, kSkyNameRoom);
    EXPECT_EQ(sky, std::string(131, 'S') + '\0');
    EXPECT_EQ(memory().Peek32(kHumidityCell), 5u);
}

TEST_F(HostPatchesTest, PatchHostMenusWritesItsFourteenStepsWithoutWaitingForPresentTexts) {
    StartHost({.textsAfterMs = 0});
    std::uint32_t record = memory().Peek32(memory().Peek32(kTuningPtr) + kTuningLink);
    qvrMod::PatchHostMenus();
    std::string gotoText("G\0o\0t\0o\0 \0V\0e\0l\0o\0m\0a\0r\0k\0\0\0", 28);
    std::string saveText("S\0a\0v\0e\0 \0D\0a\0t\0a\0\0\0", 20);
    EXPECT_EQ(WritesSince(), (WriteList{{record + kTuningField, Le32(0x19999999)},
                                {kMenuBranchCode, "\x90\x90"},
                                {kTyreTypeCode, "\xB1\x00\x90\x90"s},
                                {kSkyNameOperand, Le32(kSkyName)},
                                {kFlagCellA, Le32(0)},
                                {kRoutineA, "\xC7\x05\x04\x0A\x40\x00\x01\x00\x00\x00\xC2\x08\x00"s},
                                {kFlagCellB, Le32(0)},
                                {kRoutineB, "\xC7\x05\x08\x0A\x40\x00\x01\x00\x00\x00\xC2\x08\x00"s},
                                {kTexts + texts::kSave1, Le32(kSaveText)},
                                {kTexts + texts::kSave2, Le32(kSaveText)},
                                {kTexts + texts::kGoto, Le32(kGotoText)},
                                {kGotoText, gotoText},
                                {kSaveText, saveText}}));
    EXPECT_TRUE(os.desktop.waits.empty());
    EXPECT_EQ(os.desktop.pumps, 0);
}

TEST_F(HostPatchesTest, PatchHostMenusWaitsInTwoSecondStepsForTheTextTable) {
    StartHost({.textsAfterMs = 5000});
    qvrMod::PatchHostMenus();
    EXPECT_GE(os.desktop.waits.size(), 3u);
    EXPECT_GE(os.clock.ticks - startTicks, 6000u);  // three whole waits of 2000 ms at least
    EXPECT_EQ(memory().Peek32(kTexts + texts::kGoto), kGotoText);
    EXPECT_EQ(memory().Peek(kGotoText, 4), std::string("G\0o\0", 4));
}

TEST_F(HostPatchesTest, PatchHostMenusStopsWaitingWhenTheHostIsGone) {
    StartHost({.textsAfterMs = 0xFFFFFFFF});
    os.desktop.onPump = [this] {
        if (sim && (os.clock.ticks - startTicks >= 7000 || os.desktop.pumps > 50)) EndHost();
    };
    qvrMod::PatchHostMenus();
    EXPECT_LT(os.desktop.pumps, 10);
    EXPECT_EQ(memory().Peek32(kGotoText), 0u);  // no texts went anywhere
}

TEST(ReadyToSSText, IsNameLineFeedAndStageNumber) {
    EXPECT_EQ(qvrMod::ReadyToSSText("Driver", 3), "Driver\nready to SS3");
}

}  // namespace

// The track-texture folder table and the moves that put the folders back under their variant names.
#include <gtest/gtest.h>

#include "catalogues/TrackTextures.h"
#include "services/Globals.h"
#include "services/gCheck.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::folderSwapTable;
using vm::g;

class FolderSwapTest : public VmTest {
protected:
    FolderSwapTest() {
        g.gHostPath = "C:\\Kovarra";
        MakeFolders(os.files, "C:\\Kovarra\\Maps");
    }
    // Makes a folder of a map holding one file that names it, so a move shows where it went.
    void Folder(const std::string& path) { Put(path + "\\which.txt", path); }
    std::string Which(const std::string& path) { return Get(path + "\\which.txt"); }
};

TEST_F(FolderSwapTest, TableHoldsEveryMapAtItsIndex) {
    gFill::FillTrackTextures();
    int inUse = 0;
    for (const auto& e : folderSwapTable) inUse += !e.code.empty();
    EXPECT_EQ(inUse, 62);
    struct Case {
        int index;
        const char* code;
    };
    const Case cases[] = {{10, "10_O"}, {23, "23_E"}, {100, "1000_M"}, {107, "107_O"}, {114, "114_M"},
                          {200, "200_N"}, {776, "776_N"}, {96, "96_E"}};
    for (const auto& c : cases) EXPECT_EQ(folderSwapTable[c.index].code, c.code) << c.index;
    const auto& e = folderSwapTable[23];
    EXPECT_EQ(e.mode, 3);
    EXPECT_EQ(e.texturesDir, "C:\\Kovarra\\Maps\\track-23_E_textures");
    EXPECT_EQ(e.texturesT, "C:\\Kovarra\\Maps\\track-23_E_textures_VLMK_T");
    EXPECT_EQ(e.texturesG, "C:\\Kovarra\\Maps\\track-23_E_textures_VLMK_G");
    EXPECT_EQ(e.texturesS, "C:\\Kovarra\\Maps\\track-23_E_textures_VLMK_S");
    EXPECT_EQ(folderSwapTable[100].mode, 2);
    EXPECT_EQ(folderSwapTable[114].mode, 4);

    gFill::AddTrackTexture("23_E", 1);  // a second registration overwrites
    EXPECT_EQ(folderSwapTable[23].mode, 1);
}

// Each mode, with its first choice free and taken.
TEST_F(FolderSwapTest, EachModeMovesTheFolderToItsFreeVariant) {
    struct Case {
        std::int16_t mode;
        std::vector<char> present;  // variants that exist beforehand
        char to;                    // where the folder goes; 0: it stays
        int result;
    };
    const Case cases[] = {
        /* 0 */ {1, {}, 'T', gCheck::kSwapMoved},
        /* 1 */ {1, {'T'}, 'G', gCheck::kSwapMoved},
        /* 2 */ {2, {}, 'T', gCheck::kSwapMoved},
        /* 3 */ {2, {'T'}, 0, gCheck::kSwapTarmacTaken},
        /* 4 */ {3, {}, 'T', gCheck::kSwapMoved},
        /* 5 */ {3, {'T'}, 'S', gCheck::kSwapMoved},
        /* 6 */ {4, {}, 'G', gCheck::kSwapMoved},
        /* 7 */ {4, {'G'}, 'S', gCheck::kSwapMoved},
        /* 8 */ {0, {}, 0, gCheck::kSwapNothing},
        /* 9 */ {5, {}, 0, gCheck::kSwapNothing},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        std::string code = std::to_string(10 + i) + "_O";
        std::array<vm::FolderSwap, 101> table{};
        table[10 + i] = gCheck::MakeFolderSwap(code, c.mode);
        const auto& e = table[10 + i];
        auto variant = [&](char v) { return v == 'T' ? e.texturesT : v == 'G' ? e.texturesG : e.texturesS; };
        Folder(e.texturesDir);
        for (char v : c.present) Folder(variant(v));
        EXPECT_EQ(gCheck::SwapFoldersFree(table, 99), 0);
        EXPECT_EQ(gCheck::SwapFolders(table, 99), c.result);
        if (c.to) {
            EXPECT_FALSE(os.files.FolderExists(e.texturesDir));
            EXPECT_EQ(Which(variant(c.to)), e.texturesDir);
            EXPECT_EQ(gCheck::SwapFoldersFree(table, 99), 1);
        } else {
            EXPECT_EQ(Which(e.texturesDir), e.texturesDir);
            EXPECT_EQ(gCheck::SwapFoldersFree(table, 99), 0);
        }
        for (char v : c.present) EXPECT_EQ(Which(variant(v)), variant(v)) << "an existing variant is kept";
    }
}

TEST_F(FolderSwapTest, RefusedMoveIsReportedAndTheOthersStillMove) {
    gFill::FillTrackTextures();
    const auto& blocked = folderSwapTable[10];  // mode 1, both variants taken
    Folder(blocked.texturesDir);
    Folder(blocked.texturesT);
    Folder(blocked.texturesG);
    const auto& later = folderSwapTable[23];
    Folder(later.texturesDir);
    EXPECT_EQ(gCheck::SwapFolders(folderSwapTable, vm::kLastFolderSwap), gCheck::kSwapRefused);
    EXPECT_EQ(Which(blocked.texturesDir), blocked.texturesDir);
    EXPECT_EQ(Which(blocked.texturesG), blocked.texturesG) << "the destination is not touched";
    EXPECT_EQ(Which(later.texturesT), later.texturesDir);
    EXPECT_EQ(gCheck::SwapFoldersFree(folderSwapTable, vm::kLastFolderSwap), 0);
}

TEST_F(FolderSwapTest, WholeTableIsScannedUpToTheLastIndexGiven) {
    gFill::FillTrackTextures();
    const auto& high = folderSwapTable[772];  // mode 4
    Folder(high.texturesDir);
    EXPECT_EQ(gCheck::SwapFoldersFree(folderSwapTable, 120), 1) << "a shorter range does not see it";
    EXPECT_EQ(gCheck::SwapFolders(folderSwapTable, 120), gCheck::kSwapNothing);
    EXPECT_EQ(gCheck::SwapFoldersFree(folderSwapTable, vm::kLastFolderSwap), 0);
    EXPECT_EQ(gCheck::SwapFolders(folderSwapTable, vm::kLastFolderSwap), gCheck::kSwapMoved);
    EXPECT_EQ(Which(high.texturesG), high.texturesDir);
    EXPECT_EQ(gCheck::SwapFoldersFree(folderSwapTable, vm::kLastFolderSwap), 1);
}

TEST_F(FolderSwapTest, ResultIsTheLastEventInIndexOrder) {
    gFill::FillTrackTextures();
    const auto& tarmacOnly = folderSwapTable[100];  // "1000_M", mode 2
    Folder(tarmacOnly.texturesDir);
    Folder(tarmacOnly.texturesT);
    const auto& earlier = folderSwapTable[41];
    Folder(earlier.texturesDir);
    EXPECT_EQ(gCheck::SwapFolders(folderSwapTable, vm::kLastFolderSwap), gCheck::kSwapTarmacTaken);
    const auto& later = folderSwapTable[107];
    Folder(later.texturesDir);
    EXPECT_EQ(gCheck::SwapFolders(folderSwapTable, vm::kLastFolderSwap), gCheck::kSwapMoved);
    EXPECT_EQ(gCheck::SwapFolders(folderSwapTable, vm::kLastFolderSwap), gCheck::kSwapTarmacTaken)
        << "only the taken tarmac entry is left";
}

}  // namespace
}  // namespace vmtest

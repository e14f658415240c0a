#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <stdexcept>

#include "catalogues/SelectorLists.h"
#include "catalogues/StageCatalogue.h"
#include "services/Globals.h"
#include "tests/catalogues/CatalogueTest.h"

namespace vmtest {
namespace {

using vm::g;
using Texts = std::vector<std::string>;

class StageCatalogueTest : public CatalogueTest {
protected:
    StageCatalogueTest() { Record(w.cmbStage); }
};

TEST(StageTableTest, TextsAreNameBlanksAndBracketedLengthAlignedPerCountry) {
    const std::regex shape(R"(^(\S(?:.*\S)?) *\[([1-9][0-9]*)m\]$)");
    std::set<std::int32_t> ids;
    int stages = 0;
    for (int country = 0; country < gFill::kBtbTracks; ++country) {
        ASSERT_FALSE(gFill::StageList(country).empty()) << country;
        for (const gFill::StageEntry& s : gFill::StageList(country)) {
            std::string text = s.text;
            std::smatch m;
            EXPECT_TRUE(std::regex_match(text, m, shape)) << text;
            std::size_t width = country == 0 || country == 4 ? 25 : 26;
            if (m[1] == "NewBobs II") width = 27;
            EXPECT_EQ(text.size(), width) << text;
            EXPECT_TRUE(ids.insert(s.id).second) << "stage id twice: " << s.id;
            EXPECT_GT(s.id, 0) << text;
            ++stages;
        }
    }
    EXPECT_EQ(stages, 56);
    EXPECT_TRUE(gFill::StageList(gFill::kBtbTracks).empty());
    EXPECT_TRUE(gFill::StageList(-1).empty());
}

TEST_F(StageCatalogueTest, FillsTheCountrysStagesWithTheirIdsAndPicksTheRememberedOne) {
    g.gStage = 6;
    gFill::FillStages(w.cmbStage, 2);
    ASSERT_EQ(w.cmbStage.ListCount(), 9);
    auto list = gFill::StageList(2);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(w.cmbStage.List(i), list[static_cast<std::size_t>(i)].text);
        EXPECT_EQ(w.cmbStage.ItemData(i), list[static_cast<std::size_t>(i)].id);
    }
    EXPECT_EQ(clicks, Texts{"cmbStage=6"});
    EXPECT_EQ(w.cmbStage.Text(), "Greenhills II      [6000m]");
    EXPECT_EQ(w.cmbStage.ItemData(6), 30);  // ids are not in list order

    g.gStage = 6;
    gFill::FillStages(w.cmbStage, 1);
    EXPECT_EQ(w.cmbStage.ItemData(w.cmbStage.ListIndex()), 71);
    EXPECT_EQ(w.cmbStage.ListCount(), 12);  // refilled, not appended
}

TEST_F(StageCatalogueTest, RememberedStageIsKeptInsideTheNewList) {
    struct Case {
        const char* what;
        std::int16_t country;
        std::int32_t stageBefore;
        std::int32_t stageAfter;
        const char* selected;  // nullptr: nothing selected
    } cases[] = {
        /*0*/ {"England's tenth to France", 3, 9, 7, "Bisanne II         [5600m]"},
        /*1*/ {"index equal to the count", 3, 8, 7, "Bisanne II         [5600m]"},
        /*2*/ {"inside the list", 3, 2, 2, "Bisanne            [5600m]"},
        /*3*/ {"Portugal from any stage", 7, 11, 0, "Estadio Algarve    [2300m]"},
        /*4*/ {"Portugal from the first", 7, 0, 0, "Estadio Algarve    [2300m]"},
        /*5*/ {"no remembered stage", 7, -1, -1, nullptr},
        /*6*/ {"below -1 cannot be selected", 0, -5, -5, nullptr},
        /*7*/ {"no country", -1, 3, -1, nullptr},
        /*8*/ {"unknown country", 9, 0, -1, nullptr},
        /*9*/ {"unknown country, none remembered", 9, -1, -1, nullptr},
    };
    for (auto& c : cases) {
        g.gStage = c.stageBefore;
        clicks.clear();
        gFill::FillStages(w.cmbStage, c.country);
        EXPECT_EQ(g.gStage, c.stageAfter) << c.what;
        if (c.selected) {
            EXPECT_EQ(w.cmbStage.Text(), c.selected) << c.what;
            EXPECT_EQ(clicks, Texts{"cmbStage=" + std::to_string(c.stageAfter)}) << c.what;
        } else {
            EXPECT_EQ(w.cmbStage.ListIndex(), -1) << c.what;
            EXPECT_TRUE(clicks.empty()) << c.what;
        }
    }
}

TEST_F(StageCatalogueTest, AFailingStageHandlerIsIgnored) {
    w.cmbStage.onClick = [] { throw std::runtime_error("handler failed"); };
    g.gStage = 0;
    EXPECT_NO_THROW(gFill::FillStages(w.cmbStage, 6));
    EXPECT_EQ(w.cmbStage.ListIndex(), 0);
}

class TrackFolderTest : public StageCatalogueTest {
protected:
    TrackFolderTest() {
        g.gHostPath = "C:\\Kovarra";
        Put(kTracks + "\\Alpha.trk", "a");
        MakeFolders(os.files, kTracks + "\\Beta");
        Put(kTracks + "\\Epsilon.trk", "e");
        os.files.SetAttributes(kTracks + "\\Epsilon.trk", platform::kAttrReadOnly | platform::kAttrArchive);
        Put(kTracks + "\\Gamma", "hidden");
        os.files.SetAttributes(kTracks + "\\Gamma", platform::kAttrHidden);
        Put(kTracks + "\\Delta.sys", "system");
        os.files.SetAttributes(kTracks + "\\Delta.sys", platform::kAttrSystem);
    }
    const std::string kTracks = "C:\\Kovarra\\RX_CONTENT\\Tracks";
};

TEST_F(TrackFolderTest, BtbTracksListsFilesAndFoldersButNoHiddenOrSystemEntries) {
    g.gStage = 5;
    gFill::FillStages(w.cmbStage, gFill::kBtbTracks);
    EXPECT_EQ(EntriesOf(w.cmbStage), (Texts{"Alpha.trk", "Beta", "Epsilon.trk"}));
    EXPECT_EQ(g.gStage, 2);
    EXPECT_EQ(clicks, Texts{"cmbStage=2"});
    EXPECT_EQ(w.cmbStage.ItemData(2), 0);  // no stage id
}

TEST_F(TrackFolderTest, AMissingOrEmptyTrackFolderGivesAnEmptyList) {
    for (const char* host : {"C:\\Elsewhere", ""}) {
        g.gHostPath = host;
        g.gStage = 0;
        gFill::FillStages(w.cmbStage, gFill::kBtbTracks);
        EXPECT_EQ(w.cmbStage.ListCount(), 0) << host;
        EXPECT_EQ(g.gStage, -1) << host;
    }
    ASSERT_EQ(os.files.DeleteFolder(kTracks, true), platform::FsStatus::Ok);
    MakeFolders(os.files, kTracks);
    g.gHostPath = "C:\\Kovarra";
    g.gStage = 0;
    gFill::FillStages(w.cmbStage, gFill::kBtbTracks);
    EXPECT_EQ(w.cmbStage.ListCount(), 0);
    EXPECT_EQ(g.gStage, -1);
    EXPECT_TRUE(clicks.empty());
}

}  // namespace
}  // namespace vmtest

// The file-system rules the client relies on, checked against every adapter set.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/conformance/AdapterSets.h"

namespace vmtest {
namespace {

using platform::FsStatus;

class FileSystemConformance : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { set = MakeAdapterSet(GetParam()); }
    platform::FileSystemPort& fs() { return set->files(); }
    std::string P(const std::string& rel) const { return set->base() + "\\" + rel; }
    void Put(const std::string& rel, const std::string& bytes = "x") {
        ASSERT_EQ(fs().WriteFile(P(rel), bytes), FsStatus::Ok) << rel;
    }
    void Folder(const std::string& rel) { ASSERT_EQ(fs().CreateFolder(P(rel)), FsStatus::Ok) << rel; }
    std::string Read(const std::string& rel) { return fs().ReadFile(P(rel)).value_or("<missing>"); }
    void ReadOnly(const std::string& rel) {
        ASSERT_EQ(fs().SetAttributes(P(rel), platform::kAttrReadOnly), FsStatus::Ok);
    }
    std::unique_ptr<AdapterSet> set;
};

TEST_P(FileSystemConformance, NamesIgnoreCase) {
    Folder("Maps");
    Put("Maps\\Track.ini", "t");
    EXPECT_TRUE(fs().FileExists(P("MAPS\\track.INI")));
    EXPECT_TRUE(fs().FolderExists(P("maps")));
    EXPECT_FALSE(fs().FileExists(P("maps")));
    EXPECT_FALSE(fs().FolderExists(P("maps\\track.ini")));
    EXPECT_EQ(fs().ReadFile(P("mAPs\\TRACK.ini")).value_or(""), "t");
}

TEST_P(FileSystemConformance, CopyFileReplacesDestinationButNotReadOnlyOne) {
    Put("a.txt", "new");
    Put("b.txt", "old");
    EXPECT_EQ(fs().CopyFile(P("a.txt"), P("b.txt")), FsStatus::Ok);
    EXPECT_EQ(Read("b.txt"), "new");
    Put("c.txt", "kept");
    ReadOnly("c.txt");
    EXPECT_EQ(fs().CopyFile(P("a.txt"), P("c.txt")), FsStatus::PermissionDenied);
    EXPECT_EQ(Read("c.txt"), "kept");
    EXPECT_EQ(fs().CopyFile(P("none.txt"), P("d.txt")), FsStatus::FileNotFound);
    EXPECT_EQ(fs().CopyFile(P("a.txt"), P("nofolder\\d.txt")), FsStatus::PathNotFound);
}

TEST_P(FileSystemConformance, MoveFolderRefusesAnExistingDestination) {
    Folder("src");
    Put("src\\f.txt", "1");
    Folder("dst");
    EXPECT_EQ(fs().MoveFolder(P("src"), P("dst")), FsStatus::AlreadyExists);
    EXPECT_EQ(Read("src\\f.txt"), "1");
    EXPECT_EQ(fs().MoveFolder(P("src"), P("moved")), FsStatus::Ok);
    EXPECT_EQ(Read("moved\\f.txt"), "1");
    EXPECT_FALSE(fs().FolderExists(P("src")));
    EXPECT_EQ(fs().MoveFolder(P("src"), P("again")), FsStatus::PathNotFound);
}

TEST_P(FileSystemConformance, MoveFileRefusesAnExistingDestination) {
    Put("a.txt", "a");
    Put("b.txt", "b");
    EXPECT_EQ(fs().MoveFile(P("a.txt"), P("b.txt")), FsStatus::AlreadyExists);
    EXPECT_EQ(fs().MoveFile(P("a.txt"), P("c.txt")), FsStatus::Ok);
    EXPECT_EQ(Read("c.txt"), "a");
    EXPECT_FALSE(fs().FileExists(P("a.txt")));
}

TEST_P(FileSystemConformance, DeleteFileHonoursReadOnlyUnlessForced) {
    Put("r.txt");
    ReadOnly("r.txt");
    EXPECT_EQ(fs().DeleteFile(P("r.txt"), false), FsStatus::PermissionDenied);
    EXPECT_TRUE(fs().FileExists(P("r.txt")));
    EXPECT_EQ(fs().DeleteFile(P("r.txt"), true), FsStatus::Ok);
    EXPECT_FALSE(fs().FileExists(P("r.txt")));
    EXPECT_EQ(fs().DeleteFile(P("r.txt"), true), FsStatus::FileNotFound);
}

TEST_P(FileSystemConformance, DeleteFilePatternTakesOnlyMatchingFiles) {
    Folder("Maps");
    Folder("Maps\\sub");
    Put("Maps\\a.mat");
    Put("Maps\\B.MAT");
    Put("Maps\\c.ini");
    Put("Maps\\sub\\d.mat");
    EXPECT_EQ(fs().DeleteFile(P("Maps\\*.mat"), false), FsStatus::Ok);
    EXPECT_FALSE(fs().FileExists(P("Maps\\a.mat")));
    EXPECT_FALSE(fs().FileExists(P("Maps\\B.MAT")));
    EXPECT_TRUE(fs().FileExists(P("Maps\\c.ini")));
    EXPECT_TRUE(fs().FileExists(P("Maps\\sub\\d.mat")));  // not recursive
    EXPECT_EQ(fs().DeleteFile(P("Maps\\*.mat"), false), FsStatus::FileNotFound);
}

TEST_P(FileSystemConformance, DeleteFolderIsRecursiveAndHonoursReadOnly) {
    Folder("tree");
    Folder("tree\\inner");
    Put("tree\\inner\\ro.txt");
    ReadOnly("tree\\inner\\ro.txt");
    EXPECT_EQ(fs().DeleteFolder(P("tree"), false), FsStatus::PermissionDenied);
    EXPECT_TRUE(fs().FileExists(P("tree\\inner\\ro.txt")));
    EXPECT_EQ(fs().DeleteFolder(P("tree"), true), FsStatus::Ok);
    EXPECT_FALSE(fs().FolderExists(P("tree")));
    EXPECT_EQ(fs().DeleteFolder(P("tree"), true), FsStatus::PathNotFound);
}

TEST_P(FileSystemConformance, CreateFolderNeedsParentAndNoExistingEntry) {
    EXPECT_EQ(fs().CreateFolder(P("a\\b")), FsStatus::PathNotFound);
    EXPECT_EQ(fs().CreateFolder(P("a")), FsStatus::Ok);
    EXPECT_EQ(fs().CreateFolder(P("A")), FsStatus::AlreadyExists);
}

TEST_P(FileSystemConformance, ListShowsFilesFoldersAndHiddenEntries) {
    Folder("dir");
    Put("dir\\one.txt");
    Put("dir\\hidden.txt");
    ASSERT_EQ(fs().SetAttributes(P("dir\\hidden.txt"), platform::kAttrHidden), FsStatus::Ok);
    Folder("dir\\sub");
    auto entries = fs().List(P("dir"));
    ASSERT_TRUE(entries.has_value());
    std::sort(entries->begin(), entries->end(), [](auto& a, auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].name, "hidden.txt");
    EXPECT_TRUE((*entries)[0].attributes & platform::kAttrHidden);
    EXPECT_EQ((*entries)[1].name, "one.txt");
    EXPECT_EQ((*entries)[1].path, P("dir\\one.txt"));
    EXPECT_FALSE((*entries)[1].isFolder);
    EXPECT_EQ((*entries)[2].name, "sub");
    EXPECT_TRUE((*entries)[2].isFolder);
    EXPECT_FALSE(fs().List(P("nothing")).has_value());
}

TEST_P(FileSystemConformance, AttributesRoundTripAndClear) {
    Put("f.txt");
    ASSERT_EQ(fs().SetAttributes(P("f.txt"), platform::kAttrReadOnly | platform::kAttrHidden), FsStatus::Ok);
    EXPECT_EQ(fs().GetAttributes(P("f.txt")).value_or(0) & 0x3u, 0x3u);
    ASSERT_EQ(fs().SetAttributes(P("f.txt"), platform::kAttrNormal), FsStatus::Ok);
    EXPECT_EQ(fs().GetAttributes(P("f.txt")).value_or(99) & 0x3u, 0u);
    EXPECT_FALSE(fs().GetAttributes(P("none.txt")).has_value());
    EXPECT_TRUE(fs().GetAttributes(set->base()).value_or(0) & platform::kAttrDirectory);
}

TEST_P(FileSystemConformance, WriteFileRefusesReadOnlyFile) {
    Put("ro.txt", "keep");
    ReadOnly("ro.txt");
    EXPECT_EQ(fs().WriteFile(P("ro.txt"), "lost"), FsStatus::PermissionDenied);
    EXPECT_EQ(Read("ro.txt"), "keep");
}

// A batch is written as WriteFile writes each: each file's own status, and a file named twice
// holds the later bytes. A batch is read as ReadFile reads each, in order.
TEST_P(FileSystemConformance, BatchesWriteAndReadEachFileAsTheSingleOperationsDo) {
    Folder("b");
    Put("b\\ro.txt", "keep");
    ReadOnly("b\\ro.txt");
    std::vector<platform::FileToWrite> batch;
    for (int i = 0; i < 40; ++i) batch.push_back({P("b\\f" + std::to_string(i) + ".txt"), std::string(i * 100, 'a' + i % 26)});
    batch.push_back({P("b\\ro.txt"), "lost"});
    batch.push_back({P("none\\x.txt"), "x"});
    auto statuses = fs().WriteFiles(batch);
    ASSERT_EQ(statuses.size(), batch.size());
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(statuses[static_cast<std::size_t>(i)], FsStatus::Ok) << i;
        EXPECT_EQ(Read("b\\f" + std::to_string(i) + ".txt"), batch[static_cast<std::size_t>(i)].bytes) << i;
    }
    EXPECT_EQ(statuses[40], FsStatus::PermissionDenied);
    EXPECT_EQ(Read("b\\ro.txt"), "keep");
    EXPECT_NE(statuses[41], FsStatus::Ok);

    std::vector<std::string> paths;
    std::vector<std::optional<std::string>> expected;
    for (int i = 39; i >= 0; --i) {
        paths.push_back(batch[static_cast<std::size_t>(i)].path);
        expected.push_back(batch[static_cast<std::size_t>(i)].bytes);
    }
    paths.insert(paths.begin() + 3, P("b\\none.txt"));
    expected.insert(expected.begin() + 3, std::nullopt);
    EXPECT_EQ(fs().ReadFiles(paths), expected);

    // A file named twice, in any form that Windows may take for one name, ends as it does when the
    // files are written one by one (into folder s): the later bytes win.
    Folder("s");
    auto in = [](char folder, std::string rel) {
        std::replace(rel.begin(), rel.end(), '%', folder);
        return rel;
    };
    for (const std::string later : {"%\\TWICE.TXT", "%\\twice.txt.", "%\\twice.txt ", "%\\Twice.txt. .", "%.\\twice.txt",
                                    "% \\twice.txt"}) {
        for (int round = 0; round < 5; ++round) {
            std::vector<platform::FileToWrite> twice;
            for (int i = 0; i < 8; ++i) twice.push_back({"%\\other" + std::to_string(i) + ".txt", "o"});
            twice.push_back({"%\\twice.txt", std::string(100000, '1')});
            twice.push_back({later, "2"});
            std::vector<FsStatus> oneByOne;
            for (auto& f : twice) {
                oneByOne.push_back(fs().WriteFile(P(in('s', f.path)), f.bytes));
                f.path = P(in('b', f.path));
            }
            ASSERT_EQ(fs().WriteFiles(twice), oneByOne) << later;
            for (const std::string& rel : {std::string("%\\twice.txt"), later})
                EXPECT_EQ(Read(in('b', rel)), Read(in('s', rel))) << later << " round " << round << ": " << rel;
        }
    }
}

TEST_P(FileSystemConformance, AppendStreamCreatesThenAppends) {
    {
        auto out = fs().OpenAppend(P("log.txt"));
        ASSERT_TRUE(out);
        EXPECT_TRUE(out->Write("one\r\n"));
        EXPECT_EQ(Read("log.txt"), "one\r\n");  // on disk before the stream closes
    }
    auto again = fs().OpenAppend(P("log.txt"));
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->Write("two\r\n"));
    again.reset();
    EXPECT_EQ(Read("log.txt"), "one\r\ntwo\r\n");
    EXPECT_FALSE(fs().OpenAppend(P("no folder\\log.txt")));
}

TEST_P(FileSystemConformance, LastWriteTimeOfMissingFileIsNothing) {
    Put("f.txt");
    auto t = fs().LastWriteTime(P("f.txt"));
    ASSERT_TRUE(t.has_value());
    EXPECT_GE(t->year, 2020);
    EXPECT_FALSE(fs().LastWriteTime(P("none.txt")).has_value());
}

INSTANTIATE_TEST_SUITE_P(Adapters, FileSystemConformance, ::testing::ValuesIn(AdapterSetNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace vmtest

// The zip layer on every adapter set's file system: under Wine that is the Win32 one on real files.
#include <gtest/gtest.h>

#include "platform/Ports.h"
#include "services/ZipLib.h"
#include "tests/conformance/AdapterSets.h"

namespace vmtest {
namespace {

using platform::FsStatus;

class ZipConformance : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        set = MakeAdapterSet(GetParam());
        saved = platform::ports().fileSystem;
        platform::ports().fileSystem = &set->files();
    }
    void TearDown() override { platform::ports().fileSystem = saved; }
    std::string P(const std::string& rel) const { return set->base() + "\\" + rel; }
    void Folder(const std::string& rel) { ASSERT_EQ(set->files().CreateFolder(P(rel)), FsStatus::Ok) << rel; }
    void Put(const std::string& rel, const std::string& bytes) {
        ASSERT_EQ(set->files().WriteFile(P(rel), bytes), FsStatus::Ok) << rel;
    }
    std::string Read(const std::string& rel) { return set->files().ReadFile(P(rel)).value_or("<missing>"); }

    std::unique_ptr<AdapterSet> set;
    platform::FileSystemPort* saved = nullptr;
};

TEST_P(ZipConformance, TreeRoundTripsAndArchivesAreAddedTo) {
    std::string text;
    for (int i = 0; i < 400; ++i) text += "row " + std::to_string(i) + "\r\n";
    Folder("Physics");
    Folder("Physics\\slot1");
    Folder("Physics\\empty");
    Put("Physics\\slot1\\car.ini", text);
    Put("Physics\\top.txt", "");
    ASSERT_TRUE(ZipLib::Zip(P("physics.qvz"), P("Physics\\*.txt"), 2));
    ASSERT_TRUE(ZipLib::Zip(P("physics.qvz"), P("Physics\\*.*"), 2));
    auto entries = ZipLib::TestArchive(P("physics.qvz"));
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 4u);  // top.txt once, slot1/, slot1/car.ini, empty/

    Folder("Back");
    Put("Back\\top.txt", "old");
    ASSERT_TRUE(ZipLib::Unzip(P("physics.qvz"), P("Back")));
    EXPECT_EQ(Read("Back\\slot1\\car.ini"), text);
    EXPECT_EQ(Read("Back\\top.txt"), "");
    EXPECT_TRUE(set->files().FolderExists(P("Back\\empty")));
    EXPECT_FALSE(set->files().FileExists(P("physics.qvz.vmzip-new")));
}

INSTANTIATE_TEST_SUITE_P(Adapters, ZipConformance, ::testing::ValuesIn(AdapterSetNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace vmtest

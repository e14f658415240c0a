// The zip layer: round trips, appending, masks, refused and damaged archives, and archives
// exchanged with Info-ZIP's zip and unzip (natively).
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>

#include "platform/Md5.h"
#include "services/ZipLib.h"
#include "tests/support/RawZip.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

std::string Noise(std::size_t n) {
    std::mt19937 gen(42);
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(gen());
    return s;
}

std::uint32_t CrcOf(const std::string& bytes) {
    const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
    return static_cast<std::uint32_t>(crc32(0, data, static_cast<uInt>(bytes.size())));
}

std::string Lines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "line " + std::to_string(i) + "\r\n";
    return s;
}

class ZipLibTest : public VmTest {
protected:
    // A small tree: nested folders, an empty folder, text that deflates, noise that does not,
    // an empty file and an ANSI name.
    void MakeTree(const std::string& root) {
        Put(root + "\\Physics\\slot1\\car.ini", Lines(300));
        Put(root + "\\Physics\\slot1\\noise.bin", Noise(5000));
        Put(root + "\\Physics\\common.txt", "");
        Put(root + "\\caf\xE9.txt", "\xE9t\xE9");
        MakeFolders(os.files, root + "\\Physics\\empty");
    }
    std::map<std::string, std::string> Tree(const std::string& root) { return TreeOf(os.files, root); }
    const ZipLib::Entry* Find(const std::vector<ZipLib::Entry>& entries, const std::string& name) {
        for (const auto& e : entries)
            if (e.name == name) return &e;
        return nullptr;
    }
    std::string Host(const std::string& winPath) { return os.files.HostPath(winPath).string(); }
};

TEST_F(ZipLibTest, RoundTripKeepsTheTreeWithStoredAndDeflatedEntries) {
    MakeTree("C:\\src");
    EXPECT_FALSE(ZipLib::Zip("C:\\out\\tree.zip", "C:\\src\\*.*", 2)) << "no folder for the archive";
    MakeFolders(os.files, "C:\\out");
    ASSERT_TRUE(ZipLib::Zip("C:\\out\\tree.zip", "C:\\src\\*.*", 2));
    auto entries = ZipLib::TestArchive("C:\\out\\tree.zip");
    ASSERT_TRUE(entries);
    ASSERT_TRUE(Find(*entries, "Physics/slot1/car.ini"));
    EXPECT_EQ(Find(*entries, "Physics/slot1/car.ini")->method, 8);
    ASSERT_TRUE(Find(*entries, "Physics/slot1/noise.bin"));
    EXPECT_EQ(Find(*entries, "Physics/slot1/noise.bin")->method, 0) << "noise is stored";
    EXPECT_TRUE(Find(*entries, "Physics/empty/"));
    EXPECT_TRUE(Find(*entries, "caf\xE9.txt")) << "names stay ANSI";

    Put("C:\\dst\\Physics\\common.txt", "replaced by the archive's");
    ASSERT_TRUE(ZipLib::Unzip("C:\\out\\tree.zip", "C:\\dst"));
    EXPECT_EQ(Tree("C:\\dst"), Tree("C:\\src"));
}

TEST_F(ZipLibTest, PackingAppendsToAnArchiveAndTakesMatchingFilesBelowTheFolder) {
    Put("C:\\Kovarra\\Maps\\a.mat", "a");
    Put("C:\\Kovarra\\Maps\\Tracks.ini", "t");
    Put("C:\\Kovarra\\Maps\\track-10_O\\b.MAT", "b");
    Put("C:\\Kovarra\\Maps\\track-10_O\\tex.dds", "x");
    const char* backup = "C:\\Kovarra\\Maps\\MatBkp_by_vlmk.zip";
    ASSERT_TRUE(ZipLib::Zip(backup, "C:\\Kovarra\\Maps\\*.mat", 2));
    ASSERT_TRUE(ZipLib::Zip(backup, "C:\\Kovarra\\Maps\\*.ini", 2));
    ASSERT_TRUE(ZipLib::Zip(backup, "C:\\Kovarra\\Maps\\*.zip", 2)) << "the archive never packs itself";
    auto entries = ZipLib::TestArchive(backup);
    ASSERT_TRUE(entries);
    std::vector<std::string> names;
    for (const auto& e : *entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a.mat", "track-10_O/b.MAT", "Tracks.ini"}));

    Put("C:\\Kovarra\\Maps\\a.mat", "changed");  // packing again replaces the entry
    ASSERT_TRUE(ZipLib::Zip(backup, "C:\\Kovarra\\Maps\\a.MAT", 2));
    EXPECT_EQ(ZipLib::TestArchive(backup)->size(), 3u);
    ASSERT_TRUE(ZipLib::Unzip(backup, "C:\\back"));
    EXPECT_EQ(Tree("C:\\back"), (std::map<std::string, std::string>{
                                    {"a.mat", "changed"}, {"track-10_O/", ""}, {"track-10_O/b.MAT", "b"}, {"Tracks.ini", "t"}}));
    EXPECT_FALSE(os.files.FileExists(std::string(backup) + ".vmzip-new"));
    EXPECT_FALSE(os.files.FileExists(std::string(backup) + ".vmzip-old"));
}

TEST_F(ZipLibTest, PackingFailsWithoutTouchingTheArchive) {
    Put("C:\\out\\damaged.zip", "not an archive");
    Put("C:\\src\\a.txt", "a");
    EXPECT_FALSE(ZipLib::Zip("C:\\out\\damaged.zip", "C:\\src\\*.*", 2)) << "cannot be added to";
    EXPECT_EQ(Get("C:\\out\\damaged.zip"), "not an archive");
    ASSERT_TRUE(ZipLib::Zip("C:\\out\\good.zip", "C:\\src\\*.*", 2));
    std::string before = Get("C:\\out\\good.zip");
    EXPECT_FALSE(ZipLib::Zip("C:\\out\\good.zip", "C:\\none\\*.*", 2)) << "no such folder";
    EXPECT_EQ(Get("C:\\out\\good.zip"), before);
}

TEST_F(ZipLibTest, NamesThatLeaveTheTargetRefuseTheWholeArchive) {
    const char* names[] = {"../evil.txt", "ok/../../evil.txt", "..\\evil.txt", "/evil.txt", "\\evil.txt",
                           "C:/evil.txt", "C:evil.txt", ".. /evil.txt", "ok/.../evil.txt",
                           // devices, which Windows finds in every folder
                           "NUL", "ok/con.txt", "aux /x.txt", "Com1", "lpt9.log", "COM\xB9", "CONOUT$"};
    for (const char* bad : names) {
        SCOPED_TRACE(bad);
        Put("C:\\in\\bad.zip", RawZip::Build({{"first.txt", "1"}, {bad, "evil"}}));
        EXPECT_FALSE(ZipLib::Unzip("C:\\in\\bad.zip", "C:\\out\\target"));
        EXPECT_FALSE(os.files.FolderExists("C:\\out\\target")) << "nothing is written";
        EXPECT_FALSE(os.files.FileExists("C:\\out\\evil.txt"));
        EXPECT_FALSE(os.files.FileExists("C:\\evil.txt"));
    }
}

TEST_F(ZipLibTest, NamesThatOnlyResembleDevicesUnpack) {
    Put("C:\\in\\near.zip", RawZip::Build({{"null.txt", "1"}, {"com10.txt", "2"}, {"console/lpt.txt", "3"},
                                            {"auxiliary", "4"}, {"COM0", "5"}}));
    ASSERT_TRUE(ZipLib::Unzip("C:\\in\\near.zip", "C:\\out"));
    EXPECT_EQ(Tree("C:\\out"), (std::map<std::string, std::string>{{"COM0", "5"},
                                                                    {"auxiliary", "4"},
                                                                    {"com10.txt", "2"},
                                                                    {"console/", ""},
                                                                    {"console/lpt.txt", "3"},
                                                                    {"null.txt", "1"}}));
}

TEST_F(ZipLibTest, DamagedEntryFailsTheUnpackAndIsNotWritten) {
    Put("C:\\in\\crc.zip", RawZip::Build({{"good.txt", "fine"}, {"bad.txt", "spoilt", 0, 0, 0x1}}));
    EXPECT_FALSE(ZipLib::TestArchive("C:\\in\\crc.zip"));
    EXPECT_FALSE(ZipLib::Unzip("C:\\in\\crc.zip", "C:\\out"));
    EXPECT_EQ(Get("C:\\out\\good.txt"), "fine");
    EXPECT_FALSE(os.files.FileExists("C:\\out\\bad.txt"));

    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case unsupported[] = {
        {"encrypted", RawZip::Build({{"a.txt", "a", 0x0001}})},
        {"method 12", RawZip::Build({{"a.txt", "a", 0, 12}})},
        {"cut short", RawZip::Build({{"a.txt", "abc"}}).substr(0, 40)},
        {"empty file", ""},
        {"folder entry with a wrong CRC", RawZip::Build({{"a/", "", 0, 0, 0x800}})},
    };
    for (const auto& c : unsupported) {
        Put("C:\\in\\x.zip", c.bytes);
        EXPECT_FALSE(ZipLib::TestArchive("C:\\in\\x.zip")) << c.what;
        EXPECT_FALSE(ZipLib::Unzip("C:\\in\\x.zip", "C:\\out2")) << c.what;
        EXPECT_FALSE(os.files.FileExists("C:\\out2\\a.txt")) << c.what;
    }
}

TEST_F(ZipLibTest, ANameGivenTwiceUnpacksAsItsLaterEntry) {
    Put("C:\\in\\dup.zip", RawZip::Build({{"d.txt", "first"}, {"x.txt", "x"}, {"D.TXT", "second"}}));
    ASSERT_TRUE(ZipLib::Unzip("C:\\in\\dup.zip", "C:\\out"));
    EXPECT_EQ(Get("C:\\out\\d.txt"), "second");
}

// Packing with reuse: the entries of the archive the folder was unpacked from. The source is
// stored and its texts deflate well, so an entry taken over stays stored (method 0) and one
// compressed again is deflated (method 8).
TEST_F(ZipLibTest, PackingTakesOverOnlyEntriesWhoseFileIsStillTheirContent) {
    const std::string text = Lines(200);
    std::string other = text;  // the same size, other bytes
    other[0] = 'L';
    // The entry "lies.txt" claims the CRC of other while its bytes are text.
    Put("C:\\in\\src.zip", RawZip::Build({{"same.txt", text},
                                            {"sub/same.txt", text},
                                            {"resized.txt", text},
                                            {"rewritten.txt", text},
                                            {"lies.txt", text, 0, 0, CrcOf(text) ^ CrcOf(other)}}));
    // Whether the source was unpacked (and so checked) or only read, the same entries are taken over.
    const std::map<std::string, std::uint16_t> methodsExpected = {
        {"same.txt", 0}, {"sub/same.txt", 0}, {"resized.txt", 8}, {"rewritten.txt", 8}, {"lies.txt", 8}, {"new.txt", 8}};
    for (bool unpacked : {true, false}) {
        SCOPED_TRACE(unpacked ? "unpacked" : "only read");
        (void)os.files.DeleteFolder("C:\\work", true);
        (void)os.files.DeleteFile("C:\\out\\new.zip", true);
        ZipLib::Archive source;
        ASSERT_TRUE(source.Open("C:\\in\\src.zip"));
        if (unpacked) {
            EXPECT_FALSE(ZipLib::Unzip(source, "C:\\work")) << "lies.txt fails its CRC";
        } else {
            for (const char* name : {"same.txt", "sub\\same.txt", "resized.txt", "rewritten.txt"})
                Put(std::string("C:\\work\\") + name, text);
        }
        Put("C:\\work\\resized.txt", text + "more");
        Put("C:\\work\\rewritten.txt", other);  // the same size, other bytes
        Put("C:\\work\\lies.txt", other);       // the CRC the entry claims
        Put("C:\\work\\new.txt", text);
        MakeFolders(os.files, "C:\\out");
        ASSERT_TRUE(ZipLib::Zip("C:\\out\\new.zip", "C:\\work\\*.*", 2, {.reuse = &source}));

        auto entries = ZipLib::TestArchive("C:\\out\\new.zip");
        ASSERT_TRUE(entries) << "every entry inflates to its CRC";
        std::map<std::string, std::uint16_t> methods;
        for (const auto& e : *entries)
            if (!e.IsFolder()) methods[e.name] = e.method;
        EXPECT_EQ(methods, methodsExpected);
        ASSERT_TRUE(ZipLib::Unzip("C:\\out\\new.zip", "C:\\back"));
        EXPECT_EQ(Tree("C:\\back"), Tree("C:\\work"));
        (void)os.files.DeleteFolder("C:\\back", true);
    }
}

// Testing against an archive an unpack checked: only an entry byte for byte as one it checked is
// spared its inflate.
TEST_F(ZipLibTest, TestingSparesOnlyEntriesByteForByteAsCheckedOnes) {
    const std::string text = Lines(50);
    std::string other = text;
    other[0] = 'L';
    const RawZip::Item good{"a.txt", text}, lies{"bad.txt", other, 0, 0, CrcOf(text) ^ CrcOf(other)};
    Put("C:\\in\\src.zip", RawZip::Build({good, lies}));
    ZipLib::Archive checked;
    ASSERT_TRUE(checked.Open("C:\\in\\src.zip"));
    EXPECT_FALSE(ZipLib::Unzip(checked, "C:\\out")) << "bad.txt fails its CRC";
    struct Case {
        const char* what;
        std::vector<RawZip::Item> items;
        bool passes;
    };
    const Case cases[] = {
        /* 0 */ {"the checked entry", {good}, true},
        /* 1 */ {"other bytes under its name, size and CRC", {{"a.txt", other, 0, 0, CrcOf(text) ^ CrcOf(other)}}, false},
        /* 2 */ {"the entry that failed its check", {lies}, false},
    };
    for (const Case& c : cases) {
        Put("C:\\in\\t.zip", RawZip::Build(c.items));
        EXPECT_EQ(ZipLib::TestArchive("C:\\in\\t.zip", {.checked = &checked}).has_value(), c.passes) << c.what;
    }
}

TEST_F(ZipLibTest, DataDescriptorsAndFolderEntriesUnpack) {
    Put("C:\\in\\dd.zip", RawZip::Build({{"dir/", ""}, {"dir/sub/f.txt", "described", 0x0008}, {"./", ""}}));
    ASSERT_TRUE(ZipLib::Unzip("C:\\in\\dd.zip", "C:\\out"));
    EXPECT_EQ(Tree("C:\\out"), (std::map<std::string, std::string>{
                                   {"dir/", ""}, {"dir/sub/", ""}, {"dir/sub/f.txt", "described"}}));
}

TEST_F(ZipLibTest, ADriveRootPacksAndUnpacks) {
    Put("C:\\top.txt", "top");
    Put("C:\\Physics\\car.txt", "car");
    MakeFolders(os.files, "C:\\out");
    ASSERT_TRUE(ZipLib::Zip("C:\\out\\root.zip", "C:\\*.txt", 2));
    auto entries = ZipLib::TestArchive("C:\\out\\root.zip");
    ASSERT_TRUE(entries);
    EXPECT_TRUE(Find(*entries, "top.txt"));
    EXPECT_TRUE(Find(*entries, "Physics/car.txt"));

    ASSERT_EQ(os.files.DeleteFile("C:\\top.txt", true), platform::FsStatus::Ok);
    ASSERT_EQ(os.files.DeleteFolder("C:\\Physics", true), platform::FsStatus::Ok);
    ASSERT_TRUE(ZipLib::Unzip("C:\\out\\root.zip", "C:\\"));
    EXPECT_EQ(Get("C:\\top.txt"), "top");
    EXPECT_EQ(Get("C:\\Physics\\car.txt"), "car");
}

#ifndef _WIN32
// Info-ZIP's tools on the host side of the in-process file system.
class ZipToolTest : public ZipLibTest {
protected:
    int Run(const std::string& command) { return std::system(command.c_str()); }
};

TEST_F(ZipToolTest, ArchiveOfInfoZipUnpacks) {
    Put("C:\\src\\Physics\\slot1\\car.ini", Lines(300));
    Put("C:\\src\\Physics\\slot1\\noise.bin", Noise(5000));
    Put("C:\\src\\Physics\\common.txt", "");
    MakeFolders(os.files, "C:\\src\\Physics\\empty");
    MakeFolders(os.files, "C:\\tool");
    std::string src = Host("C:\\src"), tool = Host("C:\\tool");
    // A plain archive, and one written to a pipe, where zip puts the sizes in data descriptors.
    ASSERT_EQ(Run("cd '" + src + "' && zip -q -r -2 -n .bin '" + tool + "/plain.zip' ."), 0);
    ASSERT_EQ(Run("cd '" + src + "' && zip -q -r -2 -fz- - . | cat > '" + tool + "/piped.zip'"), 0);
    for (const char* name : {"plain", "piped"}) {
        SCOPED_TRACE(name);
        std::string archive = std::string("C:\\tool\\") + name + ".zip";
        auto entries = ZipLib::TestArchive(archive);
        ASSERT_TRUE(entries);
        ASSERT_TRUE(Find(*entries, "Physics/slot1/noise.bin"));
        ASSERT_TRUE(ZipLib::Unzip(archive, std::string("C:\\dst\\") + name));
        EXPECT_EQ(Tree(std::string("C:\\dst\\") + name), Tree("C:\\src"));
    }
    EXPECT_EQ(Find(*ZipLib::TestArchive("C:\\tool\\plain.zip"), "Physics/slot1/noise.bin")->method, 0)
        << "zip -n stores it";
}

TEST_F(ZipToolTest, InfoZipReadsWhatThisLayerWrites) {
    Put("C:\\src\\Physics\\slot1\\car.ini", Lines(300));
    Put("C:\\src\\Physics\\slot1\\noise.bin", Noise(5000));
    Put("C:\\src\\Physics\\common.txt", "");
    MakeFolders(os.files, "C:\\src\\Physics\\empty");
    Put("C:\\src\\Tracks.ini", "t");
    MakeFolders(os.files, "C:\\out");
    ASSERT_TRUE(ZipLib::Zip("C:\\out\\ours.zip", "C:\\src\\*.txt", 2));
    ASSERT_TRUE(ZipLib::Zip("C:\\out\\ours.zip", "C:\\src\\*.*", 6)) << "appended: replaces common.txt";
    std::string ours = Host("C:\\out\\ours.zip");
    EXPECT_EQ(Run("unzip -tq '" + ours + "' > /dev/null"), 0) << "every CRC checks";
    MakeFolders(os.files, "C:\\dst");
    ASSERT_EQ(Run("unzip -q -o '" + ours + "' -d '" + Host("C:\\dst") + "'"), 0);
    EXPECT_EQ(Tree("C:\\dst"), Tree("C:\\src"));
}
#endif

}  // namespace
}  // namespace vmtest

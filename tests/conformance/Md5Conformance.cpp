// File digests against the RFC 1321 test suite, on the files of every adapter set: natively the
// digest is libcrypto's, under Wine CryptoAPI's (over the in-process and the Win32 file systems).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#endif

#include "tests/conformance/AdapterSets.h"

namespace vmtest {
namespace {

struct Vector {
    std::string bytes;
    const char* md5;
};

const Vector kVectors[] = {
    /* 0 */ {"", "d41d8cd98f00b204e9800998ecf8427e"},
    /* 1 */ {"a", "0cc175b9c0f1b6a831c399e269772661"},
    /* 2 */ {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    /* 3 */ {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    /* 4 */ {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    /* 5 */ {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    /* 6 */ {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
             "57edf4a22be3c955ac49da2e2107b67a"},
    /* 7: larger than one read of the Win32 file system */ {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
};

class Md5Conformance : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { set = MakeAdapterSet(GetParam()); }
    std::unique_ptr<AdapterSet> set;
};

TEST_P(Md5Conformance, FileDigestsMatchTheKnownVectors) {
    for (std::size_t i = 0; i < std::size(kVectors); ++i) {
        std::string path = set->base() + "\\v" + std::to_string(i) + ".bin";
        ASSERT_EQ(set->files().WriteFile(path, kVectors[i].bytes), platform::FsStatus::Ok);
        EXPECT_EQ(set->md5().FileMd5(path).value_or("<none>"), kVectors[i].md5) << "vector " << i;
        EXPECT_EQ(platform::Md5Hex(kVectors[i].bytes), kVectors[i].md5) << "vector " << i;
    }
}

// Several files at once, each as FileMd5 gives it: a name given again (in any case) and a missing
// file keep their places.
TEST_P(Md5Conformance, SeveralFilesGiveEachItsOwnDigestInOrder) {
    std::vector<std::string> paths;
    std::vector<std::optional<std::string>> expected;
    for (std::size_t i = 0; i < std::size(kVectors); ++i) {
        std::string path = set->base() + "\\v" + std::to_string(i) + ".bin";
        ASSERT_EQ(set->files().WriteFile(path, kVectors[i].bytes), platform::FsStatus::Ok);
        paths.push_back(path);
        expected.push_back(kVectors[i].md5);
    }
    paths.insert(paths.begin() + 1, set->base() + "\\none.bin");
    expected.insert(expected.begin() + 1, std::nullopt);
    paths.push_back(set->base() + "\\V2.BIN");
    expected.push_back(kVectors[2].md5);
    EXPECT_EQ(set->md5().FileMd5s(paths), expected);
}

TEST_P(Md5Conformance, MissingFileOrFolderHasNoDigest) {
    EXPECT_FALSE(set->md5().FileMd5(set->base() + "\\none.bin").has_value());
    EXPECT_FALSE(set->md5().FileMd5(set->base()).has_value());
}

// The running host keeps its files open; their digest and date must still be readable.
TEST_P(Md5Conformance, DigestAndDateOfAFileThatIsHeldOpen) {
#ifdef _WIN32
    if (GetParam() != "Win32") GTEST_SKIP() << "sharing is a Win32 matter";
    std::string path = set->base() + "\\held.bin";
    ASSERT_EQ(set->files().WriteFile(path, "abc"), platform::FsStatus::Ok);
    int held = _sopen(path.c_str(), _O_RDWR | _O_BINARY, _SH_DENYNO);
    ASSERT_GE(held, 0);
    EXPECT_EQ(set->md5().FileMd5(path).value_or("<none>"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_TRUE(set->files().LastWriteTime(path).has_value());
    _close(held);
#else
    GTEST_SKIP() << "sharing is a Win32 matter";
#endif
}

INSTANTIATE_TEST_SUITE_P(Adapters, Md5Conformance, ::testing::ValuesIn(AdapterSetNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace vmtest

// The profile (INI) rules, checked against every adapter set.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/conformance/AdapterSets.h"

namespace vmtest {
namespace {

class ProfileConformance : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { set = MakeAdapterSet(GetParam()); }
    std::string File() const { return set->base() + "\\test.ini"; }
    void Seed(const std::optional<std::string>& content) {
        if (content) {
            ASSERT_EQ(set->files().WriteFile(File(), *content), platform::FsStatus::Ok);
        }
    }
    std::unique_ptr<AdapterSet> set;
};

struct ReadCase {
    int line;
    std::optional<std::string> file;
    const char* section;
    const char* key;
    const char* def;
    unsigned size;
    std::string expected;
};

const std::string kSample =
    "; note before the sections\r\n"
    "[section1]\r\n"
    "key1=val1\r\n"
    "  Spaced  =   padded value   \r\n"
    "quoted=\"in quotes\"\r\n"
    "single='one'\r\n"
    "half=\"open\r\n"
    "empty=\r\n"
    "[ section2 ]\r\n"
    "key1=other\r\n"
    "long=" + std::string(300, 'x') + "\r\n";

const ReadCase kReads[] = {
    {__LINE__, kSample, "section1", "key1", "", 256, "val1"},
    {__LINE__, kSample, "SECTION1", "KEY1", "", 256, "val1"},          // names ignore case
    {__LINE__, kSample, "section1", "spaced", "", 256, "padded value"},  // trimmed both sides
    {__LINE__, kSample, "section1", "quoted", "", 256, "in quotes"},    // one pair of quotes stripped
    {__LINE__, kSample, "section1", "single", "", 256, "one"},
    {__LINE__, kSample, "section1", "half", "", 256, "\"open"},         // unmatched quote stays
    {__LINE__, kSample, "section1", "empty", "dflt", 256, ""},          // empty value is not missing
    {__LINE__, kSample, "section2", "key1", "", 256, "other"},          // "[ section2 ]" trimmed
    {__LINE__, kSample, "section1", "key1", "", 1, ""},                 // size 1: nothing fits
    {__LINE__, kSample, "section1", "key1", "", 4, "val"},              // size n: n-1 characters
    {__LINE__, kSample, "section2", "long", "", 255, std::string(254, 'x')},
    {__LINE__, kSample, "section1", "missing", "fallback  ", 256, "fallback"},  // default trimmed
    {__LINE__, kSample, "nosection", "key1", "dflt", 256, "dflt"},
    {__LINE__, std::nullopt, "section1", "key1", "dflt", 256, "dflt"},  // missing file
};

TEST_P(ProfileConformance, ReadsFollowTheProfileRules) {
    for (const auto& c : kReads) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        (void)set->files().DeleteFile(File(), true);
        Seed(c.file);
        std::string buf(300, 'k');  // sentinel: only the answer and its NUL may change
        auto n = set->profile().GetString(c.section, c.key, c.def, buf.data(), c.size, File());
        EXPECT_EQ(n, c.expected.size());
        EXPECT_EQ(buf.substr(0, n), c.expected);
        EXPECT_EQ(buf[n], '\0');
        EXPECT_EQ(buf[c.size], 'k');
    }
}

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

struct WriteCase {
    int line;
    std::optional<std::string> file;
    std::vector<Write> writes;
    std::string expected;
};

const WriteCase kWrites[] = {
    {__LINE__, std::nullopt, {{"s1", "k", "v"}}, "[s1]\r\nk=v\r\n"},  // created, CRLF
    {__LINE__, std::nullopt, {{"s1", "k", ""}}, "[s1]\r\nk=\r\n"},    // empty value
    {__LINE__, "[s1]\r\nk=old\r\nz=1\r\n", {{"S1", "K", "new"}}, "[s1]\r\nk=new\r\nz=1\r\n"},
    {__LINE__, "[s1]\r\nk=v\r\n[s2]\r\nq=1\r\n", {{"s1", "n", "2"}}, "[s1]\r\nk=v\r\nn=2\r\n[s2]\r\nq=1\r\n"},
    {__LINE__, "[s1]\r\nk=v\r\nz=1\r\n", {{"s1", "k", nullptr}}, "[s1]\r\nz=1\r\n"},  // null value deletes
    {__LINE__, "[s1]\r\nk=v\r\n[s2]\r\nq=1\r\n", {{"s1", nullptr, nullptr}}, "[s2]\r\nq=1\r\n"},
    {__LINE__, "lead bytes\r\n[s1]\r\nk=v\r\n", {{"s1", "k", "w"}}, "lead bytes\r\n[s1]\r\nk=w\r\n"},
    {__LINE__, "[s1]\r\nk=v\r\n", {{"s2", "a", "b"}}, "[s1]\r\nk=v\r\n[s2]\r\na=b\r\n"},
};

TEST_P(ProfileConformance, WritesFollowTheProfileRules) {
    for (const auto& c : kWrites) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        (void)set->files().DeleteFile(File(), true);
        Seed(c.file);
        for (const auto& w : c.writes) EXPECT_TRUE(set->profile().WriteString(w.section, w.key, w.value, File()));
        EXPECT_EQ(set->files().ReadFile(File()).value_or("<missing>"), c.expected);
    }
}

TEST_P(ProfileConformance, WrittenValuesReadBack) {
    ASSERT_TRUE(set->profile().WriteString("GAME", "STEP_CAM", "0.25", File()));
    char buf[16];
    EXPECT_EQ(set->profile().GetString("game", "step_cam", "", buf, sizeof buf, File()), 4u);
    EXPECT_STREQ(buf, "0.25");
}

TEST_P(ProfileConformance, WriteIntoMissingFolderFails) {
    EXPECT_FALSE(set->profile().WriteString("s", "k", "v", set->base() + "\\no such folder\\x.ini"));
}

INSTANTIATE_TEST_SUITE_P(Adapters, ProfileConformance, ::testing::ValuesIn(AdapterSetNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace vmtest

#include <gtest/gtest.h>

#include "services/Crypt.h"

namespace vmtest {
namespace {

struct Case {
    int line;
    std::string text, key, expected;
};

const Case kCases[] = {
    {__LINE__, "", "Ari", ""},
    {__LINE__, "AB", "xyz", "B9BB"},          // shorter than the key: the rest of the key unused
    {__LINE__, "ABC", "xyz", "B9BBBD"},       // as long as the key: one key byte each, in order
    {__LINE__, "ABCD", "xy", "B9BBBBBC"},     // past the key's end every byte takes its first byte
    {__LINE__, "\x7F", "\x80", "FF"},         // sum 255
    {__LINE__, "\x80", "\x80", "1"},          // sum 256: one digit
    {__LINE__, "\x8E", "\x80", "F"},          // sum 270
    {__LINE__, "\xFF", "\xFF", "FF"},         // sum 510
    {__LINE__, "\x80\x80\x7F", "\x80", "11FF"},  // single digits run together
    {__LINE__, "A", "", "41"},                // no key: the bytes as they are
};

TEST(CryptTest, EncryptGivesTheServersFormat) {
    for (const Case& c : kCases) EXPECT_EQ(Crypt::Encrypt(c.text, c.key), c.expected) << "case at line " << c.line;
}

}  // namespace
}  // namespace vmtest

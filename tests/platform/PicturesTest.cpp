// The in-process picture adapter: a JPEG's size from its frame header, past the segments
// before it; anything else is no picture.
#include <gtest/gtest.h>

#include <string>

#include "platform/native/NativePictures.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

std::string Word(int v) { return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; }
// A segment: marker, length, body.
std::string Segment(unsigned char marker, const std::string& body) {
    return std::string{'\xFF', static_cast<char>(marker)} + Word(static_cast<int>(body.size()) + 2) + body;
}
std::string Frame(unsigned char marker, int width, int height) {
    std::string body(1, '\x08');
    body += Word(height);
    body += Word(width);
    body.append("\x01\x01\x11\x00", 4);
    return Segment(marker, body);
}
const std::string kStart("\xFF\xD8", 2);
const std::string kApp0 = Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));

TEST(JpegSize, TheFirstFrameHeaderGivesTheSize) {
    using platform::PictureSize;
    struct Case {
        int line;
        std::string bytes;
        std::optional<PictureSize> size;
    } cases[] = {
        {__LINE__, kStart + kApp0 + Frame(0xC0, 320, 200), PictureSize{320, 200}},
        {__LINE__, kStart + Frame(0xC2, 1024, 768), PictureSize{1024, 768}},  // progressive
        // A Huffman table (0xC4) is no frame; fill bytes may precede a marker.
        {__LINE__, kStart + Segment(0xC4, std::string(20, '\0')) + "\xFF\xFF" + Frame(0xC1, 64, 48), PictureSize{64, 48}},
        {__LINE__, kStart + kApp0, std::nullopt},                        // ends before a frame
        {__LINE__, kStart + kApp0 + Frame(0xC0, 320, 200).substr(0, 8), std::nullopt},  // cut inside it
        {__LINE__, kStart + Frame(0xC0, 0, 200), std::nullopt},
        {__LINE__, "GIF89a" + Frame(0xC0, 320, 200), std::nullopt},
        {__LINE__, kStart + "junk" + Frame(0xC0, 320, 200), std::nullopt},
        {__LINE__, "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        EXPECT_EQ(platform::JpegSize(c.bytes), c.size);
    }
}

using NativePicturesTest = VmTest;

TEST_F(NativePicturesTest, AFileIsReadUnlessTheTestGaveItsPathASize) {
    Put("C:\\p\\a.jpg", kStart + Frame(0xC0, 40, 30));
    EXPECT_EQ(os.pictures.Load("C:\\p\\A.JPG"), (platform::PictureSize{40, 30}));
    EXPECT_EQ(os.pictures.Load("C:\\p\\missing.jpg"), std::nullopt);
    os.pictures.scripted["c:\\p\\missing.jpg"] = {7, 5};
    EXPECT_EQ(os.pictures.Load("C:\\p\\missing.jpg"), (platform::PictureSize{7, 5}));
}

}  // namespace
}  // namespace vmtest

// Pictures loaded from files on every adapter set: the skin previews of the fixtures give their
// size (natively from the JPEG header, under Wine decoded by OLE's picture loader); a file that
// holds no picture, or none at all, gives nothing.
#include <gtest/gtest.h>

#include <string>

#include "tests/conformance/AdapterSets.h"
#include "tests/fixtures/SkinPreviews.h"

namespace vmtest {
namespace {

class PictureConformance : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { set = MakeAdapterSet(GetParam()); }
    std::string Put(const std::string& name, const std::string& bytes) {
        const std::string path = set->base() + "\\" + name;
        EXPECT_EQ(set->files().WriteFile(path, bytes), platform::FsStatus::Ok);
        return path;
    }
    std::unique_ptr<AdapterSet> set;
};

TEST_P(PictureConformance, AJpegGivesItsSizeAndAnythingElseNothing) {
    using platform::PictureSize;
    platform::PicturePort& pictures = set->pictures();
    EXPECT_EQ(pictures.Load(Put("preview.jpg", fixtures::PreviewJpeg())), (PictureSize{256, 160}));
    EXPECT_EQ(pictures.Load(Put("preview_blue.jpg", fixtures::PreviewBlueJpeg())), (PictureSize{320, 200}));
    EXPECT_EQ(pictures.Load(Put("notes.jpg", "not a picture")), std::nullopt);
    EXPECT_EQ(pictures.Load(Put("empty.jpg", "")), std::nullopt);
    EXPECT_EQ(pictures.Load(set->base() + "\\missing.jpg"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Sets, PictureConformance, ::testing::ValuesIn(AdapterSetNames()));

}  // namespace
}  // namespace vmtest

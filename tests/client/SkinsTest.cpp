// The skin chooser on a car's skins list in the host folder: the list, the preview picture
// and the window sized to it, and the choice written into the host's Cars.ini.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogues/CarCatalogue.h"
#include "client/foMain.h"
#include "client/foSkins.h"
#include "services/Globals.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;

constexpr const char* kHost = "C:\\Kovarra";
constexpr const char* kCarsIni = "C:\\Kovarra\\Cars\\Cars.ini";
// The Citroen C4, car 26: its skins list and its textures folder.
constexpr const char* kSkinsIni = "C:\\Kovarra\\Cars\\C4\\skins.ini";
constexpr const char* kTextures = "C:\\Kovarra\\Cars\\C4\\Textures";

// The start of a JPEG file up to its frame header, which gives the picture's size.
std::string Jpeg(int width, int height) {
    auto word = [](int v) { return std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; };
    return std::string("\xFF\xD8\xFF\xE0", 4) + word(16) + std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14) +
           "\xFF\xC0" + word(17) + '\x08' + word(height) + word(width) + std::string(10, '\x01');
}

class SkinsTest : public VmTest {
protected:
    SkinsTest() {
        g.gHostPath = kHost;
        g.gDecimalSep = ".";
        gFill::FillCarTable();
        // Class 1 remembers car 26.
        g.gCarCategory = 1;
        g.gCatCars[1] = {0, 26};
        Put(kSkinsIni,
            "[Main]\r\nSkins=3\r\n"
            "[Skin1]\r\nName=Red\r\nCode=red\r\n"
            "[Skin2]\r\nName=Blue\r\nCode=blue\r\n"
            "[Skin3]\r\nName=Works\r\n");
        Put(std::string(kTextures) + "\\preview.jpg", Jpeg(256, 128));
        Put(std::string(kTextures) + "_red\\preview.jpg", Jpeg(400, 300));
        Put(std::string(kTextures) + "_blue\\preview.jpg", Jpeg(320, 240));
        Put(kCarsIni, "[Skins]\r\nSkin7=1\r\n[MENU_CAR_INDEX]\r\nINDEX=2\r\n");
    }
    vm::CarEntry& Car() { return vm::cars.carTable[26]; }
    // A new chooser, as each opening from the menu makes one.
    foSkins& Open() {
        window_ = std::make_unique<foSkins>();
        window_->Show();
        return *window_;
    }
    std::vector<std::string> Entries(const foSkins& w) {
        std::vector<std::string> all;
        for (int k = 0; k < w.cmbSkin.ListCount(); ++k) all.push_back(w.cmbSkin.List(k));
        return all;
    }
    static std::string CarsIni(const std::string& skinLine) {
        return "[Skins]\r\nSkin7=1\r\n" + skinLine + "[MENU_CAR_INDEX]\r\nINDEX=2\r\n";
    }

private:
    std::unique_ptr<foSkins> window_;
};

TEST_F(SkinsTest, OpeningListsTheSkinsAndWritesTheCarsCurrentSkin) {
    Car().skinNumber = 1;
    foSkins& w = Open();
    EXPECT_EQ(w.Caption(), "Skins selector");
    EXPECT_EQ(Entries(w), (std::vector<std::string>{"Default skin", "Red", "Blue", "Works"}));
    EXPECT_EQ(w.cmbSkin.ListIndex(), 1);
    EXPECT_EQ(Car().skinCode, "red");
    EXPECT_EQ(w.imSkin.Picture(), std::string(kTextures) + "_red\\preview.jpg");
    EXPECT_EQ(Get(kCarsIni), CarsIni("Skin26=1\r\n"));
    w.Unload();
}

TEST_F(SkinsTest, EachChoiceShowsItsPreviewWithTheWindowSizedToItAndWritesItsNumber) {
    struct Case {
        int line;
        int choice;
        const char* picture;  // below the car's textures folder name
        int width, height;    // of the picture
        int windowWidth, windowHeight;
        const char* code;
    } cases[] = {
        // The window's outer size: (left + 15.15 width) / 15 by (top + 16.15 height) / 15 pixels.
        {__LINE__, 0, "\\preview.jpg", 256, 128, 259, 139, ""},
        {__LINE__, 2, "_blue\\preview.jpg", 320, 240, 323, 260, "blue"},
        {__LINE__, 3, "_blue\\preview.jpg", 320, 240, 323, 260, ""},  // no code: the preview stays
        {__LINE__, 1, "_red\\preview.jpg", 400, 300, 404, 325, "red"},
        {__LINE__, 0, "\\preview.jpg", 256, 128, 259, 139, ""},
    };
    foSkins& w = Open();
    const ui::Bounds design = w.imSkin.Bounds();
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        w.cmbSkin.SetListIndex(c.choice);
        EXPECT_EQ(Car().skinNumber, c.choice);
        EXPECT_EQ(Car().skinCode, c.code);
        EXPECT_EQ(w.imSkin.Picture(), kTextures + std::string(c.picture));
        EXPECT_EQ(w.imSkin.Bounds(), (ui::Bounds{design.left, design.top, c.width, c.height}));
        EXPECT_EQ(w.cmbSkin.Width(), c.width);
        EXPECT_EQ(w.Width(), c.windowWidth);
        EXPECT_EQ(w.Height(), c.windowHeight);
        EXPECT_EQ(Get(kCarsIni), CarsIni("Skin26=" + std::to_string(c.choice) + "\r\n"));
    }
    w.Unload();
}

TEST_F(SkinsTest, APreviewThatCannotBeLoadedKeepsThePictureShown) {
    foSkins& w = Open();
    Put(std::string(kTextures) + "_red\\preview.jpg", "not a picture");
    w.cmbSkin.SetListIndex(1);
    EXPECT_EQ(w.imSkin.Picture(), std::string(kTextures) + "\\preview.jpg");
    EXPECT_EQ(w.Width(), 259);
    EXPECT_EQ(Get(kCarsIni), CarsIni("Skin26=1\r\n"));
    w.Unload();
}

TEST_F(SkinsTest, WithoutASkinsListOnlyTheDefaultSkinIsListed) {
    (void)os.files.DeleteFile(kSkinsIni, true);
    foSkins& w = Open();
    EXPECT_EQ(Entries(w), std::vector<std::string>{"Default skin"});
    EXPECT_EQ(Get(kCarsIni), CarsIni("Skin26=0\r\n"));
    w.Unload();
}

TEST_F(SkinsTest, AListClaimingMoreSkinsThanASkinNumberHoldsListsThoseItCan) {
    Put(kSkinsIni, "[Main]\r\nSkins=2147483647\r\n[Skin1]\r\nName=Red\r\n[Skin32767]\r\nName=Last\r\n");
    Car().skinNumber = 32767;
    foSkins& w = Open();
    ASSERT_EQ(w.cmbSkin.ListCount(), 32768);
    EXPECT_EQ(w.cmbSkin.List(1), "Red");
    EXPECT_EQ(w.cmbSkin.List(32767), "Last");
    EXPECT_EQ(Get(kCarsIni), CarsIni("Skin26=32767\r\n"));
    w.Unload();
}

TEST_F(SkinsTest, ACarIdOutsideTheCatalogueListsTheDefaultSkinAloneAndTouchesNoFile) {
    struct Case {
        int line;
        std::int32_t category, id;
    } cases[] = {
        {__LINE__, 1, 1000},
        {__LINE__, 1, -1},
        {__LINE__, 1, 70000},
        {__LINE__, 0, 26},  // no class
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case at line " + std::to_string(c.line));
        g.gCarCategory = c.category;
        g.gCatCars[1].id = c.id;
        g.gIniFile = "C:\\Velomark\\velomark.ini";
        foSkins& w = Open();
        EXPECT_EQ(Entries(w), std::vector<std::string>{"Default skin"});
        EXPECT_EQ(w.cmbSkin.ListIndex(), 0);
        w.cmbSkin.SetListIndex(0);
        EXPECT_EQ(g.gIniFile, "C:\\Velomark\\velomark.ini");
        EXPECT_EQ(Get(kCarsIni), CarsIni(""));
        EXPECT_EQ(Get("C:\\Velomark\\velomark.ini"), "<missing>");
        EXPECT_EQ(w.imSkin.Picture(), "");
        w.Unload();
    }
}

// Each opening from the main window's menu is a new window: a skin without a preview shows no
// picture and the window keeps its designed size, whatever an earlier opening showed.
TEST_F(SkinsTest, EachOpeningFromTheMenuStartsFromTheDesign) {
    foMain& main = foMain::Instance();
    main.Show();
    struct Seen {
        std::string picture;
        int width = 0, height = 0;
    };
    std::vector<Seen> seen;
    os.desktop.onPump = [&] {
        const std::vector<ui::Form*> loaded = ui::Form::LoadedForms();  // unloading changes it
        for (ui::Form* f : loaded)
            if (auto* w = dynamic_cast<foSkins*>(f); w && w->Visible() && w->ModalOwner() == &main) {
                seen.push_back({w->imSkin.Picture(), w->Width(), w->Height()});
                w->Unload();
            }
    };
    Car().skinNumber = 1;  // red, with its preview
    main.SkinSelector.Press();
    Car().skinNumber = 3;  // no code: no preview
    main.SkinSelector.Press();
    os.desktop.onPump = nullptr;
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].picture, std::string(kTextures) + "_red\\preview.jpg");
    EXPECT_EQ(seen[0].width, 404);
    EXPECT_EQ(seen[1].picture, "");
    EXPECT_EQ(seen[1].width, 0) << "no size given: the design's";
    EXPECT_EQ(Get(kCarsIni), CarsIni("Skin26=3\r\n"));
}

}  // namespace
}  // namespace vmtest

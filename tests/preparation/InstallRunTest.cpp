// The installation run on a small host folder: the car in its slot, the car list, setups, maps
// and materials, the one-time backups, the progress codes, and the failures that make it 0.
#include <gtest/gtest.h>

#include "catalogues/CarTable.h"
#include "catalogues/FileCheckList.h"
#include "catalogues/TrackTextures.h"
#include "platform/Ports.h"
#include "preparation/InstallRun.h"
#include "preparation/Maps.h"
#include "services/Globals.h"
#include "services/ZipLib.h"
#include "services/gCheck.h"
#include "tests/preparation/InstallTestSupport.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/VmTest.h"

namespace vmtest {
namespace {

using vm::g;
using Files = std::map<std::string, std::string>;

std::string Slashed(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

std::vector<std::string> Codes(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<std::string> codes;
    for (auto [first, last] : ranges)
        for (int c = first; c <= last; ++c) codes.push_back(std::to_string(c));
    return codes;
}

class InstallRunTest : public VmTest {
protected:
    InstallRunTest() : codes(os.profile) {
        platform::ports().profile = &codes;
        fx.Build();
        fx.Choose({});
        codes.codes.clear();
    }
    ~InstallRunTest() override { platform::ports().profile = &os.profile; }

    int Run() { return Run(fx.surface()); }
    int Run(int surface) {
        (void)gCheck::SwapFolders(vm::folderSwapTable, 120);
        return gFunc::PrepareHostInstall(static_cast<std::int16_t>(g.gCar), surface);
    }
    std::string FailedSteps() const {
        std::string out;
        for (const auto& f : gFunc::installRun.lastFailures) out += f.code + " ";
        return out;
    }
    // A new host folder and the default choice.
    void Rebuild() {
        (void)os.files.DeleteFolder("C:\\vm", true);
        fx.Build();
        fx.Choose({});
    }
    Files Package() { return ArchiveFiles(fx.H("\\physics.qvz"), "C:\\scratch"); }
    // The class package as the run should leave it: carFolder moved into slotFolder, and the
    // setups of surface (if any) copied over the other two surfaces' in the slot folder.
    Files Expected(int category, const std::string& carFolder, const std::string& slotFolder,
                   const std::string& surface = "") {
        Files raw, out;
        for (const auto& [rel, bytes] : fx.ClassPackageFiles(category)) raw[Slashed(rel)] = bytes;
        const std::string slot = "Physics/" + slotFolder + "/", car = "Physics/" + carFolder + "/";
        for (const auto& [rel, bytes] : raw)
            if (!rel.starts_with(slot) && !rel.starts_with(car)) out[rel] = bytes;
        for (const auto& [rel, bytes] : raw)
            if (rel.starts_with(car)) out[slot + rel.substr(car.size())] = bytes;
        if (!surface.empty()) {
            for (const char* kind : {"setups/d_", "r_", ""})
                for (const char* other : {"gravel", "tarmac", "snow"})
                    out[slot + kind + other + ".lsp"] = raw[car + kind + surface + ".lsp"];
        }
        return out;
    }

    HostFixture fx{"C:\\vm"};
    RecordingProfile codes;
};

TEST_F(InstallRunTest, FirstRunInstallsTheCarAndKeepsWhatTheHostHad) {
    Originals before(fx, "C:\\scratch");
    const std::string hostPackage = Get(fx.H("\\Physics.qvz")), hostScripts = Get(fx.H("\\Scripts.qvz"));
    const std::string hostList = Get(fx.H("\\Cars\\Cars.ini"));
    const Files hostMaterials = {{"a.mat", Get(fx.H("\\Maps\\a.mat"))},
                                 {"b.mat", Get(fx.H("\\Maps\\b.mat"))},
                                 {"extra/c.mat", "host c.mat below Maps"},
                                 {"extra/d.ini", "[d]\r\nx=1\r\n"},
                                 {"lights.ini", "[Lights]\r\nSun=1\r\n"},
                                 {"Tracks.ini", Get(fx.H("\\Maps\\Tracks.ini"))}};

    ASSERT_EQ(Run(), 1) << FailedSteps();
    EXPECT_EQ(FailedSteps(), "");

    // The backups hold what the host had.
    EXPECT_EQ(Get(g.gPhysicsBkpFile), hostPackage);
    EXPECT_EQ(Get(g.gPhysicsBkpDir + "\\Physics\\c_xsara\\car.ini"), "host unpacked physics");
    EXPECT_EQ(Get(g.gScriptsBkpFile), hostScripts);
    EXPECT_EQ(Get(g.gScriptsBkpDir + "\\script.txt"), "host unpacked scripts");
    EXPECT_EQ(Get(fx.H("\\Cars\\Cars_vlmk.ini")), hostList);
    EXPECT_EQ(ArchiveFiles(fx.H("\\Maps\\MatBkp_by_vlmk.zip"), "C:\\scratch"), hostMaterials);
    before.ExpectRecoverable("after the first run");

    // The packages: the class package with the C4 in slot 0 and tarmac setups everywhere.
    EXPECT_EQ(Package(), Expected(1, "C4", "c_xsara", "tarmac"));
    EXPECT_FALSE(os.files.FolderExists(fx.H("\\Physics")));
    EXPECT_EQ(Get(fx.H("\\Scripts.qvz")), Get(vm::fileCheckList[vm::kCheckScripts].path));
    EXPECT_FALSE(os.files.FolderExists(fx.H("\\Scripts")));

    // The car list: slot 0's section, the others as they were, and its copy.
    const std::string list = Get(fx.H("\\Cars\\Cars.ini"));
    EXPECT_NE(list.find("[Car00]\r\nfilename=\"Cars\\C4\\C4.sgc\"\r\nIniFile=\"Cars\\C4\\C4.ini\"\r\n"
                        "ShaderFile=\"Cars\\C4\\C4_shaders.ini\"\r\nShaderSettings=\"Cars\\C4\\C4_shader_settings\"\r\n"
                        "TexturePath=\"Cars\\C4\\Textures\\\"\r\n[Car01]\r\nfilename=\"Cars\\old1\\old.sgc\"\r\n"),
              std::string::npos)
        << list;
    EXPECT_EQ(Get(fx.H("\\Cars\\Cars_Ostrani.ini")), list);

    // Maps: tarmac materials and textures, the stage's track-list entry.
    EXPECT_EQ(Get(fx.H("\\Maps\\a.mat")).substr(0, 12), "tarmac a.mat");
    EXPECT_EQ(Get(fx.H("\\Maps\\track-16_O_textures\\t0.dds")).substr(0, 20), "16_O_textures_VLMK_T");
    EXPECT_FALSE(os.files.FolderExists(fx.H("\\Maps\\track-16_O_textures_VLMK_T")));
    EXPECT_EQ(Get(fx.H("\\Maps\\Tracks.ini")),
              "[Map12]\r\nTrackName= \"Maps\\track-16\"\r\nParticles= \"Maps\\ps_montblanc\"\r\n");
    EXPECT_EQ(codes.codes.back(), "124");
}

TEST_F(InstallRunTest, SecondRunLeavesEveryBackupByteForByte) {
    ASSERT_EQ(Run(), 1) << FailedSteps();
    const std::vector<std::string> files = {g.gPhysicsBkpFile, g.gScriptsBkpFile, fx.H("\\Cars\\Cars_vlmk.ini"),
                                            fx.H("\\Maps\\MatBkp_by_vlmk.zip")};
    std::vector<std::string> first;
    for (const auto& f : files) first.push_back(Get(f));
    const Files physicsBackup = TreeOf(os.files, g.gPhysicsBkpDir), scriptsBackup = TreeOf(os.files, g.gScriptsBkpDir);
    // Folders of the host's packages again, and materials that changed since.
    Put(fx.H("\\Physics\\new.txt"), "unpacked again");
    Put(fx.H("\\Scripts\\new.txt"), "unpacked again");
    Put(fx.H("\\Maps\\a.mat"), "changed");

    ASSERT_EQ(Run(), 1) << FailedSteps();
    for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(Get(files[i]), first[i]) << files[i];
    EXPECT_EQ(TreeOf(os.files, g.gPhysicsBkpDir), physicsBackup);
    EXPECT_EQ(TreeOf(os.files, g.gScriptsBkpDir), scriptsBackup);
    EXPECT_FALSE(os.files.FolderExists(fx.H("\\Physics")));
    EXPECT_FALSE(os.files.FolderExists(fx.H("\\Scripts")));
    EXPECT_EQ(Package(), Expected(1, "C4", "c_xsara", "tarmac"));
}

TEST_F(InstallRunTest, ProgressCodesOfEachClass) {
    struct Case {
        HostFixture::Choice choice;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        /* 0 */ {{1, 26}, Codes({{100, 109}, {118, 124}})},
        /* 1 */ {{6, 200}, Codes({{100, 107}, {118, 124}})},
    };
    for (const Case& c : cases) {
        fx.Choose(c.choice);
        codes.codes.clear();
        EXPECT_EQ(Run(), 1) << "class " << c.choice.category << ": " << FailedSteps();
        EXPECT_EQ(codes.codes, c.codes) << "class " << c.choice.category;
    }
    // Class 6's car, the Grande Punto, takes slot 5.
    EXPECT_EQ(Package(), Expected(6, "g_punto", "s_i2003", "tarmac"));
}

TEST_F(InstallRunTest, MissingClassPackageStillWritesEveryCodeAndTheCarList) {
    ASSERT_EQ(os.files.DeleteFile(fx.ClassPackage(1), true), platform::FsStatus::Ok);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(codes.codes, Codes({{100, 109}, {118, 124}}));
    EXPECT_EQ(FailedSteps(), "101 ");
    EXPECT_NE(Get(fx.H("\\Cars\\Cars.ini")).find("filename=\"Cars\\C4\\C4.sgc\""), std::string::npos);
    // The host's package went only after its backup was whole.
    EXPECT_FALSE(os.files.FileExists(fx.H("\\Physics.qvz")));
    EXPECT_EQ(ArchiveFiles(g.gPhysicsBkpFile, "C:\\scratch"), (Files{{"Physics/c_xsara/car.ini", "host package"}}));
}

TEST_F(InstallRunTest, ABackupCutShortLeavesNothingUnderItsName) {
    const std::string hostPackage = Get(fx.H("\\Physics.qvz"));
    FaultyFileSystem faulty(os.files);
    faulty.FailCopiesOf(fx.H("\\Physics.qvz"));  // half of it reaches the copy, as on a full disk
    platform::ports().fileSystem = &faulty;
    const int cutShort = Run();
    platform::ports().fileSystem = &os.files;
    EXPECT_EQ(cutShort, 0);
    EXPECT_EQ(FailedSteps(), "101 ");
    EXPECT_FALSE(os.files.FileExists(g.gPhysicsBkpFile));
    EXPECT_EQ(Get(fx.H("\\Physics.qvz")), hostPackage);

    // The next run takes the backup whole.
    ASSERT_EQ(Run(), 1) << FailedSteps();
    EXPECT_EQ(Get(g.gPhysicsBkpFile), hostPackage);
}

// The steps whose failure the host would otherwise start on: each makes the run 0.
TEST_F(InstallRunTest, FailuresOfThePhysicsStepsMakeTheRunFail) {
    struct Case {
        const char* what;
        std::function<void()> spoil;
        const char* failed;
    };
    const Case cases[] = {
        /* 0 */ {"damaged class package", [&] { Put(fx.ClassPackage(1), "PK\x03\x04 not an archive"); }, "103 "},
        /* 1 */ {"car physics missing from the package",
                 [&] { fx.Choose({1, 28}); },  // Lancer Evo 6.5: "m_lancer_65" is not in the fixture
                 "105 "},
        /* 2 */ {"repack cannot be written",
                 [&] { MakeFolders(os.files, fx.H("\\physics.qvz.vmzip-new")); },  // a folder in the way
                 "122 "},
        /* 3 */ {"damaged materials package", [&] { Put(vm::fileCheckList[vm::kCheckTarmacMaterials].path, "junk"); },
                 "121 "},
    };
    for (const Case& c : cases) {
        Rebuild();
        c.spoil();
        EXPECT_EQ(Run(), 0) << c.what;
        EXPECT_EQ(FailedSteps(), c.failed) << c.what;
    }
}

TEST_F(InstallRunTest, EmptyHostFolderTouchesNothing) {
    const Files drive = TreeOf(os.files, "C:\\");
    g.gHostPath.clear();
    EXPECT_EQ(gFunc::PrepareHostInstall(0, 0), 0);
    EXPECT_EQ(TreeOf(os.files, "C:\\"), drive);
    EXPECT_TRUE(codes.codes.empty());
    EXPECT_FALSE(gFunc::installRun.lastFailures.empty());
}

TEST_F(InstallRunTest, CarSectionWithAndWithoutSkinCode) {
    struct Case {
        HostFixture::Choice choice;
        std::string skinCode;
        std::string section;
    };
    const Case cases[] = {
        /* 0 */ {{1, 26}, "",
                 "[Car00]\r\nfilename=\"Cars\\C4\\C4.sgc\"\r\nIniFile=\"Cars\\C4\\C4.ini\"\r\n"
                 "ShaderFile=\"Cars\\C4\\C4_shaders.ini\"\r\nShaderSettings=\"Cars\\C4\\C4_shader_settings\"\r\n"
                 "TexturePath=\"Cars\\C4\\Textures\\\"\r\n"},
        /* 1 */ {{1, 26}, "blue",
                 "[Car00]\r\nfilename=\"Cars\\C4\\C4.sgc\"\r\nIniFile=\"Cars\\C4\\C4.ini\"\r\n"
                 "ShaderFile=\"Cars\\C4\\C4_shaders_blue.ini\"\r\nShaderSettings=\"Cars\\C4\\C4_shader_settings_blue\"\r\n"
                 "TexturePath=\"Cars\\C4\\Textures_blue\\\"\r\n"},
        /* 2 */ {{1, 3}, "",  // Lancer Evo VII: slot 3, its physics are the slot's own
                 "[Car03]\r\nfilename=\"Cars\\LANCER_EVO_VII\\lancer_evo_vII.sgc\"\r\n"
                 "IniFile=\"Cars\\Lancer_EVO_VII\\lancer_evo_vII.ini\"\r\n"},
    };
    for (const Case& c : cases) {
        fx.Choose(c.choice);
        vm::cars.carTable[static_cast<std::size_t>(c.choice.carId)].skinCode = c.skinCode;
        EXPECT_EQ(Run(), 1) << FailedSteps();
        EXPECT_NE(Get(fx.H("\\Cars\\Cars.ini")).find(c.section), std::string::npos)
            << c.choice.carId << " " << c.skinCode << "\n"
            << Get(fx.H("\\Cars\\Cars.ini"));
    }
    // The slot's own physics: nothing moved, so slot 3 holds the package's m_lancer.
    EXPECT_EQ(Package(), Expected(1, "m_lancer", "m_lancer", "tarmac"));
}

TEST_F(InstallRunTest, ACarWithoutANameMovesNothingAndFailsNoStep) {
    fx.Choose({1, 999});  // an id the catalogue does not use: no name, no physics folders
    g.gSetupFile[0] = "C:\\my\\gravel.lsp";
    EXPECT_EQ(Run(), 1) << FailedSteps();
    EXPECT_EQ(FailedSteps(), "");
    EXPECT_EQ(Package(), Expected(1, "c_xsara", "c_xsara", "tarmac"));
}

TEST_F(InstallRunTest, ChosenSetupsReplaceTheDefaultsAndDefaultSlotsStay) {
    g.gSetupFile = {"C:\\my\\gravel.lsp", vm::kDefaultSetup, "C:\\my\\snow.lsp", vm::kDefaultSetup};
    g.gSetupText = {"my gravel", "my tarmac, not chosen", "my snow", ""};
    fx.Choose({1, 26, 0, 16, 12, 2});  // snow in Finland: the stage's own surface, no setup copied
    // The gravel default is read-only by the time the setups are written.
    codes.onCode = [&](const std::string& code) {
        if (code == "118")
            (void)os.files.SetAttributes(fx.H("\\Physics\\Physics\\c_xsara\\setups\\d_gravel.lsp"),
                                         platform::kAttrReadOnly);
    };
    ASSERT_EQ(Run(), 1) << FailedSteps();
    EXPECT_EQ(FailedSteps(), "");
    Files expected = Expected(1, "C4", "c_xsara");
    expected["Physics/c_xsara/setups/d_gravel.lsp"] = "my gravel\r\n";
    expected["Physics/c_xsara/setups/d_snow.lsp"] = "my snow\r\n";
    EXPECT_EQ(Package(), expected);
    // The stage's own surface: no texture folder moved, the stock materials, the track list.
    EXPECT_FALSE(os.files.FolderExists(fx.H("\\Maps\\track-16_O_textures")));
    EXPECT_EQ(Get(fx.H("\\Maps\\a.mat")).substr(0, 9), "own a.mat");
    EXPECT_NE(Get(fx.H("\\Maps\\Tracks.ini")).find("Particles= \"Maps\\ps_arctic\""), std::string::npos);
}

TEST_F(InstallRunTest, DeleteFolderSafe) {
    Put("C:\\vm\\gone\\a\\b.txt", "x");
    EXPECT_TRUE(gFunc::DeleteFolderSafe("C:\\vm\\gone\\"));
    EXPECT_FALSE(os.files.FolderExists("C:\\vm\\gone"));
    EXPECT_FALSE(gFunc::DeleteFolderSafe("C:\\vm\\gone"));
    EXPECT_FALSE(gFunc::DeleteFolderSafe("C:\\"));
    EXPECT_TRUE(os.files.FolderExists("C:\\vm"));
}

// --- the maps step ---

TEST(SurfaceSuffix, ByCountryAndSurface) {
    // Countries 0 Finland .. 8 BTB Tracks; rows tarmac, gravel, snow.
    const char* T = gFunc::kSuffixTarmac;
    const char* G = gFunc::kSuffixGravel;
    const char* S = gFunc::kSuffixSnow;
    const char* O = gFunc::kSuffixOwn;
    const std::vector<std::vector<const char*>> matrix = {
        /* tarmac */ {T, T, T, O, T, T, O, O, O},
        /* gravel */ {G, O, O, G, O, O, G, O, O},
        /* snow   */ {O, S, S, S, S, S, S, S, S},
    };
    for (int s = 0; s < 3; ++s)
        for (int c = 0; c < 9; ++c) EXPECT_EQ(gFunc::SurfaceSuffix(s, c), matrix[s][c]) << "surface " << s << " country " << c;
    EXPECT_EQ(gFunc::SurfaceSuffix(3, 1), O);
}

TEST_F(InstallRunTest, TrackCodesAndParticlesOfTheStage) {
    struct Case {
        int stage;
        const char* code;
        const char* ownParticles;
    };
    const Case cases[] = {
        /* 0 */ {10, "10_O", "Maps\\ps_arctic"},
        /* 1 */ {92, "92_M", "Maps\\ps_montblanc"},
        /* 2 */ {94, "94_M", ""},
        /* 3 */ {200, "200_N", "Maps\\PS_british"},
        /* 4 */ {1000, "1000_M", "Maps\\PS_Australia"},
        /* 5 */ {999, "", ""},
    };
    for (const Case& c : cases) {
        g.gStageId = c.stage;
        g.gHostTrackId = 41;
        EXPECT_EQ(gFunc::TrackCode(), c.code) << c.stage;
        EXPECT_EQ(gFunc::InstallMaterials(gFunc::kSuffixOwn), 1) << c.stage;
        EXPECT_NE(Get(fx.H("\\Maps\\Tracks.ini"))
                      .find("[Map41]\r\nTrackName= \"Maps\\track-" + std::to_string(c.stage) + "\"\r\nParticles= \"" +
                            c.ownParticles + "\"\r\n"),
                  std::string::npos)
            << c.stage << "\n"
            << Get(fx.H("\\Maps\\Tracks.ini"));
    }
    // No code: the folder looked for is "track-_textures" and its variant, which do not exist.
    EXPECT_THROW(gFunc::SwapTrackTextures(gFunc::kSuffixTarmac), gFunc::FileError);
}

TEST_F(InstallRunTest, MaterialsPackageMissingOrNoMaterialsToDelete) {
    ASSERT_EQ(os.files.DeleteFile(fx.H("\\Maps\\*.mat"), true), platform::FsStatus::Ok);
    EXPECT_EQ(gFunc::InstallMaterials(gFunc::kSuffixGravel), 1);
    EXPECT_EQ(Get(fx.H("\\Maps\\b.mat")).substr(0, 12), "gravel b.mat");

    ASSERT_EQ(os.files.DeleteFile(vm::fileCheckList[vm::kCheckTarmacMaterials].path, true), platform::FsStatus::Ok);
    fx.Choose({});  // tarmac in Finland
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(FailedSteps(), "");  // not a failed operation: the maps step gives 0
    EXPECT_EQ(Get(fx.H("\\Maps\\b.mat")).substr(0, 12), "gravel b.mat");
    EXPECT_NE(Get(fx.H("\\Maps\\Tracks.ini")).find("Particles= \"Maps\\ps_montblanc\""), std::string::npos);
    // The setups were not swapped.
    EXPECT_EQ(Package(), Expected(1, "C4", "c_xsara"));
}

TEST_F(InstallRunTest, SurfaceSetupsOfTheSlotFolder) {
    struct Case {
        const char* suffix;
        std::int16_t slot;
        const char* from;  // nullptr: nothing copied
    };
    const Case cases[] = {
        /* 0 */ {gFunc::kSuffixTarmac, 5, "tarmac"},
        /* 1 */ {gFunc::kSuffixGravel, 5, "gravel"},
        /* 2 */ {gFunc::kSuffixSnow, 5, "snow"},
        /* 3 */ {gFunc::kSuffixOwn, 5, nullptr},
        /* 4 */ {gFunc::kSuffixTarmac, 13, nullptr},  // a slot outside 0..7 has no folder
    };
    for (const Case& c : cases) {
        (void)os.files.DeleteFolder(fx.H("\\Physics"), true);
        ASSERT_TRUE(ZipLib::Unzip(fx.ClassPackage(1), fx.H("\\Physics")));
        EXPECT_EQ(gFunc::SwapSurfaceSetups(c.suffix, c.slot), 1);
        Files expected = Expected(1, "s_i2003", "s_i2003", c.from ? c.from : "");
        Files actual;
        for (const auto& [rel, bytes] : TreeOf(os.files, fx.H("\\Physics")))
            if (rel.back() != '/') actual[rel] = bytes;
        EXPECT_EQ(actual, expected) << c.suffix << " slot " << c.slot;
    }
}

// A surface other than the stage's own: its materials package, texture folder, particles and
// setups, on a stage whose own particles differ.
TEST_F(InstallRunTest, EachSurfaceTakesItsMaterialsTexturesParticlesAndSetups) {
    struct Case {
        const char* surface;  // as the fixture's materials and setups name it
        HostFixture::Choice choice;
        const char* textures;  // the map's texture folder
        const char* suffix;    // of the variant folder it receives
        const char* track;     // the stage's track-list entry
    };
    const Case cases[] = {
        /* 0 */ {"tarmac", {1, 26, 0, 16, 12, 0}, "16_O_textures", gFunc::kSuffixTarmac,
                 "[Map12]\r\nTrackName= \"Maps\\track-16\"\r\nParticles= \"Maps\\ps_montblanc\"\r\n"},
        /* 1 */ {"gravel", {1, 26, 0, 16, 12, 1}, "16_O_textures", gFunc::kSuffixGravel,
                 "[Map12]\r\nTrackName= \"Maps\\track-16\"\r\nParticles= \"Maps\\ps_british\"\r\n"},
        /* 2 */ {"snow", {1, 26, 1, 23, 20, 2}, "23_E_textures", gFunc::kSuffixSnow,  // England: own particles British
                 "[Map20]\r\nTrackName= \"Maps\\track-23\"\r\nParticles= \"Maps\\ps_arctic\"\r\n"},
    };
    for (const Case& c : cases) {
        Rebuild();
        fx.Choose(c.choice);
        ASSERT_EQ(Run(), 1) << c.surface << ": " << FailedSteps();
        for (const char* material : {"a.mat", "b.mat"})
            EXPECT_TRUE(Get(fx.H("\\Maps\\") + material).starts_with(std::string(c.surface) + " " + material))
                << c.surface << ": " << Get(fx.H("\\Maps\\") + material);
        const std::string textures = fx.H("\\Maps\\track-") + c.textures;
        const std::string variant = std::string(c.textures) + c.suffix;
        EXPECT_TRUE(Get(textures + "\\t0.dds").starts_with(variant)) << c.surface << ": " << Get(textures + "\\t0.dds");
        EXPECT_FALSE(os.files.FolderExists(fx.H("\\Maps\\track-") + variant)) << c.surface;
        EXPECT_NE(Get(fx.H("\\Maps\\Tracks.ini")).find(c.track), std::string::npos)
            << c.surface << "\n"
            << Get(fx.H("\\Maps\\Tracks.ini"));
        EXPECT_EQ(Package(), Expected(1, "C4", "c_xsara", c.surface)) << c.surface;
    }
}

TEST_F(InstallRunTest, MapsStepFailsWithoutASelectedSurface) {
    EXPECT_EQ(Run(gFunc::kNoSurface), 0);
    EXPECT_EQ(FailedSteps(), "121 ");
    EXPECT_EQ(Get(fx.H("\\Maps\\a.mat")).substr(0, 10), "host a.mat");
}

}  // namespace
}  // namespace vmtest

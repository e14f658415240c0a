#include "tests/support/HostFixture.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "catalogues/CarCatalogue.h"
#include "catalogues/FileCheckList.h"
#include "catalogues/SelectorLists.h"
#include "catalogues/TrackTextures.h"
#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/ZipLib.h"
#include "tests/support/FileTrees.h"

namespace vmtest {

namespace {

// Text of a given length that deflates about as well as the host's data files do; a share of
// it random bytes, for files that hardly deflate.
std::string Filler(const std::string& seed, std::size_t bytes, double incompressible = 0) {
    static const char* kWords[] = {"spring", "damper", "0.125", "gear", "-3.50", "torque", "wheel", "1200",
                                   "camber", "toe", "brake", "bias", "=", "\r\n", "0.98", "ratio"};
    std::uint32_t x = 2166136261u;
    for (char c : seed) x = (x ^ static_cast<unsigned char>(c)) * 16777619u;
    std::string out = seed + "\r\n";
    out.reserve(bytes + 16);
    const auto words = static_cast<std::size_t>(static_cast<double>(bytes) * (1 - incompressible));
    while (out.size() < words) {
        x = x * 1664525u + 1013904223u;
        out += kWords[(x >> 24) & 15];
        out += ' ';
    }
    while (out.size() < bytes) {
        x = x * 1664525u + 1013904223u;
        out += static_cast<char>(x >> 24);
    }
    out.resize(std::max(bytes, seed.size() + 2));
    return out;
}

// The car folders of a class package besides the slots' folders: those of the cars the tests
// choose whose physics are not their slot's.
std::vector<const char*> CarFolders(int category) {
    if (category == 1) return {"C4"};
    if (category == 6) return {"g_punto"};
    return {};
}

constexpr const char* kSetupFiles[] = {"setups\\d_gravel.lsp", "setups\\d_tarmac.lsp", "setups\\d_snow.lsp",
                                       "r_gravel.lsp",         "r_tarmac.lsp",         "r_snow.lsp",
                                       "gravel.lsp",           "tarmac.lsp",           "snow.lsp"};

}  // namespace

HostFixture::HostFixture(std::string base, Sizes sizes, std::string winDir)
    : base_(std::move(base)), host_(base_ + "\\Kovarra"), winDir_(std::move(winDir)), sizes_(sizes) {}

void HostFixture::Put(const std::string& path, const std::string& bytes) {
    auto& fs = platform::fileSystem();
    MakeFolders(fs, path.substr(0, path.find_last_of('\\')));
    if (fs.WriteFile(path, bytes) != platform::FsStatus::Ok) throw std::runtime_error("fixture: cannot write " + path);
}

void HostFixture::Pack(const std::string& archive, const std::map<std::string, std::string>& files) const {
    const std::string stage = base_ + "\\stage";
    for (const auto& [rel, bytes] : files) Put(stage + "\\" + rel, bytes);
    MakeFolders(platform::fileSystem(), archive.substr(0, archive.find_last_of('\\')));
    bool packed = ZipLib::Zip(archive, stage + "\\*.*", 6);
    (void)platform::fileSystem().DeleteFolder(stage, true);
    if (!packed) throw std::runtime_error("fixture: cannot pack " + archive);
}

std::map<std::string, std::string> HostFixture::ClassPackageFiles(int category) const {
    std::vector<std::string> folders;
    for (int slot = 0; slot < 8; ++slot)
        if (sizes_.allSlots || slot == 0 || slot == 5) folders.push_back(vm::HostSlotFolder(slot));
    for (const char* car : CarFolders(category)) folders.push_back(car);
    if (sizes_.wholeCatalogue) {
        // Every car whose class shares this package.
        const std::string physics = host_ + "\\Physics\\Physics\\";
        for (const vm::CarEntry& car : vm::cars.carTable)
            if (car.category >= 1 && ClassPackage(car.category) == ClassPackage(category) &&
                car.carPhysicsDir.starts_with(physics))
                folders.push_back(car.carPhysicsDir.substr(physics.size()));
        std::sort(folders.begin(), folders.end());
        folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    }
    std::map<std::string, std::string> files;
    const std::string tag = "class " + std::to_string(category) + " ";
    for (const std::string& folder : folders) {
        const std::string dir = "Physics\\" + folder + "\\";
        for (const char* name : kSetupFiles) files[dir + name] = Filler(tag + folder + " " + name, sizes_.physicsFileBytes);
        files[dir + "car.ini"] = Filler(tag + folder + " car.ini", sizes_.physicsFileBytes);
        for (int i = 0; i < sizes_.extraPhysicsFiles; ++i) {
            std::string name = std::string("data").append(std::to_string(i)).append(".bin");
            files[dir + name] = Filler(tag + folder + " " + name, sizes_.physicsFileBytes, sizes_.incompressible);
        }
    }
    return files;
}

std::string HostFixture::ClassPackage(int category) const {
    return vm::fileCheckList[static_cast<std::size_t>(category)].path;
}

void HostFixture::Build() const {
    Choose(Choice{});  // the check list names the packages' files

    // The client's packages (classes that share a package pack it once).
    std::vector<int> categories{1, 6};
    if (sizes_.wholeCatalogue) categories = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::vector<std::string> packed;
    for (int category : categories) {
        if (std::find(packed.begin(), packed.end(), ClassPackage(category)) != packed.end()) continue;
        packed.push_back(ClassPackage(category));
        Pack(ClassPackage(category), ClassPackageFiles(category));
    }
    Pack(vm::fileCheckList[vm::kCheckScripts].path,
         {{"script.txt", "client scripts"}, {"lib\\util.txt", "client util"}});
    const std::pair<int, const char*> kMaterials[] = {{vm::kCheckStockMaterials, "own"},
                                                      {vm::kCheckTarmacMaterials, "tarmac"},
                                                      {vm::kCheckGravelMaterials, "gravel"},
                                                      {vm::kCheckSnowMaterials, "snow"}};
    for (const auto& [entry, surface] : kMaterials) {
        std::map<std::string, std::string> files;
        const std::string tag = std::string(surface) + " ";
        files["a.mat"] = Filler(tag + "a.mat", sizes_.materialBytes);
        files["b.mat"] = Filler(tag + "b.mat", sizes_.materialBytes);
        for (int i = 0; i < sizes_.extraMaterials; ++i) {
            std::string name = std::string("m").append(std::to_string(i)).append(".mat");
            files[name] = Filler(tag + name, sizes_.materialBytes, sizes_.incompressible);
        }
        Pack(vm::fileCheckList[static_cast<std::size_t>(entry)].path, files);
    }

    // The host folder.
    Put(H("\\Kovarra.ini"), "[Settings]\r\nRunIntro=true\r\n");
    Pack(H("\\Physics.qvz"), {{"Physics\\c_xsara\\car.ini", "host package"}});
    Put(H("\\Physics\\Physics\\c_xsara\\car.ini"), "host unpacked physics");
    Pack(H("\\Scripts.qvz"), {{"script.txt", "host scripts"}});
    Put(H("\\Scripts\\script.txt"), "host unpacked scripts");

    std::string cars;
    for (int slot = 0; slot < 8; ++slot) {
        std::string s = std::to_string(slot);
        cars += "[Car0" + s + "]\r\nfilename=\"Cars\\old" + s + "\\old.sgc\"\r\nIniFile=\"Cars\\old" + s +
                "\\old.ini\"\r\nShaderFile=\"Cars\\old" + s + "\\old_shaders.ini\"\r\nShaderSettings=\"Cars\\old" + s +
                "\\old_shader_settings\"\r\nTexturePath=\"Cars\\old" + s + "\\Textures\\\"\r\n";
    }
    cars += "[Skins]\r\nSkin26=0\r\n[MENU_CAR_INDEX]\r\nINDEX=0\r\n";
    Put(H("\\Cars\\Cars.ini"), cars);

    Put(H("\\Maps\\a.mat"), Filler("host a.mat", sizes_.materialBytes));
    Put(H("\\Maps\\b.mat"), Filler("host b.mat", sizes_.materialBytes));
    Put(H("\\Maps\\Tracks.ini"), "[Map12]\r\nTrackName= \"Maps\\track-12\"\r\nParticles= \"Maps\\ps_arctic\"\r\n");
    Put(H("\\Maps\\lights.ini"), "[Lights]\r\nSun=1\r\n");
    Put(H("\\Maps\\notes.txt"), "not a material");
    Put(H("\\Maps\\extra\\c.mat"), "host c.mat below Maps");
    Put(H("\\Maps\\extra\\d.ini"), "[d]\r\nx=1\r\n");
    std::vector<std::string> variants{"16_O_textures_VLMK_T", "16_O_textures_VLMK_G", "23_E_textures_VLMK_T",
                                      "23_E_textures_VLMK_S"};
    if (sizes_.wholeCatalogue) {
        // The variants each map's swap mode names: 1 tarmac and gravel, 2 tarmac, 3 tarmac and
        // snow, 4 gravel and snow.
        static const std::vector<std::string> kModeVariants[] = {
            {}, {"_VLMK_T", "_VLMK_G"}, {"_VLMK_T"}, {"_VLMK_T", "_VLMK_S"}, {"_VLMK_G", "_VLMK_S"}};
        variants.clear();
        for (const vm::FolderSwap& e : vm::folderSwapTable)
            if (!e.code.empty() && e.mode >= 1 && e.mode <= 4)
                for (const std::string& suffix : kModeVariants[e.mode]) variants.push_back(e.code + "_textures" + suffix);
    }
    for (const std::string& variant : variants) {
        for (int i = 0; i < sizes_.textureFiles; ++i) {
            std::string name = std::string("t").append(std::to_string(i)).append(".dds");
            Put(H("\\Maps\\track-") + variant + "\\" + name,
                Filler(variant + " " + name, sizes_.textureBytes, sizes_.incompressible));
        }
    }

    const std::pair<const char*, const char*> kPlugins[] = {
        {"avviora.dll", "our avviora"}, {"Z.DLL", "their Z"},           {"shifter.ini", "[Keys]\r\n"},
        {"qvr_rx.dll", "their rx"},     {"light.dll", "their light"},   {"shifter.dll", "a shifter of another build"},
        {"foreign.dll", "foreign"},     {"readme.txt", "foreign text"}, {"presets\\p.ini", "a subfolder's file"},
    };
    for (const auto& [name, bytes] : kPlugins) Put(H("\\Plugins\\") + name, bytes);
}

void HostFixture::Choose(const Choice& c) const {
    auto& g = vm::g;
    g.gHostPath = host_;
    g.gWinDir = winDir_;
    g.gPhysicsBkpFile = host_ + "\\physics_bkp_by_Velomark.qvz";
    g.gPhysicsBkpDir = host_ + "\\physics_bkp_by_Velomark";
    g.gScriptsBkpFile = host_ + "\\scripts_bkp_by_Velomark.qvz";
    g.gScriptsBkpDir = host_ + "\\scripts_bkp_by_Velomark";
    gFill::FillFileCheckList();
    gFill::FillCarTable();
    gFill::FillTrackTextures();
    const vm::CarEntry& car = vm::cars.carTable[static_cast<std::size_t>(c.carId)];
    g.gCarCategory = c.category;
    g.gCatCars[static_cast<std::size_t>(c.category)] = {car.slot, c.carId};
    g.gCar = car.slot;
    g.gCarPlus = c.carId;
    g.gCountry = c.country;
    g.gStageId = c.stageId;
    g.gHostTrackId = c.hostTrackId;
    surface_ = c.surface;
}

}  // namespace vmtest

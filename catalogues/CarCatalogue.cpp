#include "catalogues/CarCatalogue.h"

#include "services/Globals.h"

namespace vm {

const std::array<const char*, kCarClasses + 1> kCarClassCodes = {"",   "A8",  "N4", "A6", "A7", "A5",
                                                                 "S20", "S16", "N3", "N1", "OS"};

const char* HostSlotFolder(int slot) {
    static constexpr const char* kSlotFolders[] = {"c_xsara", "h_accent", "mg_zr",   "m_lancer",
                                                   "p_206",   "s_i2003",  "t_coroll", "s_i2000"};
    return slot >= 0 && slot < 8 ? kSlotFolders[slot] : "";
}

}  // namespace vm

namespace gFill {

namespace {

struct CarRow {
    std::int16_t id;
    const char* name;
    std::int16_t category, position, slot;
    const char* physics;   // the car's physics folder
    const char* folder;    // under "Cars"
    const char* stem;      // file stem of model, INI and shaders
    const char* textures;  // textures folder name
};

// In class and position order.
constexpr CarRow kCars[] = {
    {26, "Citro\xEBn C4", 1, 0, 0, "C4", "C4", "C4", "Textures"},
    {0, "Citro\xEBn Xsara", 1, 1, 0, "c_xsara", "xsara", "xsara", "Textures"},
    {25, "Citro\xEBn Xsara 2005", 1, 2, 0, "c_xsara_2005", "xsara05", "xsara", "Textures"},
    {13, "Citro\xEBn Xsara 2006", 1, 3, 0, "c_xsara_2006", "Xsara_2006", "xsara", "Textures"},
    {27, "Ford Escort", 1, 4, 5, "Escort", "ESCORT_WRC", "Escort_WRC", "Textures"},
    {101, "Ford Escort Cosworth", 1, 5, 5, "Escort_Cosworth", "ESCORT_COSWORTH_GRA", "Escort_Cosworth_GrA", "Textures"},
    {16, "Ford Focus 2001", 1, 6, 6, "focus01", "FORD_FOCUS_2001", "focus01", "Textures"},
    {18, "Ford Focus 2003", 1, 7, 1, "focus03", "Ford_Focus_2003", "focus03", "Textures"},
    {22, "Ford Focus 2004", 1, 8, 1, "focus04", "Ford_Focus_2004", "focus04", "Textures"},
    {24, "Ford Focus 2006", 1, 9, 1, "focus06", "FORD_FOCUS_2006", "focus06", "Textures"},
    {1, "Hyundai Accent", 1, 10, 1, "h_accent", "accent", "accent", "Textures"},
    {15, "Hyundai Accent 2003", 1, 11, 1, "h_accent_03", "ACCENTevo3", "ACCENTevo3", "Textures"},
    {17, "Lancia Delta", 1, 12, 6, "delta", "delta", "delta", "Textures"},
    {28, "Mitsubishi Lancer Evo 6.5", 1, 13, 3, "m_lancer_65", "LANCER_EVO_65", "LANCER_EVO_65", "Textures"},
    {3, "Mitsubishi Lancer Evo VII", 1, 14, 3, "m_lancer", "LANCER_EVO_VII", "lancer_evo_vII", "Textures"},
    {103, "Mitsubishi Lancer WRC 2005", 1, 15, 3, "lancer_wrc_2005", "lancer_wrc_2005", "lancer_wrc_2005", "Textures"},
    {4, "Peugeot 206", 1, 16, 4, "p_206", "Peugeot_206", "Peugeot_206", "Textures"},
    {14, "Peugeot 206 2003", 1, 17, 4, "p_206_2003", "Peugeot_206_2003", "Peugeot_206_2003", "Textures"},
    {11, "Peugeot 307", 1, 18, 4, "p_307", "ATR_P307_WRC05", "atr_p307", "Textures"},
    {29, "Seat Cordoba", 1, 19, 7, "s_cordoba", "CORDOBA_E1", "Cordoba_E1", "Textures"},
    {12, "\x8Akoda Octavia", 1, 20, 6, "s_octavia", "s_octavia", "Octavia", "Textures"},
    {19, "\x8Akoda Fabia", 1, 21, 6, "fabia", "FABIA05", "fabia05", "textures"},
    {102, "Subaru Impreza 1995", 1, 22, 7, "impreza95", "impreza95", "impreza95", "Textures"},
    {23, "Subaru Impreza 2001", 1, 23, 5, "s_i2001", "impreza01", "impreza01", "Textures"},
    {5, "Subaru Impreza 2003", 1, 24, 5, "s_i2003", "impreza03", "impreza03", "Textures"},
    {10, "Subaru Impreza 2005", 1, 25, 5, "s_i2005", "s_i2005", "impreza05", "Textures"},
    {21, "Subaru Impreza 2006", 1, 26, 5, "s_i2006", "impreza06", "impreza06", "Textures"},
    {100, "Subaru Impreza S14", 1, 27, 5, "s_i2008", "Impreza08", "impreza08", "Textures"},
    {6, "Toyota Corolla", 1, 28, 6, "t_coroll", "Corolla", "Corolla", "Textures"},
    {20, "Toyota Celica st205", 1, 29, 6, "t_celica", "CELICA_st205", "st205", "Textures"},
    {37, "Mitsubishi Lancer Evo VI", 2, 0, 3, "m_lancer_6", "LANCER_EVO_VI_N", "LANCER_EVO_VI_N", "Textures"},
    {31, "Mitsubishi Lancer Evo VII", 2, 1, 3, "m_lancer", "Lancer_EVO_VII_N", "lancer_evo_vII", "Textures"},
    {34, "Mitsubishi Lancer Evo VIII", 2, 2, 3, "m_lancer_8", "LANCER_EVO_8_GrN", "Lancer_Evo8_GrN", "Textures"},
    {35, "Mitsubishi Lancer Evo IX", 2, 3, 3, "m_lancer_9", "LANCER_EVO_9_GrN", "Lancer_Evo9_GrN", "Textures"},
    {36, "Subaru Impreza n10", 2, 4, 5, "subaru_n10", "IMPREZA_N10", "impreza_gpn", "textures"},
    {30, "Subaru Impreza n11", 2, 5, 5, "subaru_n11", "IMPREZA_N11", "impreza_gpn", "textures"},
    {33, "Subaru Impreza n12", 2, 6, 5, "subaru_n12", "IMPREZA06_GrN", "impreza06", "textures"},
    {201, "Subaru Impreza n14", 2, 7, 5, "subaru_n14", "Impreza_N14", "impreza_N14", "Textures"},
    {51, "Lada Kalina", 3, 0, 2, "lada_kalina", "lada_kalina", "lada_kalina", "TEXTURES"},
    {2, "MG ZR", 3, 1, 2, "mg_zr", "zr", "zr", "TEXTURES"},
    {74, "Peugeot 205 GTI", 4, 0, 2, "205_GTI", "PEUGEOT_205_GTI", "Peugeot_205_gti", "Textures"},
    {75, "Peugeot 206", 4, 1, 2, "206_GrA", "PEUGEOT_206_grA", "Peugeot_206_grA", "Textures"},
    {77, "Peugeot 306", 4, 2, 2, "306_GrA", "PEUGEOT_306_grA", "peugeot_306_grA", "Textures"},
    {70, "Peugeot 306 KIT", 4, 3, 2, "p306Maxi", "p306maxi", "p306maxi", "Textures"},
    {71, "Renault Clio R3", 4, 4, 2, "clio_r3", "Clio_R3", "Clio_R3", "Textures"},
    {73, "Renault Megane Maxi", 4, 5, 2, "meganeMaxi", "MEGANE_MAXI", "megane_maxi", "Textures"},
    {76, "Seat Ibiza KIT", 4, 6, 2, "Ibiza_KC", "IBIZA_KC", "Ibiza_KC", "Textures"},
    {72, "VolksWagen Golf IV", 4, 7, 2, "golf_kit", "GOLF_KC", "GOLF_KC", "Textures"},
    {90, "Peugeot 106", 5, 0, 2, "p_106", "p106", "p106", "Textures"},
    {91, "Zastava Yugo", 5, 1, 2, "yugo", "yugo", "yugo", "Textures"},
    {200, "Fiat Grande Punto", 6, 0, 5, "g_punto", "g_punto_s2000", "g.punto_s2000", "Textures"},
    {38, "Peugeot 207", 6, 1, 4, "p_207", "207_s2000", "207_s2000", "textures"},
    {32, "\x8Akoda Fabia", 6, 2, 6, "fabia", "Fabia_S2000", "fabia2000", "textures"},
    {39, "Volkswagen Polo", 6, 3, 1, "polo", "Polo_s2000", "Polo_s2000", "textures"},
    {48, "Citro\xEBn C2", 7, 0, 2, "c2", "CITROEN_C2_s1600", "C2s1600", "Textures"},
    {43, "Citro\xEBn Saxo", 7, 1, 2, "saxo", "SAXO_S1600", "saxo_s1600", "Textures"},
    {41, "Fiat Punto", 7, 2, 2, "punto", "PUNTO_1600_ATR2005", "punto_1600", "TEXTURES"},
    {44, "Ford Fiesta", 7, 3, 2, "fiesta_s1600", "Fiesta_RallyeConcept", "fiesta_RallyeConcept", "TEXTURES"},
    {49, "Opel Corsa", 7, 4, 2, "corsa", "Corsa_S1600", "Corsa_S1600", "TEXTURES"},
    {40, "Peugeot 206", 7, 5, 2, "p_206_s1600", "PEUGEOT_206_s1600", "Peugeot_206_s1600", "Textures"},
    {42, "Renault Clio", 7, 6, 2, "clio", "CLIO_S1600", "clio", "textures"},
    {46, "\x8Akoda Fabia", 7, 7, 2, "Fabia_kit", "Fabia_kit_s1600", "Fabia_kit_s1600", "textures"},
    {50, "Suzuki Ignis", 7, 8, 2, "ignis", "IGNIS", "ignis", "TEXTURES"},
    {47, "Suzuki Swift", 7, 9, 2, "swift", "SWIFT", "swift", "TEXTURES"},
    {45, "Volkswagen Polo", 7, 10, 2, "polo_s1600", "Polo_s1600", "Polo_s1600", "TEXTURES"},
    {205, "Ford Fiesta ST", 8, 0, 2, "fiestast", "FordFiestaST", "fiestast", "Textures"},
    {203, "Peugeot 206", 8, 1, 2, "206_GrN", "PEUGEOT_206_grN", "Peugeot_206_grN", "Textures"},
    {204, "Peugeot 306", 8, 2, 2, "306_GrN", "PEUGEOT_306_grN", "peugeot_306_grN", "Textures"},
    {202, "Peugeot 205 Rallye", 9, 0, 2, "205_Rallye", "PEUGEOT_205_Rallye", "Peugeot_205_Rallye", "Textures"},
    {500, "Volvo 242 LE", 10, 0, 7, "Volvo242LE", "Volvo242LE", "Volvo242LE", "Textures"},};

// Paths that differ from what the rules give.
struct Deviation {
    std::int16_t id;
    std::string vm::CarEntry::*field;
    const char* value;
};
const Deviation kDeviations[] = {
    {3, &vm::CarEntry::carIni, "Cars\\Lancer_EVO_VII\\lancer_evo_vII.ini"},
    {3, &vm::CarEntry::skinsIni, "Cars\\Lancer_EVO_VII\\skins.ini"},
    {18, &vm::CarEntry::shaderSettings, "Cars\\Ford_Focus_2003\\focus03_shader_Settings"},
    {22, &vm::CarEntry::shaderSettings, "Cars\\Ford_Focus_2004\\focus04_shader_Settings"},
    {24, &vm::CarEntry::shaderSettings, "Cars\\FORD_FOCUS_2006\\focus06_shader_Settings"},
    {44, &vm::CarEntry::carIni, "Cars\\Fiesta_RallyeConcept\\fiesta_rallyeconcept.ini"},
    {44, &vm::CarEntry::shaders, "Cars\\Fiesta_RallyeConcept\\fiesta_rallyeconcept_shaders"},
    {44, &vm::CarEntry::shaderSettings, "Cars\\Fiesta_RallyeConcept\\fiesta_rallyeconcept_shader_settings"},
    {49, &vm::CarEntry::skinsIni, "Cars\\Corsa_S1600\\Corsa_S1600.ini"},
};

}  // namespace

void FillCarTable() {
    const std::string physics = vm::g.gHostPath + "\\Physics\\Physics\\";
    for (const CarRow& row : kCars) {
        vm::CarEntry& car = vm::cars.carTable[static_cast<std::size_t>(row.id)];
        const std::string files = std::string("Cars\\") + row.folder + "\\";
        car.name = row.name;
        car.slot = row.slot;
        car.category = row.category;
        car.position = row.position;
        car.hostPhysicsDir = physics + vm::HostSlotFolder(row.slot);
        car.carPhysicsDir = physics + row.physics;
        car.model = files + row.stem + ".sgc";
        car.carIni = files + row.stem + ".ini";
        car.skinsIni = files + "skins.ini";
        car.shaders = files + row.stem + "_shaders";
        car.shaderSettings = files + row.stem + "_shader_settings";
        car.textures = files + row.textures;
        // The rows run in position order, so the last car of a class sets its count.
        vm::cars.gCatCount[static_cast<std::size_t>(row.category)] = row.position;
    }
    for (const Deviation& d : kDeviations) vm::cars.carTable[static_cast<std::size_t>(d.id)].*d.field = d.value;
}

}  // namespace gFill

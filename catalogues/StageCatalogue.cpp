#include "catalogues/StageCatalogue.h"

#include <exception>

#include "catalogues/SelectorLists.h"
#include "ui/Controls.h"
#include "platform/Ports.h"
#include "services/Globals.h"

namespace gFill {

namespace {

constexpr StageEntry kFinland[] = {
    {"Kaihuavaara       [6100m]", 10},
    {"Mustaselka        [7900m]", 11},
    {"Sikakama         [10200m]", 12},
    {"Autiovaara        [6100m]", 13},
    {"Kaihuavaara II    [6100m]", 14},
    {"Mustaselka II     [7700m]", 15},
    {"Sikakama II      [10200m]", 16},
    {"Autiovaara II     [6100m]", 17},
};

constexpr StageEntry kEngland[] = {
    {"Harwood Forest     [6100m]", 20},
    {"Falstone           [6600m]", 21},
    {"Chirdonhead        [7000m]", 22},
    {"Shepherds Shield   [4800m]", 23},
    {"Harwood Forest II  [5900m]", 24},
    {"Chirdonhead II     [6900m]", 25},
    {"Rally School       [2200m]", 71},
    {"Rally School II    [2200m]", 90},
    {"Falstone II        [6600m]", 26},
    {"Shepherds Shield II[4800m]", 27},
    {"Rally Sprint       [5100m]", 107},
    {"Sweet Lamb         [5100m]", 200},
};

constexpr StageEntry kAustralia[] = {
    {"New Bobs          [10100m]", 31},
    {"Greenhills         [6000m]", 32},
    {"Mineshaft          [8200m]", 33},
    {"East-West          [9500m]", 34},
    {"NewBobs II         [10000m]", 35},
    {"East-West II       [9600m]", 36},
    {"Greenhills II      [6000m]", 30},
    {"Mineshaft II       [8200m]", 37},
    {"Canyon             [2100m]", 1000},
};

constexpr StageEntry kFrance[] = {
    {"Cote D'Arbroz      [4500m]", 41},
    {"Joux Verte         [7900m]", 42},
    {"Bisanne            [5600m]", 43},
    {"Joux Plane        [11100m]", 44},
    {"Joux Verte II      [7800m]", 45},
    {"Cote D'Arbroz II   [4300m]", 46},
    {"Joux Plane II     [11100m]", 48},
    {"Bisanne II         [5600m]", 47},
};

constexpr StageEntry kJapan[] = {
    {"Noiker           [13800m]", 51},
    {"Sipirkakim        [8700m]", 52},
    {"Pirka Menoko      [6700m]", 53},
    {"Tanner            [3900m]", 54},
    {"Noiker II        [13700m]", 55},
    {"Tanner II         [4000m]", 56},
    {"Sipirkakim II     [8700m]", 50},
    {"Pirka Menoko II   [6700m]", 57},
};

constexpr StageEntry kUSA[] = {
    {"Fraizer Wells      [5000m]", 61},
    {"Prospect Ridge     [7800m]", 62},
    {"Diamond Creek      [7100m]", 63},
    {"Hualapai Nation    [8600m]", 64},
    {"Prospect Ridge II  [7900m]", 65},
    {"Diamond Creek II   [6800m]", 66},
    {"Fraizer Wells II   [5000m]", 60},
    {"Hualapai Nation II [8600m]", 67},
};

constexpr StageEntry kCzechRepublic[] = {
    {"Pribram            [9100m]", 94},
    {"Pribram II         [8900m]", 92},
};

constexpr StageEntry kPortugal[] = {
    {"Estadio Algarve    [2300m]", 114},
};

// By country index.
constexpr std::span<const StageEntry> kStageLists[] = {kFinland, kEngland, kAustralia,     kFrance,
                                                       kJapan,   kUSA,     kCzechRepublic, kPortugal};

// Stage ids that belong to a country but stand in none of its lists.
struct UnlistedStage {
    std::int32_t stageId;
    int country;
};
constexpr UnlistedStage kUnlisted[] = {{96, 6}};

// Stage ids that the host knows under another track id.
struct TrackRemap {
    std::int32_t stageId, hostTrackId;
};
constexpr TrackRemap kHostTracks[] = {
    {16, 12},  {17, 13},  {26, 21},  {27, 23},  {30, 32},  {37, 33},  {47, 43},   {771, 43}, {772, 43},
    {773, 43}, {774, 43}, {775, 43}, {776, 43}, {48, 44},  {96, 44},  {50, 52},   {57, 53},  {60, 61},
    {67, 64},  {92, 41},  {114, 41}, {107, 25}, {200, 20}, {1000, 36},
};

}  // namespace

std::span<const StageEntry> StageList(int country) {
    if (country < 0 || country >= static_cast<int>(std::size(kStageLists))) return {};
    return kStageLists[country];
}

StagePlace PlaceOfStage(std::int32_t stageId) {
    for (int country = 0; country < static_cast<int>(std::size(kStageLists)); ++country) {
        std::span<const StageEntry> list = kStageLists[country];
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i].id == stageId) return {country, static_cast<int>(i)};
    }
    for (const UnlistedStage& u : kUnlisted)
        if (u.stageId == stageId) return {u.country, -1};
    return {};
}

std::int32_t HostTrackId(std::int32_t stageId) {
    for (const TrackRemap& r : kHostTracks)
        if (r.stageId == stageId) return r.hostTrackId;
    return stageId;
}

void FillStages(ui::ComboBox& cmbStage, std::int16_t country) {
    cmbStage.Clear();
    if (country == kBtbTracks) {
        // What a directory listing with folders gives: ordinary files and folders.
        if (auto entries = platform::fileSystem().List(vm::g.gHostPath + "\\RX_CONTENT\\Tracks"))
            for (const platform::DirEntry& e : *entries)
                if (!(e.attributes & (platform::kAttrHidden | platform::kAttrSystem))) cmbStage.AddItem(e.name);
    } else {
        for (const StageEntry& s : StageList(country)) {
            cmbStage.AddItem(s.text);
            cmbStage.SetItemData(cmbStage.ListCount() - 1, s.id);
        }
    }
    int n = cmbStage.ListCount();
    if (vm::g.gStage >= n) vm::g.gStage = n - 1;
    try {
        cmbStage.SetListIndex(vm::g.gStage);
    } catch (const std::exception&) {
        // A remembered index below -1, or a failure of the stage's own handler.
    }
}

}  // namespace gFill

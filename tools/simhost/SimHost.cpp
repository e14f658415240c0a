#include "tools/simhost/SimHost.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>

#include "platform/AnsiText.h"
#include "platform/Bytes.h"
#include "plugins/HostAddresses.h"
#include "services/host/HostMap.h"

namespace simhost {

namespace {

static_assert(qvrplugin::kBuildMarker == hostmap::kMarker, "the client and the plug-ins read one marker byte");

// Digits only, in the base, all of the text, within 32 bits.
bool ParseNumber(const std::string& text, int base, std::uint32_t* out) {
    const char* end = text.data() + text.size();
    std::uint32_t value = 0;
    auto [at, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || at != end) return false;
    *out = value;
    return true;
}

// Digits with at most one decimal point, finite and not below 0.
bool ParseSeconds(const std::string& text, float* out) {
    const char* end = text.data() + text.size();
    float value = 0;
    auto [at, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || text[0] == '-' || error != std::errc() || at != end || !std::isfinite(value)) return false;
    *out = value;
    return true;
}

// A comma-separated list of seconds.
bool ParseSecondsList(const std::string& text, std::vector<float>* out) {
    out->clear();
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t comma = std::min(text.find(',', at), text.size());
        float value = 0;
        if (!ParseSeconds(text.substr(at, comma - at), &value)) return false;
        out->push_back(value);
        at = comma + 1;
    }
    return true;
}

std::string Seconds(float s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", s);
    return text;
}

std::uint32_t EntryA(int i) { return layout::kMenuAEntries + i * layout::kEntrySize; }
std::uint32_t EntryB(int i) { return layout::kMenuBEntries + i * layout::kEntrySize; }

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error) {
    Options o;
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string& name = args[i];
        if (i + 1 >= args.size()) return fail("no value after " + name);
        const std::string& value = args[i + 1];
        std::uint32_t n = 0;
        if (name == "--marker") {
            if (!ParseNumber(value, 16, &n) || n > 0xFF) return fail("bad marker " + value);
            o.marker = static_cast<std::uint8_t>(n);
        } else if (name == "--menu" && ParseNumber(value, 10, &n) && n < layout::kMenuAEntryCount) {
            o.firstMenu = static_cast<int>(n);
        } else if (name == "--stage") {
            std::vector<float> times;
            if (!ParseSecondsList(value, &times) || times.size() > 3 || times.front() <= 0 ||
                std::adjacent_find(times.begin(), times.end(), std::greater_equal<float>()) != times.end())
                return fail("bad stage times " + value);
            o.finish = times.back();
            o.splits.assign(times.begin(), times.end() - 1);
        } else if (name == "--speed") {
            if (!ParseSeconds(value, &o.speed) || o.speed <= 0) return fail("bad speed " + value);
        } else if (name == "--close-at") {
            float at = 0;
            if (!ParseSeconds(value, &at)) return fail("bad moment " + value);
            o.closeAt = at;
        } else if (name == "--routine-a" || name == "--routine-b") {
            if (!ParseSecondsList(value, name == "--routine-a" ? &o.routineA : &o.routineB))
                return fail("bad moments " + value);
        } else if (name == "--texts-after" && ParseNumber(value, 10, &n)) {
            o.textsAfterMs = n;
        } else if (name == "--lifetime" && ParseNumber(value, 10, &n)) {
            o.lifetimeMs = n;
        } else if (name == "--hang-on-close" && ParseNumber(value, 10, &n)) {
            o.hangOnCloseMs = n;
        } else if (name == "--show-after" && ParseNumber(value, 10, &n)) {
            o.showAfterMs = n;
        } else if (name == "--linger" && ParseNumber(value, 10, &n)) {
            o.lingerMs = n;
        } else if (name == "--plugin-record") {
            o.pluginRecord = value;
        } else if (name == "--plugin-calls") {
            o.pluginCalls = value;
        } else if (name == "--status-file") {
            o.statusFile = value;
        } else {
            return fail("bad option " + name + " " + value);
        }
    }
    return o;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(" \t\r\n", at)) != std::string::npos) {
        std::size_t end = std::min(text.find_first_of(" \t\r\n", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

SimHost::SimHost(HostMemory& memory, Options options) : memory_(memory), options_(std::move(options)) {
    std::sort(options_.routineA.begin(), options_.routineA.end());
    std::sort(options_.routineB.begin(), options_.routineB.end());
}

bool SimHost::PutBytes(std::uint32_t address, const std::string& bytes) {
    return memory_.Put(address, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

bool SimHost::Put32(std::uint32_t address, std::uint32_t value) { return PutBytes(address, platform::Le32(value)); }

bool SimHost::PutHex(std::uint32_t address, const std::string& hex) {
    auto bytes = platform::HexToBytes(hex);
    return bytes && memory_.Put(address, bytes->data(), static_cast<std::uint32_t>(bytes->size()));
}

bool SimHost::PutFloat(std::uint32_t address, float value) { return PutBytes(address, platform::LeFloat(value)); }

std::uint32_t SimHost::Get32(std::uint32_t address) {
    std::uint8_t b[4];
    return memory_.Get(address, b, 4) ? platform::FromLe32(b) : 0;
}

float SimHost::GetFloat(std::uint32_t address) {
    std::uint8_t b[4];
    return memory_.Get(address, b, 4) ? platform::FromLeFloat(b) : 0;
}

std::string SimHost::GetBytes(std::uint32_t address, std::uint32_t size) {
    std::string bytes(size, '\0');
    return memory_.Get(address, bytes.data(), size) ? bytes : std::string();
}

std::string SimHost::GetText(std::uint32_t address, std::uint32_t maxChars) {
    std::string text;
    char c = 0;
    while (text.size() < maxChars && memory_.Get(address + static_cast<std::uint32_t>(text.size()), &c, 1) && c != 0)
        text += c;
    return text;
}

std::string SimHost::GetWideText(std::uint32_t address, std::uint32_t maxChars) {
    std::string units;
    char unit[2] = {};
    while (units.size() < 2 * maxChars &&
           memory_.Get(address + static_cast<std::uint32_t>(units.size()), unit, 2) && (unit[0] || unit[1]))
        units.append(unit, 2);
    return platform::Utf16LeToCp1252(units);
}

bool SimHost::Layout() {
    using namespace hostmap;
    using namespace layout;
    if (!memory_.Holds(kCodeBegin, kMapEnd - kCodeBegin)) return false;
    bool ok = true;

    // Code: the marker and the bytes the client and the plug-ins patch, as the host has them.
    ok &= PutBytes(kMarker, std::string(1, static_cast<char>(options_.marker)));
    ok &= PutHex(kMenuBranchCode, "7405");
    ok &= PutHex(kTyreTypeCode, "8A4E2C90");
    ok &= Put32(kSkyNameOperand, kHostSkyName);
    ok &= PutHex(kRoutineA, "558BEC83EC0C5356578B7D0889");
    ok &= PutHex(kRoutineB, "558BEC83EC085356578B750C8B");
    ok &= PutHex(kStageClockStore, kStageClockStoreHex);
    for (std::uint32_t a : {kEventPatchV1, kEventPatchV2, kEventPatchV3}) ok &= PutHex(a, "F30F11");
    ok &= PutHex(qvrplugin::kBranchA, "74");
    ok &= PutHex(qvrplugin::kBranchB, "74");
    ok &= PutBytes(kHostSkyName, std::string("clear") + '\0');

    // The game object, in the menus.
    ok &= Put32(kGamePtr, kGame);
    ok &= Put32(kGame + game::kText1, kHostTexts);
    ok &= Put32(kGame + game::kText2, kHostTexts);
    ok &= Put32(kGame + game::kMode, kModeMenus);

    // Menu object A and its entries, the first menu selected.
    ok &= Put32(kMenuAPtr, kMenuA);
    ok &= Put32(kMenuA + menu::kStamp, kMenuAStamp);
    for (int i = 0; i < kMenuAEntryCount; ++i) {
        ok &= Put32(kMenuA + menu::kTableA + 4 * i, EntryA(i));
        ok &= Put32(EntryA(i) + menu::kEntryParameter, 1);
    }
    ok &= Put32(kMenuA + menu::kSelected, EntryA(options_.firstMenu));

    // Menu object B, its entries, and their linked sub-items.
    ok &= Put32(kMenuBPtr, kMenuB);
    ok &= Put32(kMenuB + menu::kStamp, kMenuBStamp);
    ok &= Put32(kMenuB + menu::kSelected, EntryB(0));
    for (int i = 0; i < kMenuBEntryCount; ++i) {
        std::uint32_t table = kSubItemTables + i * 4 * kSubItemCount;
        ok &= Put32(kMenuB + menu::kTableB + 4 * i, EntryB(i));
        ok &= Put32(EntryB(i) + menu::kEntrySubItems, table);
        ok &= Put32(EntryB(i) + menu::kEntryParameter, 1);
        for (int k = 0; k < kSubItemCount; ++k) {
            std::uint32_t item = kSubItems + (i * kSubItemCount + k) * kSubItemSize;
            ok &= Put32(table + 4 * k, item);
            ok &= Put32(item + menu::kSubItemLink, EntryB((i + 1) % kMenuBEntryCount));
        }
    }

    // The text table (published later by OnTick) with the host's own texts.
    ok &= PutBytes(kHostTexts, platform::Cp1252ToUtf16Le("Championship"));
    ok &= PutBytes(kHostTexts + 0x40, platform::Cp1252ToUtf16Le("Load Game"));
    for (std::int32_t offset : {texts::kSave1, texts::kSave2}) ok &= Put32(kTexts + offset, kHostTexts + 0x40);
    ok &= Put32(kTexts + texts::kGoto, kHostTexts);

    ok &= Put32(kTuningPtr, kTuning);
    ok &= Put32(kTuning + kTuningLink, kTuningRecord);
    ok &= Put32(qvrplugin::kCarPtr, kCar);
    ok &= Put32(qvrplugin::kDrivingFlag, 0);  // in the menus
    OnTick(0);
    return ok;
}

namespace {
// How the host leaves an entry of menu A: by Enter, by the word at +0x70 reading 1, and for
// which entry (or the stage). Entries not listed (the stage menu, before the start) wait for
// the client to select its own entry in their place.
struct MenuWay {
    int from;
    bool byEnter, byWord;
    int to;
};
constexpr MenuWay kMenuWays[] = {
    {menus::kMain, true, true, menus::kCar},
    {menus::kCar, true, false, menus::kStageMenu},
    {menus::kClientStage, true, true, menus::kBeforeStart},
    {menus::kStart, true, false, menus::kTheStage},
};

const MenuWay* WayFrom(int entry) {
    for (const auto& way : kMenuWays)
        if (way.from == entry) return &way;
    return nullptr;
}
}  // namespace

void SimHost::OnTick(std::uint32_t elapsedMs) {
    if (closed_) return;
    now_ = elapsedMs;
    if (!textsShown_ && elapsedMs >= options_.textsAfterMs) {
        textsShown_ = Put32(hostmap::kMenuTextsPtr, layout::kTexts);
    }
    if (phase_ == Phase::Menus) {
        const MenuWay* way = WayFrom(MenuIndex());
        if (way && way->byWord && Get32(layout::kMenuA + hostmap::menu::kWordA) == 1) MoveOn(way->to);
        return;
    }
    if (window_) window_->KeepInFront();
    if (phase_ == Phase::StartLine) {
        if (now_ - phaseStart_ < options_.startLineMs) return;
        phase_ = Phase::Running;
        phaseStart_ += options_.startLineMs;
        PutFloat(layout::kGame + hostmap::game::kStageState, kRunningState);
        if (events_) events_->StageStarted(stage_, stageName_, false);
    }
    RunStage();
}

int SimHost::MenuIndex() {
    using namespace hostmap::menu;
    std::uint32_t selected = Get32(layout::kMenuA + kSelected);
    for (int i = 0; i < layout::kMenuAEntryCount; ++i)
        if (Get32(layout::kMenuA + kTableA + 4 * i) == selected) return i;
    return -1;
}

void SimHost::OnEnter() {
    if (phase_ != Phase::Menus) return;
    const MenuWay* way = WayFrom(MenuIndex());
    if (way && way->byEnter) MoveOn(way->to);
}

void SimHost::MoveOn(int to) {
    if (to == menus::kTheStage) StartStage();
    else Put32(layout::kMenuA + hostmap::menu::kSelected, EntryA(to));
}

void SimHost::StartStage() {
    using namespace hostmap::game;
    const std::uint32_t game = layout::kGame;
    PutFloat(game + kStageClock, 0);
    PutFloat(game + kSplit1, 0);
    PutFloat(game + kSplit2, 0);
    Put32(game + kCheckpoints, 0);
    Put32(game + kFinished, 0);
    PutFloat(game + kStageState, kStartLineState);
    Put32(game + kMode, kModeStage);
    Put32(qvrplugin::kDrivingFlag, 1);
    stage_ = static_cast<std::int32_t>(Get32(hostmap::kTrackIdCell));
    stageName_ = "Track " + std::to_string(stage_);
    phase_ = Phase::StartLine;
    phaseStart_ = now_;
}

float SimHost::SplitTaken(std::size_t i) const {
    return i < static_cast<std::size_t>(checkpoints_) ? options_.splits[i] : 0.0f;
}

void SimHost::RunStage() {
    using namespace hostmap::game;
    const std::uint32_t game = layout::kGame;
    const double t = (now_ - phaseStart_) / 1000.0 * options_.speed;
    // Each value before what tells that it is there: the clock before the splits and their
    // count, a split before the count, and the finish flag last.
    const bool finishing = !finished_ && t >= options_.finish;
    if (!finished_) PutFloat(game + kStageClock, finishing ? options_.finish : static_cast<float>(t));
    for (std::size_t i = checkpoints_; i < options_.splits.size() && t >= options_.splits[i]; ++i) {
        PutFloat(game + kSplit1 + 4 * static_cast<std::int32_t>(i), options_.splits[i]);
        Put32(game + kCheckpoints, static_cast<std::uint32_t>(++checkpoints_));
        if (events_) events_->CheckpointPassed(options_.splits[i], checkpoints_, stageName_);
    }
    if (finishing) {
        finished_ = true;
        Put32(game + kFinished, 1);
        Put32(qvrplugin::kDrivingFlag, 0);
        if (events_) events_->StageEnded(SplitTaken(0), SplitTaken(1), options_.finish, stageName_);
    }
    for (; routinesDoneA_ < options_.routineA.size() && t >= options_.routineA[routinesDoneA_]; ++routinesDoneA_)
        RunRoutine(hostmap::kRoutineA);
    for (; routinesDoneB_ < options_.routineB.size() && t >= options_.routineB[routinesDoneB_]; ++routinesDoneB_)
        RunRoutine(hostmap::kRoutineB);
    if (options_.closeAt && t >= *options_.closeAt) {
        closed_ = true;
        if (!finished_) {  // the driver retired
            Put32(qvrplugin::kDrivingFlag, 0);
            if (events_) events_->StageEnded(SplitTaken(0), SplitTaken(1), 0, stageName_);
        }
        if (window_) window_->Close();
    }
}

void SimHost::RunRoutine(std::uint32_t address) {
    using namespace std::string_literals;
    const std::string code = GetBytes(address, 13);
    if (code.size() != 13 || !code.starts_with("\xC7\x05"s) || !code.ends_with("\xC2\x08\x00"s)) return;
    // A store the page does not allow would fault in the host; here it is left out.
    (void)PutBytes(platform::FromLe32(code.data() + 2), code.substr(6, 4));
}

std::string SimHost::StatusText() {
    using namespace hostmap;
    const std::uint32_t game = layout::kGame;
    auto cell = [&](const char* name, std::uint32_t address) {
        return std::string(name) + " " + std::to_string(static_cast<std::int32_t>(Get32(address)));
    };
    char marker[8];
    std::snprintf(marker, sizeof marker, "%02X", options_.marker);
    std::string out = std::string("Kovarra (simulated), build marker ") + marker + "\n";
    if (phase_ == Phase::Menus) {
        out += "In the menus: entry " + std::to_string(MenuIndex()) + "\n";
    } else if (phase_ == Phase::StartLine) {
        out += "At the start line\n";
    } else {
        out += std::string(Get32(game + game::kFinished) == 1 ? "Finished" : "Running") + ": clock " +
               Seconds(GetFloat(game + game::kStageClock)) + " s, " + cell("checkpoints", game + game::kCheckpoints) +
               ", split 1 " + Seconds(GetFloat(game + game::kSplit1)) + " s, split 2 " +
               Seconds(GetFloat(game + game::kSplit2)) + " s\n";
    }
    out += "Text: " + GetWideText(Get32(game + game::kText1), 128) + "\n";

    out += "Stage: " + cell("track", kTrackIdCell) + ", " + cell("weather", kWeatherCell) + ", " +
           cell("damage", kDamageCell) + ", " + cell("option", kOptionCell) + ", " + cell("set", kStageSetCell) +
           ", " + cell("humidity", kHumidityCell) + ", " + cell("wear", kWearCell) + "\n";
    // The tyre type is the operand of the client's MOV CL once that is in place.
    const std::string tyre = GetBytes(kTyreTypeCode, 2);
    const bool tyreSet = tyre.size() == 2 && tyre[0] == '\xB1';
    const bool clockNops = GetBytes(kStageClockStore, 8) == std::string(8, '\x90');
    out += "Sky \"" + GetText(Get32(kSkyNameOperand), kSkyNameRoom) + "\", tyre type " +
           (tyreSet ? std::to_string(static_cast<std::uint8_t>(tyre[1])) : "host's") + ", clock store " +
           (clockNops ? "NOPs" : "host's") + "\n";
    const std::uint32_t carEntry = Get32(layout::kMenuA + menu::kTableA + 4 * menus::kCar);
    out += "Car: " + cell("slot", kCarSlotCell) + ", " + cell("car entry", carEntry + menu::kEntryValue) + ", " +
           cell("menu car index", qvrplugin::kMenuCarIndexE8) + "\n";

    const std::uint32_t texts = Get32(kMenuTextsPtr);
    const std::string items = texts == 0 ? std::string("-")
                                         : GetWideText(Get32(texts + texts::kGoto), 16) + " / " +
                                               GetWideText(Get32(texts + texts::kSave1), 16);
    const bool clientMenu =
        Get32(layout::kMenuB + menu::kSelected) == Get32(layout::kMenuB + menu::kTableB + 4 * menus::kClientMenuB);
    out += "Menu items: " + items + ", client menu " + (clientMenu ? "built" : "not built") + ", " +
           cell("flag A", kFlagCellA) + ", " + cell("flag B", kFlagCellB) + "\n";
    return out;
}

}  // namespace simhost

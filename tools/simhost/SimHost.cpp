#include "tools/simhost/SimHost.h"

#include <algorithm>
#include <charconv>

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
        } else if (name == "--menus") {
            o.menus.clear();
            for (std::size_t at = 0; at <= value.size();) {
                std::size_t comma = std::min(value.find(',', at), value.size());
                if (!ParseNumber(value.substr(at, comma - at), 10, &n) || n >= layout::kMenuAEntryCount)
                    return fail("bad menu list " + value);
                o.menus.push_back(static_cast<int>(n));
                at = comma + 1;
            }
        } else if (name == "--texts-after" && ParseNumber(value, 10, &n)) {
            o.textsAfterMs = n;
        } else if (name == "--lifetime" && ParseNumber(value, 10, &n)) {
            o.lifetimeMs = n;
        } else if (name == "--hang-on-close" && ParseNumber(value, 10, &n)) {
            o.hangOnCloseMs = n;
        } else if (name == "--plugin-record") {
            o.pluginRecord = value;
        } else if (name == "--plugin-calls") {
            o.pluginCalls = value;
        } else {
            return fail("bad option " + name + " " + value);
        }
    }
    return o;
}

bool SimHost::PutBytes(std::uint32_t address, const std::string& bytes) {
    return memory_.Put(address, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

bool SimHost::Put32(std::uint32_t address, std::uint32_t value) { return PutBytes(address, platform::Le32(value)); }

bool SimHost::PutHex(std::uint32_t address, const std::string& hex) {
    auto bytes = platform::HexToBytes(hex);
    return bytes && memory_.Put(address, bytes->data(), static_cast<std::uint32_t>(bytes->size()));
}

std::uint32_t SimHost::Get32(std::uint32_t address) {
    std::uint8_t b[4];
    return memory_.Get(address, b, 4) ? platform::FromLe32(b) : 0;
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
    ok &= Put32(kGame + game::kMode, 1);

    // Menu object A and its entries; the first menu of the script is selected.
    ok &= Put32(kMenuAPtr, kMenuA);
    ok &= Put32(kMenuA + menu::kStamp, kMenuAStamp);
    for (int i = 0; i < kMenuAEntryCount; ++i) {
        ok &= Put32(kMenuA + menu::kTableA + 4 * i, EntryA(i));
        ok &= Put32(EntryA(i) + menu::kEntryParameter, 1);
    }
    ok &= Put32(kMenuA + menu::kSelected, EntryA(options_.menus.empty() ? 0 : options_.menus.front()));

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
    ok &= Put32(qvrplugin::kDrivingFlag, 1);
    OnTick(0);
    return ok;
}

void SimHost::OnTick(std::uint32_t elapsedMs) {
    if (!textsShown_ && elapsedMs >= options_.textsAfterMs) {
        textsShown_ = Put32(hostmap::kMenuTextsPtr, layout::kTexts);
    }
}

int SimHost::MenuIndex() {
    using namespace hostmap::menu;
    std::uint32_t selected = Get32(layout::kMenuA + kSelected);
    for (int i = 0; i < layout::kMenuAEntryCount; ++i)
        if (Get32(layout::kMenuA + kTableA + 4 * i) == selected) return i;
    return -1;
}

void SimHost::OnEnter() {
    auto at = std::find(options_.menus.begin(), options_.menus.end(), MenuIndex());
    if (at == options_.menus.end() || at + 1 == options_.menus.end()) return;
    Put32(layout::kMenuA + hostmap::menu::kSelected, EntryA(*(at + 1)));
}

}  // namespace simhost

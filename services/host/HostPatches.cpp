// Menu entries, stage parameters and code patches of the running host (version 3).
#include "platform/AnsiText.h"
#include "services/host/HostMap.h"
#include "services/host/qvrHost.h"

namespace qvrMod {

using Memory::ReadLong;
using Memory::Value;
using Memory::WriteLong;

namespace {

// How the two menu objects differ.
struct MenuKind {
    std::int32_t table;   // offset of the entry table
    bool parameterNine;   // the parameter is always 9
    bool valueTwice;      // the value also goes to +0x1C
};
constexpr MenuKind kMenuA{hostmap::menu::kTableA, false, true};
constexpr MenuKind kMenuB{hostmap::menu::kTableB, true, false};

void SetMenuItem(Value<std::int32_t> base, const MenuKind& kind, int e, int l, std::int32_t c, std::int32_t p,
                 const float (&x)[4], bool select) {
    using namespace hostmap::menu;
    Value<std::int32_t> entry = ReadLong(base + kind.table + 4 * e);
    if (kind.parameterNine) WriteLong(entry + kEntryParameter, 9);
    else if (p != -1) WriteLong(entry + kEntryParameter, p);
    for (int i = 0; i < 4; ++i)
        if (x[i] != -1) Memory::WriteSingle(base + kFloats + 4 * i, x[i]);
    if (c != -1) {
        WriteLong(entry + kEntryValue, c);
        if (kind.valueTwice) WriteLong(entry + kEntryValueAgain, c);
    }
    WriteLong(entry + kEntryStamp, ReadLong(base + kStamp));
    if (l != -1) WriteLong(entry + kEntryLink, ReadLong(base + kind.table + 4 * l));
    if (select) WriteLong(base + kSelected, entry);
}

// Clears the link of sub-item b of entry a of the menu B object at base.
void UnlinkSubItem(Value<std::int32_t> base, int a, int b) {
    using namespace hostmap::menu;
    Value<std::int32_t> entry = ReadLong(base + kTableB + 4 * a);
    Value<std::int32_t> list = ReadLong(entry + kEntrySubItems);
    Value<std::int32_t> item = ReadLong(list + 4 * b);
    WriteLong(item + kSubItemLink, 0);
}

}  // namespace

void SetMenuItemA(int e, int l, std::int32_t c, std::int32_t p, float x1, float x2, float x3, float x4, bool select) {
    SetMenuItem(GetMenuBase(), kMenuA, e, l, c, p, {x1, x2, x3, x4}, select);
}

void SetMenuItemB(int e, int l, std::int32_t c, std::int32_t p, float x1, float x2, float x3, float x4, bool select) {
    SetMenuItem(GetMenuBaseB(), kMenuB, e, l, c, p, {x1, x2, x3, x4}, select);
}

void LinkMenuItem(int a, int b) { UnlinkSubItem(GetMenuBaseB(), a, b); }

void BuildClientMenu() {
    // One lookup of menu B serves the entry and its three sub-items.
    Value<std::int32_t> base = GetMenuBaseB();
    SetMenuItem(base, kMenuB, 17, -1, 4, -1, {0, 0, 0, 0}, true);
    for (int subItem : {4, 8, 9}) UnlinkSubItem(base, 17, subItem);
}

void SetStageParams(std::int32_t track, std::int32_t weather, std::int32_t car, std::int32_t damage,
                    std::int32_t option, std::int32_t testFlag, std::uint8_t tyreType, std::uint8_t humid,
                    std::uint8_t wear, const std::string& skyName) {
    using namespace hostmap;
    if (GetHostVersion() != 3) return;
    WriteLong(kHumidityCell, humid);
    WriteLong(kWearCell, wear);
    // The buffer ends where the humidity cell begins.
    Memory::WriteString(kSkyName, skyName.substr(0, kSkyNameRoom - 1) + '\0');
    WriteLong(kTrackIdCell, track);
    WriteLong(kWeatherCell, weather);
    WriteLong(kCarSlotCell, car);
    WriteLong(kDamageCell, damage);
    WriteLong(kOptionCell, option);
    WriteLong(kStageSetCell, 1);
    Memory::WriteByte(kTyreTypeOperand, tyreType);
    Memory::WriteHex(kStageClockStore, testFlag == 1 ? kEightNops : kStageClockStoreHex);
}

void PatchHostMenus() {
    using namespace hostmap;
    if (GetHostVersion() != 3) return;
    WriteLong(ReadLong(ReadLong(kTuningPtr) + kTuningLink) + kTuningField, kTuningValue);
    Memory::WriteHex(kMenuBranchCode, kNopNop);
    Memory::WriteHex(kTyreTypeCode, kTyreTypeMov);
    WriteLong(kSkyNameOperand, static_cast<std::int32_t>(kSkyName));
    WriteLong(kFlagCellA, 0);
    Memory::WriteHex(kRoutineA, kSetFlagA);
    WriteLong(kFlagCellB, 0);
    Memory::WriteHex(kRoutineB, kSetFlagB);
    // The host makes its text table a while after its start. A read that fails means the host
    // is gone: stop waiting then.
    Value<std::int32_t> table = ReadLong(kMenuTextsPtr);
    while (table.ok && table == 0) {
        Memory::Wait(2000);
        table = ReadLong(kMenuTextsPtr);
    }
    WriteLong(table + texts::kSave1, static_cast<std::int32_t>(kSaveText));
    WriteLong(table + texts::kSave2, static_cast<std::int32_t>(kSaveText));
    WriteLong(table + texts::kGoto, static_cast<std::int32_t>(kGotoText));
    Memory::WriteString(kGotoText, platform::Cp1252ToUtf16Le("Goto Velomark"));
    Memory::WriteString(kSaveText, platform::Cp1252ToUtf16Le("Save Data"));
}

std::string ReadyToSSText(const std::string& name, std::int16_t ss) {
    return name + '\n' + "ready to SS" + std::to_string(ss);
}

}  // namespace qvrMod

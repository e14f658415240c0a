// The host's memory map: fixed addresses of the host build with marker 0xE8 (version 3) unless
// a version is named, the layout of its objects, and the code bytes the client writes. These
// are constants of the host builds; nothing computes or searches for them.
#pragma once
#include <cstdint>

namespace hostmap {

// The class of the host's top-level window.
inline constexpr const char* kWindowClass = "D3D Window";

// The build marker byte and its values.
inline constexpr std::uint32_t kMarker = 0x4860F5;
inline constexpr std::uint8_t kMarkerV1 = 0x10, kMarkerV2 = 0x8B, kMarkerV3 = 0xE8, kMarkerV4 = 0x00;

// Pointers to the host's objects.
inline constexpr std::uint32_t kGamePtr = 0x165FC68;       // HostGameState
inline constexpr std::uint32_t kMenuAPtr = 0x165FA48;      // HostMenu A
inline constexpr std::uint32_t kMenuBPtr = 0x165FC48;      // HostMenu B
inline constexpr std::uint32_t kMenuTextsPtr = 0x8935D8;   // HostMenuTexts; 0 until the menus exist
inline constexpr std::uint32_t kTuningPtr = 0x7EA678;      // object whose +0x70 points to the tuning record

// Stage parameter cells (4-byte integers) and the sky name buffer.
inline constexpr std::uint32_t kTrackIdCell = 0x1660804;
inline constexpr std::uint32_t kCarSlotCell = 0x1660808;
inline constexpr std::uint32_t kOptionCell = 0x1660814;
inline constexpr std::uint32_t kWeatherCell = 0x1660848;
inline constexpr std::uint32_t kDamageCell = 0x1660850;
inline constexpr std::uint32_t kStageSetCell = 0x1660854;
inline constexpr std::uint32_t kHumidityCell = 0x89390C;
inline constexpr std::uint32_t kWearCell = 0x893910;
inline constexpr std::uint32_t kSkyName = 0x893888;
inline constexpr std::uint32_t kSkyNameRoom = kHumidityCell - kSkyName;  // 132 bytes, terminator included

// Wide (UTF-16LE) texts of the client's, and the two flag cells the patched routines set.
inline constexpr std::uint32_t kGotoText = 0x7FA040;   // room for 32 bytes
inline constexpr std::uint32_t kSaveText = 0x7FA060;
inline constexpr std::uint32_t kReadyText = 0x7FA140;
inline constexpr std::uint32_t kFlagCellA = 0x400A04;  // set by the routine at kRoutineA once patched
inline constexpr std::uint32_t kFlagCellB = 0x400A08;  // set by the routine at kRoutineB once patched

// Host code that the client patches.
inline constexpr std::uint32_t kMenuBranchCode = 0x5430CB;    // 2 bytes
inline constexpr std::uint32_t kTyreTypeCode = 0x5662A6;      // 4 bytes: MOV CL, imm8; NOP; NOP
inline constexpr std::uint32_t kTyreTypeOperand = 0x5662A7;   // the imm8 of that MOV
inline constexpr std::uint32_t kSkyNameOperand = 0x4AA236;    // 4-byte address operand
inline constexpr std::uint32_t kRoutineA = 0x58D940;          // 13 bytes
inline constexpr std::uint32_t kRoutineB = 0x58BEE0;          // 13 bytes
inline constexpr std::uint32_t kStageClockStore = 0x576819;   // 8 bytes
inline constexpr std::uint32_t kEventPatchV1 = 0x579410, kEventPatchV2 = 0x5892E0, kEventPatchV3 = 0x58BD80;  // 3 bytes

inline constexpr const char* kNopNop = "9090";
inline constexpr const char* kTyreTypeMov = "B1009090";
inline constexpr const char* kSetFlagA = "C705040A400001000000C20800";  // MOV DWORD PTR [0x400A04], 1; RET 8
inline constexpr const char* kSetFlagB = "C705080A400001000000C20800";  // MOV DWORD PTR [0x400A08], 1; RET 8
inline constexpr const char* kEightNops = "9090909090909090";
inline constexpr const char* kStageClockStoreHex = "F30F118640010000";  // the host's MOVSS [ESI+0x140], XMM0
inline constexpr std::int32_t kTuningLink = 0x70, kTuningField = 0x18;  // [[kTuningPtr] + 0x70] + 0x18
inline constexpr std::int32_t kTuningValue = 0x19999999;

// The addresses that only the host plug-ins use are in plugins/HostAddresses.h.

// HostGameState offsets.
namespace game {
inline constexpr std::int32_t kText1 = 0x54, kText2 = 0x60;  // wide-text pointers
inline constexpr std::int32_t kStageClock = 0x140;           // float, seconds
inline constexpr std::int32_t kMode = 0x144;                 // 1 while in the menus
inline constexpr std::int32_t kStageState = 0x244;           // float
inline constexpr std::int32_t kCheckpoints = 0x254;
inline constexpr std::int32_t kSplit1 = 0x258, kSplit2 = 0x25C;  // floats, seconds
inline constexpr std::int32_t kFinished = 0x2C4;
}  // namespace game

// HostMenu and HostMenuEntry offsets.
namespace menu {
inline constexpr std::int32_t kStamp = 0x4;     // copied into each entry the client sets
inline constexpr std::int32_t kSelected = 0x8;  // pointer to the selected entry
inline constexpr std::int32_t kFloats = 0x48;   // four floats from here
inline constexpr std::int32_t kWordA = 0x70;    // object A only
inline constexpr std::int32_t kTableA = 0x78, kTableB = 0x80;
inline constexpr int kIndexCount = 89;          // the index search reads indexes 0..88
inline constexpr std::int32_t kEntryStamp = 0x4, kEntryLink = 0x8, kEntrySubItems = 0xC;
inline constexpr std::int32_t kEntryParameter = 0x14, kEntryValue = 0x18, kEntryValueAgain = 0x1C;
inline constexpr std::int32_t kSubItemLink = 0x8;
}  // namespace menu

// HostMenuTexts offsets of the text pointers the client replaces.
namespace texts {
inline constexpr std::int32_t kSave1 = 0x24FC, kSave2 = 0x126C, kGoto = 0x1324;
}  // namespace texts

}  // namespace hostmap

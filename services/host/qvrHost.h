// The host link for the host builds it knows (module qvrMod): which host build runs, its base
// pointers and menu index, the menu and stage patches, Enter presses and closing the host.
// Every access goes through module Memory; nothing is remembered between calls.
#pragma once
#include <cstdint>
#include <string>

#include "services/host/Memory.h"

namespace qvrMod {

// GetMenuIndex's answer when the host's menu could not be read: no menu number.
inline constexpr int kNoMenuIndex = -1;

// Looks the host up (Memory::GetHostProcess) and reads its marker byte: 1, 2, 3 or 4 for the
// markers 0x10, 0x8B, 0xE8 and 0x00; 0 for any other marker and when the read fails.
int GetHostVersion();
// The game object's address; version 3 only, otherwise 0 marked failed, without reading.
Memory::Value<std::int32_t> GetGameBase();
// Menu object A's address; version 3 only, otherwise 0 marked failed, without reading.
Memory::Value<std::int32_t> GetMenuBase();
// Menu object B's address, likewise.
Memory::Value<std::int32_t> GetMenuBaseB();
// The lowest index 0..88 of menu object A's table that holds the selected entry; 89 when none
// does; kNoMenuIndex when the menu or its selection cannot be read.
int GetMenuIndex();
// True unless the game object's mode reads 1 (also when it cannot be read).
bool IsGameStateNotOne();

// Sets entry e of menu object A: parameter p at +0x14, the four floats of the object, value c
// at +0x18 and +0x1C, the object's +0x4 into the entry, the link to entry l, and the selection
// when select is set; -1 leaves the argument's field alone.
void SetMenuItemA(int e, int l, std::int32_t c, std::int32_t p, float x1, float x2, float x3, float x4, bool select);
// As SetMenuItemA on menu object B (table at +0x80): the parameter is always 9, the value goes
// to +0x18 only.
void SetMenuItemB(int e, int l, std::int32_t c, std::int32_t p, float x1, float x2, float x3, float x4, bool select);
// Clears the link of sub-item b of entry a of menu object B.
void LinkMenuItem(int a, int b);
// Entry 17 of menu object B becomes the client's menu: value 4, selected, sub-items 4, 8 and 9
// unlinked.
void BuildClientMenu();
// Version 3 only: writes humidity, wear and the sky name (the name cut to fit its 132 bytes with
// the terminator), the stage cells, the tyre type operand and, by the test flag, NOPs or the
// host's own store at the stage clock.
void SetStageParams(std::int32_t track, std::int32_t weather, std::int32_t car, std::int32_t damage,
                    std::int32_t option, std::int32_t testFlag, std::uint8_t tyreType, std::uint8_t humid,
                    std::uint8_t wear, const std::string& skyName);
// Version 3 only: the code patches and flag cells, then, once the host's text table exists
// (waiting for it while the host is there), the client's two menu texts.
void PatchHostMenus();
// The name, a line feed, "ready to SS" and the SS number.
std::string ReadyToSSText(const std::string& name, std::int16_t ss);

// One Enter press (key down, key up), made only when the host window is in front at that moment.
void PressEnter();
// An Enter key-down alone, made only when the host window is in front at that moment.
void PressEnterDown();
// Asks the host window to close (WM_CLOSE), waiting at most a second for it to be handled.
void CloseHost();

}  // namespace qvrMod

// avviora's work inside the host: the menu car index from the client's car list written into
// the host, and two code bytes of the host patched when it loads the library.
#pragma once
#include <cstdint>

#include "platform/OwnMemory.h"
#include "platform/Profile.h"

namespace avviora {

// Writes count bytes at the address of the own process. A range that is not writable as it
// stands is made execute-read-write for the write and given its protection back after, with
// the instruction cache flushed when it was code. Returns true if the bytes were written.
bool WriteOwnProcessMemory(platform::OwnMemoryPort& memory, std::uint32_t address, const void* bytes,
                           std::uint32_t count);

// Writes the short jump 0xEB at both patched code bytes.
void PatchHostBranches(platform::OwnMemoryPort& memory);

// The work of every notification of the loader (reason 1: the library is loaded): reads INDEX
// of section MENU_CAR_INDEX from "Cars\Cars.ini" (0 when missing), writes it at the menu car
// index of the build that the marker byte names (nothing for an unknown build) and, at load,
// when that write succeeded, patches the two code bytes.
void PresetMenuCar(platform::ProfilePort& profile, platform::OwnMemoryPort& memory, unsigned long reason);

}  // namespace avviora

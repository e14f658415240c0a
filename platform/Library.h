// Libraries of the calling process: loading one, finding its exports, unloading it, and threads
// that a library starts. Built for Windows only.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// A loaded library; 0 is none.
using LibraryHandle = std::uintptr_t;

// Loads the library at the path (or takes one more reference on it). Returns 0 on failure.
LibraryHandle LoadLibraryFile(const std::string& path);
// Returns the address of the library's export of that name, or null when it has none.
void* LibraryExport(LibraryHandle library, const char* name);
// Drops the reference that LoadLibraryFile took; the library is unmapped with its last one.
void FreeLibraryHandle(LibraryHandle library);
// Returns true if a library of that file name ("shifter.dll") is mapped in the calling process.
bool IsLibraryMapped(const std::string& fileName);

// Starts procedure(argument) on a new thread that holds a reference on the library holding
// procedure, so the library stays mapped while the thread runs; dropping that reference is the
// thread's last act, so no code of the library runs once it is unmapped. Returns false when no
// thread could be started.
bool StartLibraryThread(void (*procedure)(void*), void* argument);

}  // namespace platform

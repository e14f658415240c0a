// The Windows shell: opening a file, a program or a web address with its associated program.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// A window that owns what the shell shows; kDesktopOwner stands for the desktop window.
using ShellOwner = std::uintptr_t;
inline constexpr ShellOwner kDesktopOwner = 0;

// Show states, with the values of the Windows API.
inline constexpr int kShowNormal = 1;

class ShellPort {
public:
    virtual ~ShellPort() = default;

    // Performs verb ("open") on file with the given parameters, working folder (empty: none)
    // and show state. Returns the shell's result: greater than 32 on success.
    virtual std::int32_t Execute(ShellOwner owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& folder, int show) = 0;
};

}  // namespace platform

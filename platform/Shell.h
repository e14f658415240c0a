// The Windows shell: opening a file, a program or a web address with its associated program.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// The owner that stands for the desktop window.
inline constexpr WindowHandle kDesktopOwner = 0;

// Show states, with the values of the Windows API.
inline constexpr int kShowNormal = 1;

class ShellPort {
public:
    virtual ~ShellPort() = default;

    // Performs verb ("open") on file with the given parameters, working folder (empty: none)
    // and show state, owned by the window (kDesktopOwner: the desktop). Returns the shell's
    // result: greater than 32 on success.
    virtual std::int32_t Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& folder, int show) = 0;
};

}  // namespace platform

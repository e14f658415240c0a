// The process environment and the program's own place.
// This file must contain only operating-system independent declarations.
#pragma once
#include <string>

namespace platform {

// The four numbers of a program's file version, major.minor.build.revision.
struct ProgramVersion {
    int major = 0, minor = 0, build = 0, revision = 0;
    bool operator==(const ProgramVersion&) const = default;
};

class EnvironmentPort {
public:
    virtual ~EnvironmentPort() = default;

    // Returns the variable's value, or empty text when it is not set.
    virtual std::string GetVariable(const std::string& name) = 0;

    // Returns the folder of the running program without a trailing backslash,
    // except for a drive root, which keeps it ("C:\").
    virtual std::string ProgramFolder() = 0;

    // Returns the program's command line without the program's own name.
    virtual std::string CommandLine() = 0;

    // Returns the file version of the running program; all zeros when it carries none.
    virtual ProgramVersion Version() = 0;

    // Ends the program at once with the exit code: no window is told, no further code of the
    // caller runs. In-process adapters raise ProgramExit instead, which the test catches.
    [[noreturn]] virtual void ExitProgram(int code) = 0;
};

}  // namespace platform

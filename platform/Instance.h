// Whether another copy of a program is running.
// This file must contain only operating-system independent declarations.
#pragma once
#include <string>

namespace platform {

class InstancePort {
public:
    virtual ~InstancePort() = default;

    // Returns false when a running program (this one included) holds the claim of that name;
    // otherwise takes the claim, which this process then holds until it ends, and returns true.
    virtual bool ClaimOnlyCopy(const std::string& name) = 0;
};

}  // namespace platform

// Registry reading, with the shape of RegOpenKeyA / RegQueryValueExA / RegCloseKey.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

enum class RegRoot { LocalMachine, CurrentUser };

// Value types as the registry numbers them.
enum RegType : std::uint32_t { kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4 };

// Error codes as the registry returns them.
enum RegStatus : long { kRegOk = 0, kRegNotFound = 2, kRegMoreData = 234 };

using RegKey = std::uintptr_t;  // 0 is no key

class RegistryPort {
public:
    virtual ~RegistryPort() = default;

    // Opens path below root. Returns the key, or 0 when the key does not exist.
    virtual RegKey OpenKey(RegRoot root, const std::string& path) = 0;

    // Queries a value of an open key (empty name: the default value). With data null only the
    // type and the size in bytes are given. size holds the buffer size on entry.
    // Returns kRegOk, kRegNotFound or kRegMoreData.
    virtual long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, void* data,
                            std::uint32_t* size) = 0;

    // Closes a key that OpenKey gave.
    virtual void CloseKey(RegKey key) = 0;
};

}  // namespace platform

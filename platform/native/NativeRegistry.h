// In-memory registry for native runs and tests. Key paths and value names compare without
// regard to case. It counts how often a key that was never opened is closed.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform {

class NativeRegistry : public RegistryPort {
public:
    void SetString(RegRoot root, const std::string& path, const std::string& name, const std::string& value,
                   std::uint32_t type = kRegSz);
    void SetDword(RegRoot root, const std::string& path, const std::string& name, std::uint32_t value);
    void SetBinary(RegRoot root, const std::string& path, const std::string& name, const std::string& bytes);

    RegKey OpenKey(RegRoot root, const std::string& path) override;
    long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override;
    void CloseKey(RegKey key) override;

    int openKeys() const { return static_cast<int>(open_.size()); }
    int badCloses() const { return badCloses_; }

private:
    struct Value {
        std::uint32_t type = kRegNone;
        std::string bytes;
    };
    std::string KeyName(RegRoot root, const std::string& path) const;

    std::map<std::string, std::map<std::string, Value>> keys_;  // upper-cased names
    std::map<RegKey, std::string> open_;
    RegKey next_ = 0x100;
    int badCloses_ = 0;
};

}  // namespace platform

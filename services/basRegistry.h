// Registry reading.
#pragma once
#include <cstdint>
#include <string>
#include <variant>

#include "platform/Registry.h"

namespace basRegistry {

// A registry answer: a string value's text, a 32-bit number value's number, or empty text.
struct RegValue {
    std::variant<std::string, std::uint32_t> value;
    // The answer as text: the number in decimal digits for a number value.
    std::string Text() const;
};

// Reads a value below root; empty text when the key or value is missing or of another type.
RegValue GetRegValue(platform::RegRoot root, const std::string& keyPath, const std::string& valueName);

}  // namespace basRegistry

// Profile (INI) strings, with the rules of the Windows profile API.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

class ProfilePort {
public:
    virtual ~ProfilePort() = default;

    // Copies the value of key in section of file (or def when missing) into buf, trimmed and
    // with one pair of enclosing quotes stripped; at most size-1 characters and a NUL.
    // Returns the number of characters copied, without the NUL.
    virtual std::uint32_t GetString(const char* section, const char* key, const char* def,
                                    char* buf, std::uint32_t size, const std::string& file) = 0;

    // Writes key=value into section of file, creating both as needed (CRLF line ends).
    // A null value deletes the key; a null key deletes the section. Returns true on success.
    virtual bool WriteString(const char* section, const char* key, const char* value,
                             const std::string& file) = 0;
};

}  // namespace platform

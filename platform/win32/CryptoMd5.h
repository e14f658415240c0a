// MD5 on the Windows CryptoAPI. This folder must contain only Win32-specific code.
#pragma once
#include <cstddef>
#include <string>

#include "platform/win32/WinApi.h"

namespace platform::win32 {

// One MD5 computation: feed bytes with Add, then read the digest once.
class Md5Hasher {
public:
    Md5Hasher();
    ~Md5Hasher();
    Md5Hasher(const Md5Hasher&) = delete;
    Md5Hasher& operator=(const Md5Hasher&) = delete;

    // Returns true if the provider and the hash object could be created.
    bool ok() const { return hash_ != 0; }
    // Adds bytes to the digest. Returns true on success.
    bool Add(const void* data, std::size_t size);
    // Returns the digest as 32 lower-case hexadecimal digits, or empty text on failure.
    std::string HexDigest();

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTHASH hash_ = 0;
};

}  // namespace platform::win32

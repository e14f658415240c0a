// MD5 digests (RFC 1321) of files, as 32 lower-case hexadecimal digits.
// This file must contain only operating-system independent declarations.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Md5Port {
public:
    virtual ~Md5Port() = default;

    // Returns the digest of a file's bytes, or nothing when the file cannot be read.
    virtual std::optional<std::string> FileMd5(const std::string& path) = 0;
};

// Returns the digest of bytes, computed by this build's digest library (libcrypto natively,
// CryptoAPI on Windows).
std::string Md5Hex(std::string_view bytes);

}  // namespace platform

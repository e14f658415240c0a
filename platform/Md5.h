// MD5 digests (RFC 1321) of files, as 32 lower-case hexadecimal digits.
// This file must contain only operating-system independent declarations.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace platform {

class Md5Port {
public:
    virtual ~Md5Port() = default;

    // Returns the digest of a file's bytes, or nothing when the file cannot be read.
    virtual std::optional<std::string> FileMd5(const std::string& path) = 0;
};

// Returns the digest of bytes, computed by this build's digest library (libcrypto natively,
// CryptoAPI on Windows), or empty text when the library fails.
std::string Md5Hex(std::string_view bytes);

// File digests of the files of a file-system port, read whole and digested by Md5Hex; the
// same adapter serves the in-process and the Win32 file systems.
class FileSystemMd5 : public Md5Port {
public:
    explicit FileSystemMd5(FileSystemPort& files) : files_(files) {}

    std::optional<std::string> FileMd5(const std::string& path) override;

private:
    FileSystemPort& files_;
};

}  // namespace platform

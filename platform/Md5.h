// MD5 digests (RFC 1321) of files, as 32 lower-case hexadecimal digits.
// This file must contain only operating-system independent declarations.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

class Md5Port {
public:
    virtual ~Md5Port() = default;

    // Returns the digest of a file's bytes, or nothing when the file cannot be read.
    virtual std::optional<std::string> FileMd5(const std::string& path) = 0;
    // Returns the digests of several files, in order, as FileMd5 gives each. An adapter may
    // compute several at once; this one computes them one after the other.
    virtual std::vector<std::optional<std::string>> FileMd5s(const std::vector<std::string>& paths);
};

// A digest computed piece by piece, by this build's digest library (libcrypto natively,
// CryptoAPI on Windows).
class Md5Stream {
public:
    Md5Stream();
    ~Md5Stream();
    Md5Stream(const Md5Stream&) = delete;
    Md5Stream& operator=(const Md5Stream&) = delete;

    // Adds the next bytes.
    void Add(std::string_view bytes);
    // Returns the digest of all bytes added, or empty text when the library failed.
    std::string Hex();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Returns the digest of bytes, or empty text when the library fails.
std::string Md5Hex(std::string_view bytes);

// File digests of the files of a file-system port, read piece by piece; the same adapter serves
// the in-process and the Win32 file systems. FileMd5s digests each file once, on several threads:
// the file system given must allow reads from several threads at once (the adapters do).
class FileSystemMd5 : public Md5Port {
public:
    explicit FileSystemMd5(FileSystemPort& files) : files_(files) {}

    std::optional<std::string> FileMd5(const std::string& path) override;
    std::vector<std::optional<std::string>> FileMd5s(const std::vector<std::string>& paths) override;

private:
    FileSystemPort& files_;
};

}  // namespace platform

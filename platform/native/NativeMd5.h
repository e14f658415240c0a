// File digests for native runs and tests: the file is read through a file-system port (so
// Windows paths of the in-process file system work) and digested by platform::Md5Hex.
#pragma once
#include "platform/FileSystem.h"
#include "platform/Md5.h"

namespace platform {

class NativeMd5 : public Md5Port {
public:
    explicit NativeMd5(FileSystemPort& files) : files_(files) {}

    std::optional<std::string> FileMd5(const std::string& path) override;

private:
    FileSystemPort& files_;
};

}  // namespace platform

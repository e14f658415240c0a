#include "platform/Md5.h"

namespace platform {

std::optional<std::string> FileSystemMd5::FileMd5(const std::string& path) {
    auto bytes = files_.ReadFile(path);
    if (!bytes) return std::nullopt;
    std::string digest = Md5Hex(*bytes);
    if (digest.empty()) return std::nullopt;
    return digest;
}

}  // namespace platform

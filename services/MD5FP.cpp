#include "services/MD5FP.h"

#include "platform/Ports.h"

namespace MD5FP {

std::optional<std::string> FileMD5(const std::string& fileName) { return platform::md5().FileMd5(fileName); }

std::vector<std::optional<std::string>> FileMD5s(const std::vector<std::string>& fileNames) {
    return platform::md5().FileMd5s(fileNames);
}

}  // namespace MD5FP

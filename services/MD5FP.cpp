#include "services/MD5FP.h"

#include "platform/Ports.h"

namespace MD5FP {

std::optional<std::string> FileMD5(const std::string& fileName) { return platform::md5().FileMd5(fileName); }

}  // namespace MD5FP

#include "platform/Md5.h"

namespace platform {

std::string LowerHex(const unsigned char* bytes, std::size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 0x0F];
    }
    return hex;
}

}  // namespace platform

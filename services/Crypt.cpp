#include "services/Crypt.h"

namespace Crypt {

std::string Encrypt(const std::string& text, const std::string& key) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned k = key.empty() ? 0 : static_cast<unsigned char>(key[i < key.size() ? i : 0]);
        unsigned s = static_cast<unsigned char>(text[i]) + k;
        if (s > 255) s -= 255;
        if (s >= 16) out += kDigits[s >> 4];
        out += kDigits[s & 15];
    }
    return out;
}

}  // namespace Crypt

// The digest library of the native build: OpenSSL's libcrypto.
#include <openssl/evp.h>

#include "platform/Bytes.h"
#include "platform/Md5.h"

namespace platform {

std::string Md5Hex(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr)) return {};
    return LowerHex(digest, length);
}

}  // namespace platform

#include "platform/win32/CryptoMd5.h"

#include "platform/Bytes.h"
#include "platform/Md5.h"

namespace platform::win32 {

Md5Hasher::Md5Hasher() {
    if (!::CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
        provider_ = 0;
        return;
    }
    if (!::CryptCreateHash(provider_, CALG_MD5, 0, 0, &hash_)) hash_ = 0;
}

Md5Hasher::~Md5Hasher() {
    if (hash_) ::CryptDestroyHash(hash_);
    if (provider_) ::CryptReleaseContext(provider_, 0);
}

bool Md5Hasher::Add(const void* data, std::size_t size) {
    const BYTE* p = static_cast<const BYTE*>(data);
    while (size > 0) {
        DWORD part = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        if (!hash_ || !::CryptHashData(hash_, p, part, 0)) return false;
        p += part;
        size -= part;
    }
    return hash_ != 0;
}

std::string Md5Hasher::HexDigest() {
    BYTE digest[16];
    DWORD length = sizeof digest;
    if (!hash_ || !::CryptGetHashParam(hash_, HP_HASHVAL, digest, &length, 0)) return {};
    return LowerHex(digest, length);
}

}  // namespace platform::win32

namespace platform {

// The digest library of the Windows build.
std::string Md5Hex(std::string_view bytes) {
    win32::Md5Hasher hasher;
    if (!hasher.Add(bytes.data(), bytes.size())) return {};
    return hasher.HexDigest();
}

}  // namespace platform

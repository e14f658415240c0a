// The digest library of the Windows build: MD5 on the CryptoAPI.
#include <algorithm>

#include "platform/Bytes.h"
#include "platform/Md5.h"
#include "platform/win32/WinApi.h"

namespace platform {

std::string Md5Hex(std::string_view bytes) {
    using namespace win32;
    HCRYPTPROV p = 0;
    if (!::CryptAcquireContextA(&p, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return {};
    ScopedCryptProvider provider(p);
    HCRYPTHASH h = 0;
    if (!::CryptCreateHash(provider.get(), CALG_MD5, 0, 0, &h)) return {};
    ScopedCryptHash hash(h);  // declared after the provider, so destroyed before it
    for (std::size_t at = 0; at < bytes.size();) {
        DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 0x40000000u));
        if (!::CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(bytes.data() + at), part, 0)) return {};
        at += part;
    }
    BYTE digest[16];
    DWORD length = sizeof digest;
    if (!::CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &length, 0)) return {};
    return LowerHex(digest, length);
}

}  // namespace platform

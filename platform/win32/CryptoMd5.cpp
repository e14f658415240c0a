// The digest library of the Windows build: MD5 on the CryptoAPI.
#include <algorithm>

#include "platform/Bytes.h"
#include "platform/Md5.h"
#include "platform/win32/WinApi.h"

namespace platform {

struct Md5Stream::State {
    win32::ScopedCryptProvider provider;
    win32::ScopedCryptHash hash;  // declared after the provider, so destroyed before it
    bool ok = false;
};

Md5Stream::Md5Stream() : state_(std::make_unique<State>()) {
    using namespace win32;
    HCRYPTPROV p = 0;
    if (!::CryptAcquireContextA(&p, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return;
    state_->provider = ScopedCryptProvider(p);
    HCRYPTHASH h = 0;
    if (!::CryptCreateHash(state_->provider.get(), CALG_MD5, 0, 0, &h)) return;
    state_->hash = ScopedCryptHash(h);
    state_->ok = true;
}

Md5Stream::~Md5Stream() = default;

void Md5Stream::Add(std::string_view bytes) {
    for (std::size_t at = 0; state_->ok && at < bytes.size();) {
        DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 0x40000000u));
        state_->ok = ::CryptHashData(state_->hash.get(), reinterpret_cast<const BYTE*>(bytes.data() + at), part, 0);
        at += part;
    }
}

std::string Md5Stream::Hex() {
    BYTE digest[16];
    DWORD length = sizeof digest;
    if (!state_->ok || !::CryptGetHashParam(state_->hash.get(), HP_HASHVAL, digest, &length, 0)) return {};
    state_->ok = false;  // finished
    return LowerHex(digest, length);
}

}  // namespace platform

// The digest library of the native build: OpenSSL's libcrypto.
#include <openssl/evp.h>

#include "platform/Bytes.h"
#include "platform/Md5.h"

namespace platform {

struct Md5Stream::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool ok = context && EVP_DigestInit_ex(context, EVP_md5(), nullptr);
    ~State() { EVP_MD_CTX_free(context); }
};

Md5Stream::Md5Stream() : state_(std::make_unique<State>()) {}
Md5Stream::~Md5Stream() = default;

void Md5Stream::Add(std::string_view bytes) {
    if (state_->ok && !bytes.empty()) state_->ok = EVP_DigestUpdate(state_->context, bytes.data(), bytes.size());
}

std::string Md5Stream::Hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!state_->ok || !EVP_DigestFinal_ex(state_->context, digest, &length)) return {};
    state_->ok = false;  // finished
    return LowerHex(digest, length);
}

}  // namespace platform

// The additive hexadecimal scrambling of result records; the web server undoes it with the
// same key, so the rule is kept to the byte.
#pragma once
#include <string>

namespace Crypt {

// Adds to each text byte the key byte of the same place (the key's first byte past the key's
// end), takes 255 off a sum above 255, and writes each sum in upper-case hexadecimal without a
// leading zero and without separators. An empty key adds nothing.
std::string Encrypt(const std::string& text, const std::string& key);

}  // namespace Crypt

// File digests for the client's checks (module MD5FP).
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace MD5FP {

// Returns the MD5 digest of a file's bytes as 32 lower-case hexadecimal digits, or nothing when
// the file is missing or cannot be read.
std::optional<std::string> FileMD5(const std::string& fileName);
// The digests of several files, in order, as FileMD5 gives each; computed several at once.
std::vector<std::optional<std::string>> FileMD5s(const std::vector<std::string>& fileNames);

}  // namespace MD5FP

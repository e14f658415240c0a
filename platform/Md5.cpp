#include "platform/Md5.h"

#include <map>

#include "platform/AnsiText.h"
#include "platform/JobPool.h"

namespace platform {

namespace {
// Small enough to stay in the processor's cache between the read and the digest.
constexpr std::size_t kPieceBytes = 256 * 1024;
}  // namespace

std::vector<std::optional<std::string>> Md5Port::FileMd5s(const std::vector<std::string>& paths) {
    std::vector<std::optional<std::string>> digests;
    digests.reserve(paths.size());
    for (const std::string& path : paths) digests.push_back(FileMd5(path));
    return digests;
}

std::string Md5Hex(std::string_view bytes) {
    Md5Stream digest;
    digest.Add(bytes);
    return digest.Hex();
}

std::optional<std::string> FileSystemMd5::FileMd5(const std::string& path) {
    Md5Stream digest;
    if (!files_.ReadPieces(path, kPieceBytes, [&](std::string_view piece) { digest.Add(piece); })) return std::nullopt;
    std::string hex = digest.Hex();
    if (hex.empty()) return std::nullopt;
    return hex;
}

std::vector<std::optional<std::string>> FileSystemMd5::FileMd5s(const std::vector<std::string>& paths) {
    // Each file once: a name given twice, in any case, is one file.
    std::map<std::string, std::size_t> first;
    std::vector<std::size_t> job(paths.size());
    std::vector<std::string> files;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        auto [at, added] = first.emplace(AnsiUpper(paths[i]), files.size());
        if (added) files.push_back(paths[i]);
        job[i] = at->second;
    }
    std::vector<std::optional<std::string>> digests(files.size());
    ForEachIndex(files.size(), [&](std::size_t k) { digests[k] = FileMd5(files[k]); }, JobPool::Files());
    std::vector<std::optional<std::string>> out;
    out.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) out.push_back(digests[job[i]]);
    return out;
}

}  // namespace platform

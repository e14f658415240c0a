#include "services/basRegistry.h"

#include <vector>

#include "platform/Ports.h"

namespace basRegistry {

namespace {
// Closes the key it holds, and only a key that was opened.
class OpenKey {
public:
    OpenKey(platform::RegRoot root, const std::string& path)
        : key_(platform::registry().OpenKey(root, path)) {}
    ~OpenKey() {
        if (key_ != 0) platform::registry().CloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    platform::RegKey get() const { return key_; }

private:
    platform::RegKey key_;
};
}  // namespace

std::string RegValue::Text() const {
    if (auto* n = std::get_if<std::uint32_t>(&value)) return std::to_string(*n);
    return std::get<std::string>(value);
}

RegValue GetRegValue(platform::RegRoot root, const std::string& keyPath, const std::string& valueName) {
    auto& reg = platform::registry();
    OpenKey key(root, keyPath);
    if (key.get() == 0) return {};
    std::uint32_t type = 0, size = 0;
    if (reg.QueryValue(key.get(), valueName, &type, nullptr, &size) != platform::kRegOk) return {};
    if (type == platform::kRegSz) {
        std::string buffer(size, ' ');
        if (reg.QueryValue(key.get(), valueName, &type, buffer.data(), &size) != platform::kRegOk) return {};
        buffer.resize(std::min<std::size_t>(size, buffer.size()));
        auto nul = buffer.find('\0');
        return {nul == std::string::npos ? buffer : buffer.substr(0, nul)};
    }
    if (type == platform::kRegDword) {
        std::uint32_t number = 0;
        size = sizeof number;
        if (reg.QueryValue(key.get(), valueName, &type, &number, &size) != platform::kRegOk) return {};
        return {number};
    }
    return {};
}

}  // namespace basRegistry

#include "platform/native/NativeRegistry.h"

#include <cstring>

#include "platform/AnsiText.h"

namespace platform {

std::string NativeRegistry::KeyName(RegRoot root, const std::string& path) const {
    std::string p = path;
    while (!p.empty() && p.back() == '\\') p.pop_back();
    return (root == RegRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + AnsiUpper(p);
}

void NativeRegistry::SetString(RegRoot root, const std::string& path, const std::string& name,
                               const std::string& value, std::uint32_t type) {
    keys_[KeyName(root, path)][AnsiUpper(name)] = {type, value + '\0'};
}

void NativeRegistry::SetDword(RegRoot root, const std::string& path, const std::string& name, std::uint32_t value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    keys_[KeyName(root, path)][AnsiUpper(name)] = {kRegDword, bytes};
}

void NativeRegistry::SetBinary(RegRoot root, const std::string& path, const std::string& name,
                               const std::string& bytes) {
    keys_[KeyName(root, path)][AnsiUpper(name)] = {kRegBinary, bytes};
}

RegKey NativeRegistry::OpenKey(RegRoot root, const std::string& path) {
    std::string name = KeyName(root, path);
    if (!keys_.count(name)) return 0;
    RegKey key = next_++;
    open_[key] = name;
    return key;
}

long NativeRegistry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type, void* data,
                                std::uint32_t* size) {
    auto k = open_.find(key);
    if (k == open_.end()) return 6;  // invalid handle
    auto& values = keys_[k->second];
    auto v = values.find(AnsiUpper(name));
    if (v == values.end()) return kRegNotFound;
    if (type) *type = v->second.type;
    auto needed = static_cast<std::uint32_t>(v->second.bytes.size());
    if (data == nullptr) {
        if (size) *size = needed;
        return kRegOk;
    }
    if (size == nullptr) return 87;  // invalid parameter
    if (*size < needed) {
        *size = needed;
        return kRegMoreData;
    }
    std::memcpy(data, v->second.bytes.data(), needed);
    *size = needed;
    return kRegOk;
}

void NativeRegistry::CloseKey(RegKey key) {
    if (open_.erase(key) == 0) ++badCloses_;
}

}  // namespace platform

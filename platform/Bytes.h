// Byte codings shared by the host link, its models and the digests: 32-bit values as four
// little-endian bytes, and hexadecimal text. Pure functions, no operating system.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Returns the 4 bytes of the value, least significant first.
inline std::string Le32(std::uint32_t v) {
    const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    return std::string(b, 4);
}

// Returns the 4 bytes of the float's bit pattern, least significant first.
inline std::string LeFloat(float f) { return Le32(std::bit_cast<std::uint32_t>(f)); }

// Returns the value of the 4 bytes at bytes, least significant first.
inline std::uint32_t FromLe32(const void* bytes) {
    const auto* b = static_cast<const std::uint8_t*>(bytes);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

// Returns the float whose bit pattern is the 4 bytes at bytes, least significant first.
inline float FromLeFloat(const void* bytes) { return std::bit_cast<float>(FromLe32(bytes)); }

// Returns the bytes of hexadecimal text, two digits a byte with the first digit high (either
// case), or nothing when the text holds any other character or an odd number of digits.
inline std::optional<std::vector<std::uint8_t>> HexToBytes(std::string_view hex) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    if (hex.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t k = 0; k < hex.size(); k += 2) {
        int high = digit(hex[k]), low = digit(hex[k + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

// Returns the bytes as lower-case hexadecimal digits, two per byte.
inline std::string LowerHex(const unsigned char* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 0x0F];
    }
    return hex;
}

}  // namespace platform

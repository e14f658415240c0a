// Builds archives byte by byte, for the cases that no zip tool writes on purpose. Stored entries.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vmtest {

class RawZip {
public:
    struct Item {
        std::string name, bytes;
        std::uint16_t flags = 0;      // 0x0008: sizes in a data descriptor after the data
        std::uint16_t method = 0;
        std::uint32_t crcXor = 0;     // spoils the CRC when non-zero
    };
    static std::string Build(const std::vector<Item>& items) {
        std::string out, central;
        for (const auto& it : items) {
            std::uint32_t crc = Crc(it.bytes) ^ it.crcXor;
            auto size = static_cast<std::uint32_t>(it.bytes.size());
            bool descriptor = it.flags & 0x0008;
            std::uint32_t offset = static_cast<std::uint32_t>(out.size());
            Le(out, 0x04034b50, 4), Le(out, 10, 2), Le(out, it.flags, 2), Le(out, it.method, 2), Le(out, 0, 4);
            Le(out, descriptor ? 0 : crc, 4), Le(out, descriptor ? 0 : size, 4), Le(out, descriptor ? 0 : size, 4);
            Le(out, static_cast<std::uint32_t>(it.name.size()), 2), Le(out, 0, 2);
            out += it.name + it.bytes;
            if (descriptor) Le(out, 0x08074b50, 4), Le(out, crc, 4), Le(out, size, 4), Le(out, size, 4);
            Le(central, 0x02014b50, 4), Le(central, 20, 2), Le(central, 10, 2), Le(central, it.flags, 2);
            Le(central, it.method, 2), Le(central, 0, 4), Le(central, crc, 4), Le(central, size, 4), Le(central, size, 4);
            Le(central, static_cast<std::uint32_t>(it.name.size()), 2), Le(central, 0, 2), Le(central, 0, 2);
            Le(central, 0, 2), Le(central, 0, 2), Le(central, 0, 4), Le(central, offset, 4);
            central += it.name;
        }
        std::uint32_t cdOffset = static_cast<std::uint32_t>(out.size());
        out += central;
        Le(out, 0x06054b50, 4), Le(out, 0, 4), Le(out, static_cast<std::uint32_t>(items.size()), 2);
        Le(out, static_cast<std::uint32_t>(items.size()), 2), Le(out, static_cast<std::uint32_t>(central.size()), 4);
        Le(out, cdOffset, 4), Le(out, 0, 2);
        return out;
    }

private:
    static void Le(std::string& out, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    // CRC-32 (IEEE), bit by bit: independent of the layer under test.
    static std::uint32_t Crc(const std::string& bytes) {
        std::uint32_t c = 0xFFFFFFFF;
        for (unsigned char b : bytes) {
            c ^= b;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
        }
        return c ^ 0xFFFFFFFFu;
    }
};

}  // namespace vmtest

#include "platform/native/NativePictures.h"

#include "platform/AnsiText.h"

namespace platform {

std::optional<PictureSize> JpegSize(const std::string& bytes) {
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    auto word = [&](std::size_t i) { return at(i) << 8 | at(i + 1); };
    if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8) return std::nullopt;
    std::size_t i = 2;
    while (i + 1 < bytes.size()) {
        if (at(i) != 0xFF) return std::nullopt;
        const unsigned marker = at(i + 1);
        if (marker == 0xFF) {  // fill byte
            ++i;
            continue;
        }
        i += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (marker == 0xD9 || i + 2 > bytes.size()) return std::nullopt;
        const std::size_t length = static_cast<std::size_t>(word(i));
        if (length < 2) return std::nullopt;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7 || i + 7 > bytes.size()) return std::nullopt;
            const PictureSize size{word(i + 5), word(i + 3)};
            if (size.width == 0 || size.height == 0) return std::nullopt;
            return size;
        }
        i += length;
    }
    return std::nullopt;
}

std::optional<PictureSize> NativePictures::Load(const std::string& path) {
    for (const auto& [name, size] : scripted)
        if (EqualsNoCase(name, path)) return size;
    const std::optional<std::string> bytes = files_.ReadFile(path);
    if (!bytes) return std::nullopt;
    return JpegSize(*bytes);
}

}  // namespace platform

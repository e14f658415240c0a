#include "tools/testdriver/Screenshot.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/win32/WinApi.h"

namespace {

void Put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    Put32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    Put32(png, static_cast<std::uint32_t>(
                   crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
}

// An 8-bit RGB PNG of rows top to bottom.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // no filter
        raw.append(reinterpret_cast<const char*>(rgb.data()) + static_cast<std::size_t>(y) * 3 * width,
                   static_cast<std::size_t>(3) * width);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
              static_cast<uLong>(raw.size()), 6);
    packed.resize(packedSize);

    std::string png("\x89PNG\r\n\x1a\n", 8), header;
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", "");
    return png;
}

}  // namespace

std::string SaveScreenshot(const std::string& file) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string failure;
    if (bitmap == nullptr) {
        failure = "cannot make a bitmap of the screen";
    } else {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        if (!::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY)) failure = "cannot copy the screen";
        ::GdiFlush();
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
        const auto* bgrx = static_cast<const std::uint8_t*>(bits);
        for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
            rgb[3 * i] = bgrx[4 * i + 2];
            rgb[3 * i + 1] = bgrx[4 * i + 1];
            rgb[3 * i + 2] = bgrx[4 * i];
        }
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        if (failure.empty()) {
            std::ofstream out(file, std::ios::binary);
            out << EncodePng(width, height, rgb);
            if (!out) failure = "cannot write " + file;
        }
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return failure;
}

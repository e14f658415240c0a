#include "platform/AnsiText.h"

#include <cstdint>

namespace platform {

namespace {
// Unicode code points of the CP-1252 bytes 0x80..0x9F (0 where the code page has none).
constexpr std::uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint32_t ToUnicode(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD;
    return b;
}

int FromUnicode(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}
}  // namespace

char AnsiUpper(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    if ((b >= 0xE0 && b <= 0xFE && b != 0xF7)) return static_cast<char>(b - 32);
    if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<char>(b - 16);  // š œ ž
    if (b == 0xFF) return static_cast<char>(0x9F);                              // ÿ
    return c;
}

std::string AnsiUpper(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = AnsiUpper(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AnsiUpper(a[i]) != AnsiUpper(b[i])) return false;
    return true;
}

std::string FoldPath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    std::size_t partStart = 0;
    auto endPart = [&] {
        const std::string_view part = std::string_view(out).substr(partStart);
        if (part == "." || part == "..") return;
        std::size_t end = out.size();
        while (end > partStart && (out[end - 1] == '.' || out[end - 1] == ' ')) --end;
        out.resize(end);
    };
    for (char c : path) {
        if (c == '/' || c == '\\') {
            endPart();
            out += '\\';
            partStart = out.size();
        } else {
            out += AnsiUpper(c);
        }
    }
    endPart();
    return out;
}

namespace {
bool MatchStar(std::string_view pattern, std::string_view name) {
    // Iterative matcher that backtracks to the last star.
    std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || AnsiUpper(pattern[p]) == AnsiUpper(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}
}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (MatchStar(pattern, name)) return true;
    // A trailing ".*" also matches names without an extension, as Windows does ("*.*").
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
           MatchStar(pattern.substr(0, pattern.size() - 2), name);
}

std::string Cp1252ToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (unsigned char b : ansi) {
        std::uint32_t cp = ToUnicode(b);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = b;
        std::size_t len = 1;
        if (b >= 0xF0) { len = 4; cp = b & 0x07; }
        else if (b >= 0xE0) { len = 3; cp = b & 0x0F; }
        else if (b >= 0xC0) { len = 2; cp = b & 0x1F; }
        for (std::size_t k = 1; k < len && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += len;
        int a = FromUnicode(cp);
        out += a < 0 ? '?' : static_cast<char>(a);
    }
    return out;
}

std::string Cp1252ToUtf16Le(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() * 2 + 2);
    for (unsigned char b : ansi) {
        std::uint32_t cp = ToUnicode(b);
        out += static_cast<char>(cp & 0xFF);
        out += static_cast<char>(cp >> 8);
    }
    out.append(2, '\0');
    return out;
}

std::string Utf16LeToCp1252(std::string_view utf16le) {
    std::string out;
    for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
        std::uint32_t unit = static_cast<unsigned char>(utf16le[i]) | static_cast<unsigned char>(utf16le[i + 1]) << 8;
        if (unit == 0) break;
        int a = FromUnicode(unit);
        out += a < 0 ? '?' : static_cast<char>(a);
    }
    return out;
}

}  // namespace platform

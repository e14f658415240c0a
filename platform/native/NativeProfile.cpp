#include "platform/native/NativeProfile.h"

#include <cstring>
#include <optional>
#include <vector>

#include "platform/AnsiText.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string TrimRight(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

}  // namespace

// One line of a profile file, as far as the rules need to know it.
struct ProfileLine {
    std::string text;
    std::optional<std::string> section;  // set on a "[name]" line
    std::optional<std::string> key;      // set on a "key=value" line
    std::string value;
};

namespace {

ProfileLine Parse(std::string text) {
    ProfileLine line;
    std::string t = Trim(text);
    if (!t.empty() && t[0] == '[') {
        auto close = t.find(']');
        line.section = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    } else if (auto eq = t.find('='); eq != std::string::npos) {
        line.key = Trim(t.substr(0, eq));
        line.value = Trim(t.substr(eq + 1));
    } else if (!t.empty()) {
        line.key = t;  // a key without a value reads as empty text
    }
    line.text = std::move(text);
    return line;
}

std::vector<ProfileLine> Lines(std::string_view content) {
    std::vector<ProfileLine> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        std::string text(content.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (!text.empty() && text.back() == '\r') text.pop_back();
        lines.push_back(Parse(std::move(text)));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// Index of the section's header line, or -1.
int FindSection(const std::vector<ProfileLine>& lines, const char* section) {
    const std::string name = Trim(section);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].section && EqualsNoCase(*lines[i].section, name)) return static_cast<int>(i);
    return -1;
}

// One past the section's last line (the next header, or the end).
std::size_t SectionEnd(const std::vector<ProfileLine>& lines, int header) {
    std::size_t i = static_cast<std::size_t>(header) + 1;
    while (i < lines.size() && !lines[i].section) ++i;
    return i;
}

int FindKey(const std::vector<ProfileLine>& lines, int header, const char* key) {
    const std::string name = Trim(key);
    std::size_t end = SectionEnd(lines, header);
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i)
        if (lines[i].key && EqualsNoCase(*lines[i].key, name)) return static_cast<int>(i);
    return -1;
}

std::string StripQuotes(const std::string& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

ProfileText::ProfileText(std::string_view content) : lines_(Lines(content)) {}

ProfileText::~ProfileText() = default;

std::uint32_t ProfileText::GetString(const char* section, const char* key, const char* def, char* buf,
                                     std::uint32_t size) const {
    if (buf == nullptr || size == 0) return 0;
    std::string value = TrimRight(def ? def : "");
    if (section != nullptr && key != nullptr) {
        int header = FindSection(lines_, section);
        int at = header < 0 ? -1 : FindKey(lines_, header, key);
        if (at >= 0) value = StripQuotes(lines_[static_cast<std::size_t>(at)].value);
    }
    std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buf, value.data(), n);
    buf[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

std::uint32_t NativeProfile::GetString(const char* section, const char* key, const char* def, char* buf,
                                       std::uint32_t size, const std::string& file) {
    // The file is read only when a value is asked for.
    const bool asks = buf != nullptr && size != 0 && section != nullptr && key != nullptr;
    return ProfileText(asks ? files_.ReadFile(file).value_or("") : "").GetString(section, key, def, buf, size);
}

bool NativeProfile::WriteString(const char* section, const char* key, const char* value,
                                const std::string& file) {
    if (section == nullptr) return false;
    auto lines = Lines(files_.ReadFile(file).value_or(""));
    int header = FindSection(lines, section);
    if (key == nullptr) {
        if (header >= 0)
            lines.erase(lines.begin() + header, lines.begin() + static_cast<long>(SectionEnd(lines, header)));
    } else if (header < 0) {
        if (value == nullptr) return true;
        lines.push_back(Parse(std::string("[") + section + "]"));
        lines.push_back(Parse(std::string(key) + "=" + value));
    } else if (int at = FindKey(lines, header, key); at >= 0) {
        if (value == nullptr)
            lines.erase(lines.begin() + at);
        else
            lines[static_cast<std::size_t>(at)] = Parse(*lines[static_cast<std::size_t>(at)].key + "=" + value);
    } else if (value != nullptr) {
        // After the section's last non-blank line.
        std::size_t insert = SectionEnd(lines, header);
        while (insert > static_cast<std::size_t>(header) + 1 && Trim(lines[insert - 1].text).empty()) --insert;
        lines.insert(lines.begin() + static_cast<long>(insert), Parse(std::string(key) + "=" + value));
    }
    std::string out;
    for (auto& l : lines) out += l.text + "\r\n";
    return files_.WriteFile(file, out) == FsStatus::Ok;
}

}  // namespace platform

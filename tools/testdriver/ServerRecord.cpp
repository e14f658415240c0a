#include "tools/testdriver/ServerRecord.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/AnsiText.h"
#include "platform/win32/Win32Adapters.h"

namespace {

// The value of the query parameter name of the target, percent-decoded; nothing without it.
std::optional<std::string> QueryParameter(const std::string& target, const std::string& name) {
    const std::size_t query = target.find('?');
    if (query == std::string::npos) return std::nullopt;
    for (std::size_t at = query + 1; at <= target.size();) {
        const std::size_t end = std::min(target.find('&', at), target.size());
        const std::string pair = target.substr(at, end - at);
        at = end + 1;
        if (pair.compare(0, name.size() + 1, name + "=") != 0) continue;
        std::string value;
        for (std::size_t i = name.size() + 1; i < pair.size(); ++i) {
            unsigned byte = 0;
            const char* digits = pair.data() + i + 1;
            if (pair[i] == '%' && i + 2 < pair.size() && std::from_chars(digits, digits + 2, byte, 16).ptr == digits + 2) {
                value += static_cast<char>(byte);
                i += 2;
            } else {
                value += pair[i] == '+' ? ' ' : pair[i];
            }
        }
        return value;
    }
    return std::nullopt;
}

// Undoes the additive scrambling: each text byte was added to the key byte of its place (the
// key's first byte past its end), 255 taken off a sum above 255, and the sum written in hex
// without a leading zero. A record is printable text, which tells a sum of one digit from one of
// two.
std::optional<std::string> Unscramble(const std::string& hex, const std::string& key) {
    std::string text;
    auto byteAt = [&](std::size_t at, std::size_t digits, unsigned* sum) {
        if (at + digits > hex.size()) return false;
        const char* end = hex.data() + at + digits;
        return std::from_chars(hex.data() + at, end, *sum, 16).ptr == end;
    };
    for (std::size_t at = 0; at < hex.size();) {
        const std::size_t i = text.size();
        const unsigned k = key.empty() ? 0 : static_cast<unsigned char>(key[i < key.size() ? i : 0]);
        // The byte whose sum with k, less 255 above 255, is the sum.
        auto plain = [k](unsigned sum) { return sum >= k ? sum - k : sum + 255 - k; };
        unsigned sum = 0;
        std::size_t digits = 2;
        if (!byteAt(at, 2, &sum) || plain(sum) < 0x20) {
            digits = 1;
            if (!byteAt(at, 1, &sum)) return std::nullopt;
        }
        text += static_cast<char>(plain(sum));
        at += digits;
    }
    return text;
}

// Whether the targets can be paired with the words, each with one, in some order.
bool MatchAnyOrder(std::vector<std::string> words, const std::vector<std::string>& targets) {
    if (targets.empty()) return words.empty();
    const std::string& first = targets.front();
    const std::vector<std::string> rest(targets.begin() + 1, targets.end());
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!platform::WildcardMatch(words[i], first)) continue;
        std::vector<std::string> others = words;
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(i));
        if (MatchAnyOrder(others, rest)) return true;
    }
    return false;
}

}  // namespace

std::optional<std::vector<std::string>> RecordedRequests(const std::string& base) {
    const auto text = platform::win32::WinInetHttp().Get(base + "/__requests", 10);
    if (!text) return std::nullopt;
    std::vector<std::string> targets;
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) targets.push_back(line);
    }
    return targets;
}

bool ResetRequests(const std::string& base) {
    return platform::win32::WinInetHttp().Get(base + "/__reset", 10).has_value();
}

std::optional<std::string> ResultRecord(const std::string& target) {
    if (!platform::WildcardMatch("*/log.php?*", target)) return std::nullopt;
    const auto user = QueryParameter(target, "user"), msg = QueryParameter(target, "msg"),
               pwd = QueryParameter(target, "pwd");
    if (!user || !msg || !pwd) return std::nullopt;
    return Unscramble(*msg, *user + *pwd);
}

std::string DescribeRecord(const std::string& record) {
    static const char* const kFields[] = {"kind", "time",   "stage", "weather",  "car slot", "car",
                                          "damage", "option", "test", "humidity", "wear", "sky",
                                          "SS", "start offset", "class", "clock"};
    static const std::pair<const char*, const char*> kKinds[] = {
        {"0", "start"}, {"2", "finish"}, {"3", "status"}, {"6", "retired"}};
    std::string out;
    std::size_t field = 0;
    for (std::size_t at = 0; at <= record.size(); ++field) {
        const std::size_t end = std::min(record.find(';', at), record.size());
        const std::string value = record.substr(at, end - at);
        at = end + 1;
        if (!out.empty()) out += ", ";
        out += field < std::size(kFields) ? kFields[field] : "field";
        out += " " + value;
        if (field == 0)
            for (const auto& [kind, name] : kKinds)
                if (value == kind) out += std::string(" (") + name + ")";
    }
    return out;
}

bool RequestsMatch(const std::vector<std::string>& targets, const std::vector<std::string>& pattern) {
    std::size_t at = 0;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        std::vector<std::string> group;
        if (pattern[p] == "{") {
            while (++p < pattern.size() && pattern[p] != "}") group.push_back(pattern[p]);
        } else {
            group.push_back(pattern[p]);
        }
        if (at + group.size() > targets.size()) return false;
        const std::vector<std::string> taken(targets.begin() + static_cast<std::ptrdiff_t>(at),
                                             targets.begin() + static_cast<std::ptrdiff_t>(at + group.size()));
        if (!MatchAnyOrder(group, taken)) return false;
        at += group.size();
    }
    return at == targets.size();
}

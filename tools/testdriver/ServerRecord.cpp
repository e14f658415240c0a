#include "tools/testdriver/ServerRecord.h"

#include <sstream>

#include "platform/AnsiText.h"
#include "platform/win32/Win32Adapters.h"

namespace {

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

#include "tools/testdriver/ScriptWords.h"

Words ScriptWords(const std::string& line, const std::map<std::string, std::string>& vars) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 2, "${") == 0) {
            const std::size_t end = line.find('}', i);
            if (end == std::string::npos) throw Failure("unclosed ${");
            const std::string name = line.substr(i + 2, end - i - 2);
            auto it = vars.find(name);
            if (it == vars.end()) throw Failure("no value for ${" + name + "}");
            text += it->second;
            i = end;
        } else {
            text += line[i];
        }
    }
    Words words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        bool quoted = false;
        for (; i < text.size() && (quoted || (text[i] != ' ' && text[i] != '\t' && text[i] != '\r')); ++i) {
            const char c = text[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (c == '\\' && quoted && i + 1 < text.size()) {
                const char e = text[++i];
                if (e == 'n') word += '\n';
                else if (e == 'r') word += '\r';
                else if (e == 't') word += '\t';
                else if (e == 'x' && i + 2 < text.size()) {
                    word += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                    i += 2;
                } else word += e;
            } else {
                word += c;
            }
        }
        if (quoted) throw Failure("unclosed quote");
        words.push_back(word);
    }
    return words;
}

std::string WindowsPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

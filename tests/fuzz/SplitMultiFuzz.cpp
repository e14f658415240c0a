// The splitting of a text at several delimiters, over any text and any list of delimiters. The
// input is the list and the text, each delimiter followed by a zero byte; an input without a
// zero byte is a text split as the camera editor splits a position (blank, c-cedilla).
//
// Beyond crashes, hangs and undefined behaviour it checks what holds for every text: the list
// ends with one empty element; no part before the last holds a delimiter (the one that occurs
// first cuts) nor blanks at its ends; the parts stand in the text in their order. For a text
// without blanks, where trimming takes nothing, the parts joined with the delimiters that cut
// them off give the text back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "client/CameraSettings.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using Texts = std::vector<std::string>;

std::string Shown(const Texts& texts) {
    std::string out;
    for (const std::string& t : texts) out += "[" + t + "]";
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    Texts delimiters{" ", "\xE7", ""};
    std::string text = input;
    if (const std::size_t end = input.rfind('\0'); end != std::string::npos) {
        delimiters.clear();
        for (std::size_t from = 0; from <= end;) {
            const std::size_t zero = input.find('\0', from);
            delimiters.push_back(input.substr(from, zero - from));
            from = zero + 1;
        }
        text = input.substr(end + 1);
    }
    // The delimiters that cut: all but the last of the list, and none that is empty.
    Texts cutting;
    for (std::size_t d = 0; d + 1 < delimiters.size(); ++d)
        if (!delimiters[d].empty()) cutting.push_back(delimiters[d]);

    const Texts parts = gFunc::SplitMulti(text, delimiters);
    auto fail = [&](const std::string& why) {
        fuzz::Fail("SplitMulti(\"" + text + "\", " + Shown(delimiters) + ") gave " + Shown(parts) + ": " + why);
    };
    if (parts.size() < 2 || !parts.back().empty()) fail("no empty element at the end");

    const std::size_t last = parts.size() - 2;  // the last part
    std::size_t from = 0;
    for (std::size_t k = 0; k <= last; ++k) {
        const std::string& part = parts[k];
        auto which = [k] { return "part " + std::to_string(k) + " "; };
        if (k < last) {
            if (!part.empty() && (part.front() == ' ' || part.back() == ' ')) fail(which() + "keeps blanks");
            for (const std::string& d : cutting)
                if (part.find(d) != std::string::npos) fail(which() + "holds a delimiter");
        }
        // The parts stand in the text in their order.
        const std::size_t at = text.find(part, from);
        if (at == std::string::npos) fail(which() + "is not in the text after the part before");
        from = at + part.size();
    }

    // Without blanks nothing is trimmed: the parts and the delimiters that cut them off, each
    // the one that occurs first in what is left (the earlier of the list on a tie), make the text.
    if (text.find(' ') != std::string::npos) return 0;
    std::string rest = text, joined;
    for (std::size_t k = 0; k < last; ++k) {
        std::size_t cut = std::string::npos;
        const std::string* by = nullptr;
        for (const std::string& d : cutting)
            if (const std::size_t at = rest.find(d); at < cut) cut = at, by = &d;
        if (by == nullptr) fail("more parts than the delimiters cut");
        joined += parts[k] + *by;
        rest = rest.substr(cut + by->size());
    }
    joined += parts[last];
    if (joined != text) fail("the parts joined with their delimiters give \"" + joined + "\"");
    return 0;
}

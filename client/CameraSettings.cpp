#include "client/CameraSettings.h"

#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/TextNumbers.h"

namespace vm {

std::optional<double> ReadCameraNumber(const std::string& text) {
    return ToDouble(ReplaceAll(text, ".", DecimalSign(g.gDecimalSep)), platform::regional().DecimalSeparator());
}

std::string ShowCameraNumber(double value) { return FormatNumber(value, platform::regional().DecimalSeparator()); }

std::string CameraFileText(const std::string& shown) { return ReplaceAll(shown, DecimalSign(g.gDecimalSep), "."); }

}  // namespace vm

namespace gFunc {

std::vector<std::string> SplitMulti(std::string text, const std::vector<std::string>& delimiters) {
    std::vector<std::string> parts;
    for (;;) {
        std::size_t cut = std::string::npos, length = 0;
        for (std::size_t d = 0; d + 1 < delimiters.size(); ++d) {
            // An empty delimiter would cut nothing off, over and over.
            if (delimiters[d].empty()) continue;
            const std::size_t at = text.find(delimiters[d]);
            if (at < cut) {
                cut = at;
                length = delimiters[d].size();
            }
        }
        if (cut == std::string::npos) {
            parts.push_back(std::move(text));
            parts.emplace_back();
            return parts;
        }
        parts.push_back(vm::TrimBlanks(text.substr(0, cut)));
        text = vm::TrimBlanks(text.substr(cut + length));
    }
}

}  // namespace gFunc

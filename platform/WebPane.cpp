#include "platform/WebPane.h"

#include "platform/AnsiText.h"

namespace platform {

bool IsWebAddress(const std::string& address) {
    auto starts = [&](std::string_view scheme) {
        return address.size() > scheme.size() && EqualsNoCase(std::string_view(address).substr(0, scheme.size()), scheme);
    };
    return starts("http://") || starts("https://");
}

}  // namespace platform

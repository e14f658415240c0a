#include "services/ReadWrite.h"

#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/Messages.h"

namespace ReadWrite {

std::string ReadINI(const std::string& section, const std::string& key) {
    std::string buffer(256, ' ');
    auto n = platform::profile().GetString(section.c_str(), key.c_str(), "", buffer.data(), 255, vm::g.gIniFile);
    return n >= 1 ? buffer.substr(0, n) : std::string();
}

int WriteINI(const std::string& section, const std::string& key, const std::string& value) {
    if (key.size() > kMaxIniText || value.size() > kMaxIniText) {
        vm::ShowMessage("Can't write more than " + std::to_string(kMaxIniText) + " characters for key or value.",
                        platform::kMsgOk);
        return -1;
    }
    return platform::profile().WriteString(section.c_str(), key.c_str(), value.c_str(), vm::g.gIniFile) ? 1 : 0;
}

bool DeleteINI(const std::string& section, const std::string& key) {
    return platform::profile().WriteString(section.c_str(), key.c_str(), nullptr, vm::g.gIniFile);
}

}  // namespace ReadWrite

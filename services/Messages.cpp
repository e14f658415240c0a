#include "services/Messages.h"

#include "platform/Ports.h"

namespace vm {

namespace {
std::string& Title() {
    static std::string title = "Velomark";
    return title;
}
}  // namespace

void SetProgramTitle(std::string title) { Title() = std::move(title); }
const std::string& ProgramTitle() { return Title(); }

platform::MsgAnswer ShowMessage(const std::string& text, unsigned style, const std::string& title) {
    return platform::messageBox().Show(text, title.empty() ? Title() : title, style);
}

}  // namespace vm

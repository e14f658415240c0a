#include "platform/native/NativeAdapters.h"

#include "platform/AnsiText.h"

namespace platform {

void NativeEnvironment::ExitProgram(int code) { throw ProgramExit{code}; }

std::string NativeEnvironment::GetVariable(const std::string& name) {
    for (auto& [k, v] : variables)
        if (EqualsNoCase(k, name)) return v;
    return {};
}

bool NativeInstances::ClaimOnlyCopy(const std::string& name) {
    if (heldElsewhere.count(name) != 0) return false;
    return held.insert(name).second;
}

MsgAnswer ScriptedMessageBox::Show(const std::string& text, const std::string& title, unsigned style) {
    shown.push_back({text, title, style});
    if (!answers.empty()) {
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return (style & 0xF) == kMsgYesNo ? kAnswerYes : kAnswerOk;
}

bool ManualClock::SetLocal(const LocalTime& t) {
    setCalls.push_back(t);
    if (refuseSet) return false;
    now = t;
    return true;
}

}  // namespace platform

namespace platform {

std::optional<std::string> ScriptedHttp::Get(const std::string& url, int) {
    requests.push_back(url);
    auto it = replies.find(url);
    if (it == replies.end()) return std::nullopt;
    return it->second;
}

}  // namespace platform

namespace platform {

std::int32_t RecordingShell::Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                                     const std::string& parameters, const std::string& folder, int show) {
    Call call{owner, verb, file, parameters, folder, show};
    if (onExecute) onExecute(call);
    calls.push_back(std::move(call));
    return result;
}

std::optional<std::string> ScriptedFileDialog::OpenFile(const OpenFileRequest& request) {
    asked.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

void FetchingWebPanes::Navigate(const std::string& pane, const std::string& address) {
    navigations.push_back({pane, address});
    if (http != nullptr && IsWebAddress(address)) (void)http->Get(address, kHttpTimeoutSeconds);
}

}  // namespace platform

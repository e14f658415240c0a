#include "client/SetupFRM.h"

#include <algorithm>
#include <optional>

#include "client/Colors.h"
#include "client/foMain.h"
#include "platform/Ports.h"
#include "services/Globals.h"
#include "services/Messages.h"

using vm::g;

namespace {

constexpr ui::Color kOrange = 0x0080FF;
using client::kWhite;

// The part of a path after its last "\", the whole path when it has none.
std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool EndsItem(char c) { return c == ',' || c == '\r' || c == '\n'; }

}  // namespace

namespace client {

std::vector<std::string> SetupItems(std::string_view text) {
    std::vector<std::string> items;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        while (i < n && IsBlank(text[i])) ++i;
        std::string_view item;
        if (i < n && text[i] == '"') {
            const std::size_t close = std::min(text.find('"', i + 1), n);
            item = text.substr(i + 1, close - i - 1);
            i = close;
            while (i < n && !EndsItem(text[i])) ++i;
        } else {
            const std::size_t start = i;
            while (i < n && !EndsItem(text[i])) ++i;
            item = text.substr(start, i - start);
            while (!item.empty() && IsBlank(item.back())) item.remove_suffix(1);
        }
        // The item's end: a comma, or a line end (CR LF, CR or LF).
        if (i < n && text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        if (i < n) ++i;
        if (!item.empty()) items.emplace_back(item);
    }
    return items;
}

}  // namespace client

SetupFRM::SetupFRM() : ui::Form("SetupFRM") {
    SetCaption("Select yours setups");
    Add(laSetup);
    Add(cmdSetupNew);
    Add(cmdDefaultNew);
    Add(cmdStart);
    Add(txtSetupStart);
    SetDesign(DesignTable());

    cmdSetupNew.OnClick([this](int i) { cmdSetupNew_Click(i); });
    cmdDefaultNew.OnClick([this](int i) { cmdDefaultNew_Click(i); });
    cmdStart.onClick = [this] { cmdStart_Click(); };
    onLoad = [this] { Form_Load(); };
}

void SetupFRM::Form_Load() {
    laSetup.ForEach([](int i, ui::Label& label) {
        const std::string& file = g.gSetupFile[static_cast<std::size_t>(i)];
        label.SetCaption(file == vm::kDefaultSetup ? file : FileNameOf(file));
    });
}

void SetupFRM::cmdSetupNew_Click(int index) {
    ui::Label& label = laSetup[index];
    const auto slot = static_cast<std::size_t>(index);
    const std::optional<std::string> path = platform::fileDialog().OpenFile(
        {"Load Setup", "QVR setups (*.lsp)|*.lsp", "lsp", g.gHostPath + "\\savedgames", ""});
    if (!path || path->empty()) return;

    const std::optional<std::string> bytes = platform::fileSystem().ReadFile(*path);
    std::string text;
    if (bytes)
        for (const std::string& item : client::SetupItems(*bytes)) text += item + "\r\n";
    if (text.empty()) {
        vm::ShowMessage("The setup file " + *path + (bytes ? " is empty" : " cannot be read") +
                            ". The setup chosen before is kept.",
                        platform::kMsgExclamation);
        return;
    }
    g.gSetupFile[slot] = *path;
    g.gSetupText[slot] = std::move(text);
    label.SetCaption(FileNameOf(*path));
}

void SetupFRM::cmdDefaultNew_Click(int index) {
    ui::Label& label = laSetup[index];
    g.gSetupFile[static_cast<std::size_t>(index)] = vm::kDefaultSetup;
    label.SetCaption(vm::kDefaultSetup);
}

void SetupFRM::cmdStart_Click() {
    bool allDefault = true;
    for (std::size_t i = 0; i <= 2; ++i) allDefault = allDefault && g.gSetupFile[i] == vm::kDefaultSetup;
    ui::Label& shown = foMain::Instance().laSetup;
    shown.SetCaption(allDefault ? "Default setups" : "Personal setups");
    shown.SetBackColor(allDefault ? kWhite : kOrange);
    shown.SetForeColor(allDefault ? kOrange : kWhite);
    Unload();
}

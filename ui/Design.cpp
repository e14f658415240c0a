#include "ui/Design.h"

#include <cctype>

#include "platform/AnsiText.h"
#include "ui/Form.h"

namespace ui {

std::optional<Keys> ParseShortcut(const std::string& text) {
    Keys keys;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find('+', start);
        const std::string part = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        if (plus == std::string::npos) {
            if (part.size() == 1 && std::isalnum(static_cast<unsigned char>(part[0])))
                keys.key = static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(part[0])));
            else if (part.size() >= 2 && part.size() <= 3 && (part[0] == 'F' || part[0] == 'f') &&
                     std::isdigit(static_cast<unsigned char>(part[1])) &&
                     (part.size() == 2 || std::isdigit(static_cast<unsigned char>(part[2])))) {
                const int n = std::stoi(part.substr(1));
                if (n < 1 || n > 12) return std::nullopt;
                keys.key = static_cast<std::uint8_t>(0x70 + n - 1);  // VK_F1..VK_F12
            } else {
                return std::nullopt;
            }
            return keys;
        }
        bool* modifier = platform::EqualsNoCase(part, "Ctrl")    ? &keys.ctrl
                         : platform::EqualsNoCase(part, "Shift") ? &keys.shift
                         : platform::EqualsNoCase(part, "Alt")   ? &keys.alt
                                                                 : nullptr;
        if (modifier == nullptr || *modifier) return std::nullopt;
        *modifier = true;
        start = plus + 1;
    }
}

namespace {

// True when the component is a model that a row of this kind shows.
bool Shows(Kind kind, const Component& c) {
    switch (kind) {
        case Kind::Label: return dynamic_cast<const Label*>(&c) != nullptr;
        case Kind::TextBox:
        case Kind::PasswordBox:
        case Kind::MultiLineText: return dynamic_cast<const TextBox*>(&c) != nullptr;
        case Kind::ComboList:
        case Kind::ComboEdit: {
            auto* combo = dynamic_cast<const ComboBox*>(&c);
            const auto style = kind == Kind::ComboList ? ComboBox::Style::DropdownList : ComboBox::Style::DropdownCombo;
            return combo != nullptr && combo->ListStyle() == style;
        }
        case Kind::OptionButton: return dynamic_cast<const OptionButton*>(&c) != nullptr;
        case Kind::CheckBox: return dynamic_cast<const CheckBox*>(&c) != nullptr;
        case Kind::PushButton: return dynamic_cast<const PushButton*>(&c) != nullptr;
        case Kind::Image: return dynamic_cast<const Image*>(&c) != nullptr;
        case Kind::Frame: return dynamic_cast<const Control*>(&c) != nullptr;
        case Kind::WebPane: return dynamic_cast<const WebPane*>(&c) != nullptr;
    }
    return false;
}

}  // namespace

bool Overlap(const ControlDesign& a, const ControlDesign& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

std::vector<std::string> DesignFaults(const Form& form) {
    std::vector<std::string> faults;
    const FormDesign* design = form.Design();
    if (design == nullptr) return faults;
    for (const ControlDesign& row : design->controls) {
        const std::string name = row.name;
        if (name.empty()) continue;
        const Component* c = form.Find(name);
        if (c == nullptr) {
            if (row.kind != Kind::WebPane) faults.push_back(name + ": no such component");
        } else if (!Shows(row.kind, *c)) {
            faults.push_back(name + ": the component is of another kind");
        }
    }
    auto isMenuItem = [&](const char* name) { return dynamic_cast<const MenuItem*>(form.Find(name)) != nullptr; };
    for (const char* menu : design->menuBar)
        if (!isMenuItem(menu)) faults.push_back(std::string(menu) + ": no such menu");
    for (const MenuShortcut& s : design->shortcuts) {
        if (!isMenuItem(s.item)) faults.push_back(std::string(s.item) + ": no such menu item");
        if (!ParseShortcut(s.keys)) faults.push_back(std::string(s.item) + ": unreadable shortcut " + s.keys);
    }
    return faults;
}

}  // namespace ui

#include "ui/win32/MenuBar.h"

#include <stdexcept>

namespace ui::win32 {

MenuBar::MenuBar(HWND window, const ui::Form& form, const ui::FormDesign& design) : window_(window) {
    for (const char* name : design.menuBar) {
        auto* menu = dynamic_cast<ui::MenuItem*>(form.Find(name));
        if (menu == nullptr) throw std::logic_error(std::string("no menu ") + name);
        bar_.push_back(static_cast<int>(items_.size()));
        Add(*menu, -1);
    }
    std::vector<ACCEL> keys;
    for (const ui::MenuShortcut& s : design.shortcuts) {
        const auto parsed = ui::ParseShortcut(s.keys);
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].model->Name() != s.item || !parsed) continue;
            items_[i].shortcut = s.keys;
            BYTE flags = FVIRTKEY;
            if (parsed->ctrl) flags |= FCONTROL;
            if (parsed->shift) flags |= FSHIFT;
            if (parsed->alt) flags |= FALT;
            keys.push_back(ACCEL{flags, parsed->key, static_cast<WORD>(kFirstId + i)});
        }
    }
    if (!keys.empty()) accelerators_ = ::CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
    for (Item& item : items_)
        watches_.push_back(item.model->Observe([this](ui::Component&, ui::Property p) {
            if (p == ui::Property::Caption || p == ui::Property::Checked || p == ui::Property::Enabled ||
                p == ui::Property::Visible)
                Rebuild();
        }));
    Rebuild();
}

MenuBar::~MenuBar() {
    watches_.clear();
    if (accelerators_) ::DestroyAcceleratorTable(accelerators_);
    if (HMENU menu = ::GetMenu(window_)) {
        ::SetMenu(window_, nullptr);
        ::DestroyMenu(menu);
    }
}

void MenuBar::Add(ui::MenuItem& model, int parent) {
    const int index = static_cast<int>(items_.size());
    items_.push_back({&model, parent, {}});
    for (ui::MenuItem* child : model.Items()) Add(*child, index);
}

std::vector<std::pair<std::string, int>> MenuBar::Ids() const {
    std::vector<std::pair<std::string, int>> ids;
    for (std::size_t i = 0; i < items_.size(); ++i)
        ids.emplace_back(items_[i].model->Name(), kFirstId + static_cast<int>(i));
    return ids;
}

bool MenuBar::Choose(int id) {
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    // A hidden or disabled menu's shortcuts do nothing: the item is not reachable.
    items_[static_cast<std::size_t>(index)].model->Press();
    return true;
}

void MenuBar::Append(HMENU into, int index) {
    const Item& item = items_[static_cast<std::size_t>(index)];
    const ui::MenuItem& m = *item.model;
    if (!m.Visible()) return;
    std::string caption = m.Caption();
    if (!item.shortcut.empty()) caption += "\t" + item.shortcut;
    UINT flags = MF_STRING | (m.Enabled() ? MF_ENABLED : MF_GRAYED) | (m.Checked() ? MF_CHECKED : MF_UNCHECKED);
    if (!m.Items().empty())
        ::AppendMenuA(into, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(BuildPopup(index)), caption.c_str());
    else
        ::AppendMenuA(into, flags, static_cast<UINT_PTR>(kFirstId + index), caption.c_str());
}

HMENU MenuBar::BuildPopup(int menu) {
    HMENU popup = ::CreatePopupMenu();
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].parent == menu) Append(popup, static_cast<int>(i));
    return popup;
}

void MenuBar::Rebuild() {
    HMENU bar = ::CreateMenu();
    for (int index : bar_) Append(bar, index);
    HMENU old = ::GetMenu(window_);
    ::SetMenu(window_, bar);
    if (old) ::DestroyMenu(old);
    ::DrawMenuBar(window_);
}

}  // namespace ui::win32

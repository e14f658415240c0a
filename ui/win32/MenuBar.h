// A form's menu bar, built from its menu item models: captions with their shortcuts, ticks,
// greyed and hidden items, and the keyboard shortcuts. Only the win32/ folders hold code for Win32.
#pragma once
#include <string>
#include <vector>

#include "platform/win32/WinApi.h"
#include "ui/Form.h"

namespace ui::win32 {

class MenuBar {
public:
    // The command id of the first menu item; the others follow in the order of the menus.
    static constexpr int kFirstId = 1000;

    // Builds the bar of the design's menus into window and shows every change of their items.
    MenuBar(HWND window, const ui::Form& form, const ui::FormDesign& design);
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // The user chose the item of the command id, from the menu or by its shortcut: it runs when
    // it and every menu above it are shown and enabled. Returns false when the id is no item's.
    bool Choose(int id);
    // The shortcuts, for TranslateAccelerator; nullptr when there are none.
    HACCEL Accelerators() const { return accelerators_; }
    // Each item's name and command id.
    std::vector<std::pair<std::string, int>> Ids() const;

private:
    struct Item {
        ui::MenuItem* model;
        int parent;  // index of the menu it is in, -1 on the bar
        std::string shortcut;
    };
    void Add(ui::MenuItem& model, int parent);
    void Rebuild();
    HMENU BuildPopup(int menu);
    void Append(HMENU into, int index);

    HWND window_;
    std::vector<Item> items_;
    std::vector<int> bar_;  // indices of the bar's menus, in order
    std::vector<ui::Connection> watches_;
    HACCEL accelerators_ = nullptr;
};

}  // namespace ui::win32

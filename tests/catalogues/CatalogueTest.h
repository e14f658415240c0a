// Fixture of the catalogue tests: a fresh program whose main window records the click events
// that the fillers' selections raise.
#pragma once
#include <string>
#include <vector>

#include "client/foMain.h"
#include "tests/support/VmTest.h"

namespace vmtest {

class CatalogueTest : public VmTest {
protected:
    // Records "name=index" for each click of the list, in the order they run.
    void Record(ui::ComboBox& c) {
        c.onClick = [this, &c] { clicks.push_back(c.Name() + "=" + std::to_string(c.ListIndex())); };
    }
    // The texts of a list.
    static std::vector<std::string> EntriesOf(const ui::ComboBox& c) {
        std::vector<std::string> texts;
        for (int i = 0; i < c.ListCount(); ++i) texts.push_back(c.List(i));
        return texts;
    }

    foMain& w = foMain::Instance();
    std::vector<std::string> clicks;
};

}  // namespace vmtest

// Fixture of the main window's selector tests: a fresh program with the car catalogue built,
// the fixed selectors filled as the window's set-up fills them, and the run log open.
#pragma once
#include <string>
#include <vector>

#include "catalogues/CarCatalogue.h"
#include "catalogues/SelectorLists.h"
#include "client/foMain.h"
#include "services/Globals.h"
#include "services/gLog.h"
#include "tests/support/VmTest.h"

namespace vmtest {

class SelectorFixture : public VmTest {
protected:
    SelectorFixture() {
        vm::g.gHostPath = "C:\\Kovarra";
        gFill::FillCarTable();
        gFill::FillCombos(w.cmbCountry, w.cmbTyre, w.cmbWear, w.cmbHumid, w.cmbDamage);
        gLog::OpenLog();
    }

    // The run log so far.
    std::string RunLog() { return Get("C:\\VelomarkLog_20070315214502.txt"); }

    // The texts of a list.
    static std::vector<std::string> EntriesOf(const ui::ComboBox& c) {
        std::vector<std::string> texts;
        for (int i = 0; i < c.ListCount(); ++i) texts.push_back(c.List(i));
        return texts;
    }

    foMain& w = foMain::Instance();
};

}  // namespace vmtest

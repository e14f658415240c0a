// The setup chooser: for each of the gravel, tarmac and snow slots either the host's default
// setup or a setup file of the driver's own, whose text the installation run writes as that
// surface's default setup. Shown modally from the main window's setup button.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ui/Design.h"
#include "ui/Form.h"

class SetupFRM : public ui::Form {
public:
    SetupFRM();

    // The window's design (client/SetupFRMDesign.cpp).
    static const ui::FormDesign& DesignTable();

    // Per slot 0..2: its choice, a button to pick a file and one back to the default setup.
    ui::ControlArray<ui::Label> laSetup{"laSetup", 0, 2};
    ui::ControlArray<ui::PushButton> cmdSetupNew{"cmdSetupNew", 0, 2};
    ui::ControlArray<ui::PushButton> cmdDefaultNew{"cmdDefaultNew", 0, 2};
    ui::PushButton cmdStart{"cmdStart"};
    // How a setup file must start; fixed text.
    ui::TextBox txtSetupStart{"txtSetupStart"};

    void Form_Load();
    // Asks for a setup file and reads it into slot index. A cancelled dialog, or a file that
    // cannot be read or holds nothing, leaves the slot as it was (the driver is told why).
    void cmdSetupNew_Click(int index);
    // Puts slot index back to the default setup; the slot's text is kept.
    void cmdDefaultNew_Click(int index);
    // Shows "Default setups" or "Personal setups" in the main window and closes.
    void cmdStart_Click();
};

namespace client {

// The items of a setup file, as sequential input reads them: an item ends at a comma or a line
// end; blanks and tabs around it are dropped; an item that begins with a double quote runs to
// the next double quote, without the quotes, and the rest of it up to its end is dropped.
// Empty items are left out.
std::vector<std::string> SetupItems(std::string_view text);

}  // namespace client

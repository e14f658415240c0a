// A program with a window of every kind of control over the control models, for the test driver
// (view_demo.script). Every event a handler sees is appended to the label laLog, so that the
// driver can tell what reached the models and how often.
#include <stdexcept>
#include <string>

#include "platform/CallbackFailure.h"
#include "platform/Ports.h"
#include "platform/win32/Win32Adapters.h"
#include "ui/Form.h"
#include "ui/win32/FormViews.h"

namespace {

const ui::ControlDesign kDemoControls[] = {
    {"laTitle", ui::Kind::Label, 12, 10, 200, 20, "View demo"},
    {"txtName", ui::Kind::TextBox, 12, 40, 150, 22},
    {"laName", ui::Kind::Label, 170, 42, 150, 20},
    {"txtPwd", ui::Kind::PasswordBox, 12, 70, 150, 22, "secret"},
    {"txtLines", ui::Kind::MultiLineText, 12, 100, 150, 60, "line 1\r\nline 2\r\nline 3\r\nline 4"},
    {"imTile", ui::Kind::Image, 190, 100, 32, 32, "tile"},
    {"cmbList", ui::Kind::ComboList, 330, 10, 130, 24},
    {"cmbEdit", ui::Kind::ComboEdit, 330, 40, 130, 24},
    {"", ui::Kind::Frame, 330, 70, 130, 70, "Weather"},
    {"optA", ui::Kind::OptionButton, 340, 90, 100, 20, "Dry"},
    {"optB", ui::Kind::OptionButton, 340, 112, 100, 20, "Wet"},
    {"chkWet", ui::Kind::CheckBox, 330, 150, 130, 20, "Damage"},
    {"cmdYellow", ui::Kind::PushButton, 12, 180, 90, 30, "SS1"},
    {"cmdGrey", ui::Kind::PushButton, 110, 180, 90, 30, "SS2"},
    {"cmdWhite", ui::Kind::PushButton, 208, 180, 90, 30, "Class"},
    {"cmdFromCode", ui::Kind::PushButton, 306, 180, 154, 30, "From code"},
    {"cmdModal", ui::Kind::PushButton, 12, 220, 90, 30, "Setup..."},
    {"cmdClear", ui::Kind::PushButton, 110, 220, 90, 30, "Clear"},
    {"wbDemo", ui::Kind::WebPane, 208, 220, 252, 60},
    {"laLog", ui::Kind::Label, 12, 290, 448, 60},
    {"laTicks", ui::Kind::Label, 230, 104, 90, 20},
};
const char* const kDemoMenus[] = {"File", "Options", "Hidden"};
const ui::MenuShortcut kDemoShortcuts[] = {{"Exit", "Ctrl+X"}, {"Hot", "Ctrl+H"}, {"Secret", "Ctrl+K"}};
const ui::FormDesign kDemoDesign{472, 360, true, kDemoControls, kDemoMenus, kDemoShortcuts};

const ui::ControlDesign kModalControls[] = {
    {"", ui::Kind::Label, 12, 12, 236, 20, "A modal window"},
    {"cmdAsk", ui::Kind::PushButton, 12, 50, 72, 28, "Ask"},
    {"cmdOpen", ui::Kind::PushButton, 94, 50, 72, 28, "Open..."},
    {"cmdClose", ui::Kind::PushButton, 176, 50, 72, 28, "Close"},
};
const ui::FormDesign kModalDesign{260, 100, false, kModalControls};

class ModalForm : public ui::Form {
public:
    ModalForm() : ui::Form("vmModal") {
        for (ui::Component* c : std::initializer_list<ui::Component*>{&cmdAsk, &cmdOpen, &cmdClose}) Add(*c);
        SetDesign(kModalDesign);
        SetCaption("Setup");
    }
    ui::PushButton cmdAsk{"cmdAsk"}, cmdOpen{"cmdOpen"}, cmdClose{"cmdClose"};
};

class DemoForm : public ui::Form {
public:
    DemoForm() : ui::Form("vmDemo") {
        for (ui::Component* c : std::initializer_list<ui::Component*>{
                 &laTitle, &txtName, &laName, &txtPwd, &txtLines, &imTile, &cmbList, &cmbEdit, &optA, &optB, &chkWet,
                 &cmdYellow, &cmdGrey, &cmdWhite, &cmdFromCode, &cmdModal, &cmdClear, &laLog, &laTicks, &File, &Exit,
                 &Options, &Hot, &Fail, &Hidden, &Secret, &tTicks})
            Add(*c);
        File.Add(Exit);
        Options.Add(Hot);
        Options.Add(Fail);
        Hidden.Add(Secret);
        File.SetCaption("File");
        Exit.SetCaption("Exit");
        Options.SetCaption("Options");
        Hot.SetCaption("Hot laps");
        Fail.SetCaption("Fail");
        Hidden.SetCaption("Hidden");
        Secret.SetCaption("Secret");
        Hidden.SetVisible(false);
        SetDesign(kDemoDesign);
        SetCaption("Velomark view demo");

        group_.Add(optA);
        group_.Add(optB);
        for (const char* s : {"Gravel", "Tarmac", "Snow"}) cmbList.AddItem(s);
        for (const char* s : {"Alpha", "Beta"}) cmbEdit.AddItem(s);
        laTitle.SetForeColor(0x800000);
        laTitle.SetBackColor(0xF0F0F0);
        laLog.SetBackColor(0xE0FFFF);
        cmdYellow.SetBackcolor(0x00FFFF);
        cmdGrey.SetBackcolor(0xC0C0C0);
        cmdGrey.SetEnabled(false);

        txtName.onChange = [this] { laName.SetCaption("name:" + txtName.Text()); };
        cmbList.onClick = [this] { Log("pick:" + std::to_string(cmbList.ListIndex())); };
        cmbEdit.onClick = [this] { Log("edit-pick:" + cmbEdit.Text()); };
        cmbEdit.onChange = [this] { laName.SetCaption("typed:" + cmbEdit.Text()); };
        optA.onClick = [this] { Log("opt:A"); };
        optB.onClick = [this] { Log("opt:B"); };
        chkWet.onClick = [this] { Log("chk:" + std::to_string(chkWet.Value())); };
        cmdYellow.onClick = [this] { Log("yellow"); };
        cmdGrey.onClick = [this] { Log("grey"); };
        cmdWhite.onClick = [this] { Log("white"); };
        cmdFromCode.onClick = [this] {
            cmbList.SetListIndex(2);
            txtName.SetText("Code");
            chkWet.SetValue(ui::CheckBox::Unchecked);
            optB.SetValue(true);
            cmbEdit.SetListIndex(1);
        };
        cmdClear.onClick = [this] { laLog.SetCaption(""); };
        cmdModal.onClick = [this] {
            ModalForm modal;
            modal.cmdAsk.onClick = [this] {
                const auto answer = platform::messageBox().Show("Is this box the setup window's?", "Velomark",
                                                                platform::kMsgYesNo | platform::kMsgQuestion);
                Log(answer == platform::kAnswerYes ? "ask:yes" : "ask:no");
            };
            modal.cmdOpen.onClick = [this] {
                const auto file = platform::fileDialog().OpenFile({"Load Setup", "QVR setups (*.lsp)|*.lsp", "lsp", "", ""});
                Log("file:" + (file ? file->substr(file->find_last_of('\\') + 1) : std::string("cancelled")));
            };
            modal.cmdClose.onClick = [&modal] { modal.Unload(); };
            modal.ShowModal(this);
            Log("modal closed");
        };
        Exit.onClick = [this] { Unload(); };
        Hot.onClick = [this] {
            Hot.SetChecked(!Hot.Checked());
            Log(Hot.Checked() ? "hot:on" : "hot:off");
        };
        Secret.onClick = [this] { Log("secret"); };
        Fail.onClick = [] { throw std::runtime_error("broken handler"); };
        tTicks.SetInterval(100);
        tTicks.onTimer = [this] {
            if (++ticks_ == 3) laTicks.SetCaption("timer ran");
        };
        onUnload = [this](int& cancel) {
            const bool quit = platform::messageBox().Show("Quit the demo?", "Velomark",
                                                          platform::kMsgYesNo | platform::kMsgQuestion) ==
                              platform::kAnswerYes;
            Log(quit ? "quit:yes" : "quit:no");
            if (!quit) cancel = 1;
        };
    }

    void Log(const std::string& event) {
        laLog.SetCaption(laLog.Caption().empty() ? event : laLog.Caption() + " " + event);
    }

    ui::Label laTitle{"laTitle"}, laName{"laName"}, laLog{"laLog"}, laTicks{"laTicks"};
    ui::TextBox txtName{"txtName"}, txtPwd{"txtPwd"}, txtLines{"txtLines"};
    ui::Image imTile{"imTile"};
    ui::ComboBox cmbList{"cmbList"}, cmbEdit{"cmbEdit", ui::ComboBox::Style::DropdownCombo};
    ui::OptionButton optA{"optA"}, optB{"optB"};
    ui::CheckBox chkWet{"chkWet"};
    ui::PushButton cmdYellow{"cmdYellow"}, cmdGrey{"cmdGrey"}, cmdWhite{"cmdWhite"}, cmdFromCode{"cmdFromCode"},
        cmdModal{"cmdModal"}, cmdClear{"cmdClear"};
    ui::MenuItem File{"File"}, Exit{"Exit"}, Options{"Options"}, Hot{"Hot"}, Fail{"Fail"}, Hidden{"Hidden"},
        Secret{"Secret"};
    ui::Timer tTicks{"tTicks"};

private:
    ui::OptionGroup group_;
    int ticks_ = 0;
};

}  // namespace

int main() {
    platform::win32::InstallWin32Ports();
    platform::SetCallbackFailureHandler([](const std::string& what) {
        platform::messageBox().Show("Failure: " + what, "Velomark", platform::kMsgCritical);
    });
    ui::win32::InstallFormViews();
    DemoForm demo;
    demo.Show();
    return ui::win32::RunMessageLoop();
}

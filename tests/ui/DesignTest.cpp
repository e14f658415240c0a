// A window's design table against its form, keyboard shortcuts, and the view a form gets while
// it is loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/VmTest.h"
#include "ui/Form.h"

namespace vmtest {
namespace {

class DesignedForm : public ui::Form {
public:
    explicit DesignedForm(const ui::FormDesign& design) : ui::Form("foDesigned") {
        for (ui::Component* c : std::initializer_list<ui::Component*>{&laName, &txtName, &cmbCar, &cmdGo, &File, &Exit})
            Add(*c);
        File.Add(Exit);
        SetDesign(design);
    }
    ui::Label laName{"laName"};
    ui::TextBox txtName{"txtName"};
    ui::ComboBox cmbCar{"cmbCar", ui::ComboBox::Style::DropdownCombo};
    ui::PushButton cmdGo{"cmdGo"};
    ui::MenuItem File{"File"}, Exit{"Exit"};
};

TEST(DesignTest, TheDesignPlacesAndLabelsTheControlsAndSetsTheInnerSize) {
    static const ui::ControlDesign rows[] = {
        {"laName", ui::Kind::Label, 8, 10, 100, 20, "Name:"},
        {"", ui::Kind::Frame, 4, 4, 300, 200, "Driver"},
        {"cmdGo", ui::Kind::PushButton, 200, 160, 90, 28, "Go"},
        {"txtName", ui::Kind::TextBox, 8, 40, 100, 20, "Ari"},
    };
    static const ui::FormDesign design{320, 240, true, rows};
    DesignedForm form(design);
    EXPECT_EQ(form.laName.Bounds(), (ui::Bounds{8, 10, 100, 20}));
    EXPECT_EQ(form.cmdGo.Bounds(), (ui::Bounds{200, 160, 90, 28}));
    EXPECT_EQ(form.laName.Caption(), "Name:");
    EXPECT_EQ(form.cmdGo.Caption(), "Go");
    EXPECT_EQ(form.txtName.Text(), "Ari");
    EXPECT_EQ(form.cmbCar.Bounds(), ui::Bounds{});  // not in the design
    EXPECT_EQ(form.ScaleWidth(), 320);
    EXPECT_EQ(form.ScaleHeight(), 240);

    int resized = 0;
    form.onResize = [&] {
        ++resized;
        form.cmdGo.SetBounds({form.ScaleWidth() - 100, form.ScaleHeight() - 40, 90, 28});
    };
    form.Resized(500, 400);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(form.cmdGo.Bounds(), (ui::Bounds{400, 360, 90, 28}));
}

TEST(DesignTest, FaultsNameEveryRowThatCannotBeBound) {
    static const ui::ControlDesign rows[] = {
        {"laName", ui::Kind::Label, 0, 0, 10, 10},         // sound
        {"", ui::Kind::Label, 0, 0, 10, 10, "fixed"},      // design only
        {"wb", ui::Kind::WebPane, 0, 0, 10, 10},           // a pane needs no model
        {"txtNme", ui::Kind::TextBox, 0, 0, 10, 10},       // misspelt
        {"cmbCar", ui::Kind::ComboList, 0, 0, 10, 10},     // the model is a drop-down combo
        {"cmdGo", ui::Kind::Label, 0, 0, 10, 10},          // a button shown as a label
        {"txtName", ui::Kind::PasswordBox, 0, 0, 10, 10},  // sound
        {"laName", ui::Kind::WebPane, 0, 0, 10, 10},       // a label is no web pane
    };
    static const char* const bar[] = {"File", "Edit"};
    static const ui::MenuShortcut shortcuts[] = {{"Exit", "Ctrl+X"}, {"Exit", "Ctrl+"}, {"Quit", "Ctrl+Q"}};
    static const ui::FormDesign design{100, 100, false, rows, bar, shortcuts};
    DesignedForm form(design);
    EXPECT_EQ(ui::DesignFaults(form), (std::vector<std::string>{
                                          "txtNme: no such component",
                                          "cmbCar: the component is of another kind",
                                          "cmdGo: the component is of another kind",
                                          "laName: the component is of another kind",
                                          "Edit: no such menu",
                                          "Exit: unreadable shortcut Ctrl+",
                                          "Quit: no such menu item",
                                      }));
}

TEST(DesignTest, ShortcutsAsTheDesignWritesThem) {
    struct Case {
        const char* text;
        std::optional<ui::Keys> keys;
    };
    const Case cases[] = {
        /*0*/ {"Ctrl+X", ui::Keys{true, false, false, 'X'}},
        /*1*/ {"ctrl+shift+k", ui::Keys{true, true, false, 'K'}},
        /*2*/ {"Alt+1", ui::Keys{false, false, true, '1'}},
        /*3*/ {"F5", ui::Keys{false, false, false, 0x74}},
        /*4*/ {"Shift+F12", ui::Keys{false, true, false, 0x7B}},
        /*5*/ {"F13", std::nullopt},
        /*6*/ {"Ctrl+Ctrl+X", std::nullopt},
        /*7*/ {"Ctrl+", std::nullopt},
        /*8*/ {"Win+X", std::nullopt},
        /*9*/ {"", std::nullopt},
        /*10*/ {"Ctrl+XY", std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ui::ParseShortcut(cases[i].text), cases[i].keys) << "case " << i << ": " << cases[i].text;
}

// Records what the view of a form sees.
struct RecordingView : ui::Form::View {
    RecordingView(ui::Form& form, std::vector<std::string>& log) : log(log) {
        log.push_back(form.Loaded() ? "made, loaded" : "made");
        watch = form.Observe([this, &form](ui::Component&, ui::Property p) {
            if (p == ui::Property::Visible && form.Visible())
                this->log.push_back("shown, owner=" + OwnerName(form));
        });
    }
    ~RecordingView() override { log.push_back("released"); }
    static std::string OwnerName(const ui::Form& form) { return form.ModalOwner() ? form.ModalOwner()->Name() : "-"; }
    std::vector<std::string>& log;
    ui::Connection watch;
};

class FormViewTest : public VmTest {
protected:
    FormViewTest() {
        ui::Form::SetViewMaker([this](ui::Form& f) { return std::make_shared<RecordingView>(f, log); });
    }
    ~FormViewTest() override { ui::Form::SetViewMaker(nullptr); }
    std::vector<std::string> log;
};

TEST_F(FormViewTest, AFormHasAViewFromBeforeItsLoadHandlerUntilItIsUnloaded) {
    ui::Form main("foMain"), setup("SetupFRM");
    main.onLoad = [&] { log.push_back("load"); };
    int cancel = 1;
    main.onUnload = [&](int& c) { c = cancel; };
    main.Show();
    main.Show();
    EXPECT_FALSE(main.Unload());
    setup.onLoad = [&] { log.push_back("setup load"); };
    os.desktop.onPump = [&] { setup.Unload(); };  // the user closes it
    setup.ShowModal(&main);
    EXPECT_EQ(setup.ModalOwner(), nullptr);
    cancel = 0;
    EXPECT_TRUE(main.Unload());
    EXPECT_EQ(log, (std::vector<std::string>{"made", "load", "shown, owner=-", "made", "setup load",
                                             "shown, owner=foMain", "released", "released"}));
}

}  // namespace
}  // namespace vmtest

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace {

using ui::Property;

// Records every notice of a component, and the events of its owner, in one sequence.
struct Trace {
    std::vector<std::string> seen;
    ui::Connection connection;

    void Watch(ui::Component& c) {
        connection = c.Observe([this](ui::Component& from, Property p) {
            seen.push_back(from.Name() + ":" + std::to_string(static_cast<int>(p)));
        });
    }
    ui::Handler Event(std::string name) {
        return [this, name] { seen.push_back(name); };
    }
    static std::string Of(const ui::Component& c, Property p) {
        return c.Name() + ":" + std::to_string(static_cast<int>(p));
    }
};

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ui::ControlError& e) {
        return e.Number();
    }
    return 0;
}

ui::ComboBox& Filled(ui::ComboBox& c, std::vector<std::string> texts) {
    for (auto& t : texts) c.AddItem(t);
    return c;
}

TEST(ComboBoxTest, SelectingFromCodeRunsTheClickHandlerAfterTheViewIsTold) {
    ui::ComboBox c("cmbStage");
    Filled(c, {"a", "b", "c"});
    Trace t;
    t.Watch(c);
    int seenIndex = -2;
    std::string seenText;
    c.onClick = [&] {
        t.seen.push_back("click");
        seenIndex = c.ListIndex();
        seenText = c.Text();
    };

    c.SetListIndex(1);
    EXPECT_EQ(seenIndex, 1);
    EXPECT_EQ(seenText, "b");
    EXPECT_EQ(t.seen, (std::vector<std::string>{Trace::Of(c, Property::ListIndex), Trace::Of(c, Property::Text),
                                                "click"}));

    t.seen.clear();
    c.SetListIndex(1);  // the same entry again: a pick all the same, nothing to show
    EXPECT_EQ(t.seen, std::vector<std::string>{"click"});
}

TEST(ComboBoxTest, MinusOneClearsTheSelectionWithoutAnEvent) {
    ui::ComboBox c("cmbWeather");
    Filled(c, {"a", "b"});
    c.SetListIndex(0);
    int clicks = 0;
    c.onClick = [&] { ++clicks; };
    c.SetListIndex(-1);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.Text(), "");
    EXPECT_EQ(clicks, 0);
}

TEST(ComboBoxTest, IndicesOutsideTheListAreErrorsThatChangeNothing) {
    ui::ComboBox c("cmbStage");
    Filled(c, {"a", "b"});
    c.SetListIndex(1);
    int clicks = 0;
    c.onClick = [&] { ++clicks; };
    struct Case {
        const char* what;
        std::function<void()> call;
        int error;
    } cases[] = {
        /*0*/ {"select past the end", [&] { c.SetListIndex(2); }, 380},
        /*1*/ {"select below -1", [&] { c.SetListIndex(-2); }, 380},
        /*2*/ {"item data past the end", [&] { (void)c.ItemData(2); }, 381},
        /*3*/ {"item data of no selection", [&] { (void)c.ItemData(-1); }, 381},
        /*4*/ {"set item data past the end", [&] { c.SetItemData(5, 1); }, 381},
        /*5*/ {"add past the end", [&] { c.AddItem("x", 3); }, 5},
        /*6*/ {"type into a drop-down list", [&] { c.SetText("x"); }, 383},
    };
    for (auto& k : cases) EXPECT_EQ(ErrorOf(k.call), k.error) << k.what;
    EXPECT_EQ(c.ListIndex(), 1);
    EXPECT_EQ(c.ListCount(), 2);
    EXPECT_EQ(c.Text(), "b");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(c.List(7), "");  // reading a text outside the list is no error
    EXPECT_EQ(c.List(-1), "");
}

TEST(ComboBoxTest, ItemsInsertAtTheirIndexAndKeepTheSelectedEntry) {
    ui::ComboBox c("cmbSurface");
    c.AddItem("Gravel");
    c.SetItemData(0, 1);
    c.SetListIndex(0);
    c.AddItem("Tarmac", 0);
    c.AddItem("Snow", 2);
    EXPECT_EQ(c.ListCount(), 3);
    EXPECT_EQ(c.List(0), "Tarmac");
    EXPECT_EQ(c.List(1), "Gravel");
    EXPECT_EQ(c.List(2), "Snow");
    EXPECT_EQ(c.ListIndex(), 1);
    EXPECT_EQ(c.ItemData(1), 1);
    EXPECT_EQ(c.ItemData(0), 0);  // new entries carry 0
}

TEST(ComboBoxTest, ClearEmptiesListSelectionAndTextAndTellsTheView) {
    ui::ComboBox c("cmbStage");
    Filled(c, {"a", "b"}).SetListIndex(1);
    Trace t;
    t.Watch(c);
    c.onClick = t.Event("click");
    c.onChange = t.Event("change");
    c.Clear();
    EXPECT_EQ(c.ListCount(), 0);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.Text(), "");
    EXPECT_EQ(t.seen, (std::vector<std::string>{Trace::Of(c, Property::Items), Trace::Of(c, Property::ListIndex),
                                                Trace::Of(c, Property::Text)}));
}

TEST(ComboBoxTest, TypingIntoAnEditableListRunsTheChangeHandler) {
    ui::ComboBox c("cmbCar", ui::ComboBox::Style::DropdownCombo);
    Filled(c, {"Peugeot 206", "MG ZR"}).SetListIndex(1);
    int changes = 0;
    c.onChange = [&] { ++changes; };
    c.SetText("MG ZR");  // unchanged
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(c.ListIndex(), 1);
    c.SetText("MG");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.Text(), "MG");
}

TEST(ComboBoxTest, FindStringExactIgnoresCaseAndWrapsRound) {
    ui::ComboBox c("cmbWeather");
    Filled(c, {"41M_crisp_clear", "41M_hazy_clear", "41m_CRISP_clear"});
    EXPECT_EQ(c.FindStringExact("41M_HAZY_CLEAR"), 1);
    EXPECT_EQ(c.FindStringExact("41M_crisp_clear"), 0);
    EXPECT_EQ(c.FindStringExact("41M_crisp_clear", 0), 2);  // starts after entry 0
    EXPECT_EQ(c.FindStringExact("41M_crisp_clear", 2), 0);  // wraps round
    EXPECT_EQ(c.FindStringExact("41M_crisp"), -1);          // whole texts only
    EXPECT_EQ(ui::ComboBox("empty").FindStringExact("x"), -1);
}

TEST(TextBoxTest, ChangeHandlerRunsOnlyWhenTheTextChanges) {
    ui::TextBox edPwd("edPwd");
    std::vector<std::string> texts;
    edPwd.onChange = [&] { texts.push_back(edPwd.Text()); };
    edPwd.SetText("secret");
    edPwd.SetText("secret");
    edPwd.SetText("");
    EXPECT_EQ(texts, (std::vector<std::string>{"secret", ""}));
}

TEST(OptionButtonTest, TurningOneOnTurnsTheOthersOffAndRunsItsClick) {
    ui::ControlArray<ui::OptionButton> opt("optWeather", {0, 2});
    ui::OptionGroup group;
    std::vector<int> clicks;
    opt.ForEach([&](int i, ui::OptionButton& b) {
        group.Add(b);
        b.onClick = [&clicks, i] { clicks.push_back(i); };
    });
    opt[0].SetValue(true);
    opt[2].SetValue(true);
    EXPECT_FALSE(opt[0].Value());
    EXPECT_TRUE(opt[2].Value());
    opt[2].SetValue(true);  // already on: still a click
    opt[2].SetValue(false);  // off: no click, and none is on
    EXPECT_FALSE(opt[0].Value());
    EXPECT_FALSE(opt[2].Value());
    EXPECT_EQ(clicks, (std::vector<int>{0, 2, 2}));
}

TEST(CheckBoxTest, ClickRunsWhenTheStateChanges) {
    ui::CheckBox cbWheel("cbWheel");
    int clicks = 0;
    cbWheel.onClick = [&] { ++clicks; };
    cbWheel.SetValue(ui::CheckBox::Checked);
    cbWheel.SetValue(ui::CheckBox::Checked);
    cbWheel.SetValue(ui::CheckBox::Grayed);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(ErrorOf([&] { cbWheel.SetValue(3); }), 380);
    EXPECT_EQ(cbWheel.Value(), ui::CheckBox::Grayed);
}

TEST(PushButtonTest, ColoursAreObservedAndOnlyAnAvailableButtonCanBePressed) {
    ui::PushButton b("cmdSS(1)");
    Trace t;
    t.Watch(b);
    b.onClick = t.Event("click");
    b.SetBackcolor(0x00FFFF);
    b.SetBackover(0xE0E0E0);  // the default: nothing to show
    b.SetEnabled(false);
    b.Press();
    b.SetEnabled(true);
    b.SetVisible(false);
    b.Press();
    b.SetVisible(true);
    b.Press();
    EXPECT_EQ(b.Backcolor(), 0x00FFFFu);
    EXPECT_EQ(t.seen, (std::vector<std::string>{Trace::Of(b, Property::BackColor), Trace::Of(b, Property::Enabled),
                                                Trace::Of(b, Property::Enabled), Trace::Of(b, Property::Visible),
                                                Trace::Of(b, Property::Visible), "click"}));
}

TEST(MenuItemTest, HiddenOrDisabledItemsCannotBeChosen) {
    ui::MenuItem HotLaps("HotLaps"), HotLap("HotLap");
    HotLaps.Add(HotLap);
    int clicks = 0;
    HotLap.onClick = [&] { ++clicks; };
    HotLap.SetChecked(true);
    HotLap.Press();
    HotLap.SetVisible(false);
    HotLap.Press();
    HotLap.SetVisible(true);
    HotLap.SetEnabled(false);
    HotLap.Press();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(HotLap.Checked());
    ASSERT_EQ(HotLaps.Items().size(), 1u);
    EXPECT_EQ(HotLaps.Items()[0], &HotLap);
}

TEST(TimerTest, TicksOnlyWhenEnabledWithAnInterval) {
    ui::Timer tMain("tMain");
    int ticks = 0;
    tMain.onTimer = [&] { ++ticks; };
    tMain.Tick();  // interval 0
    tMain.SetInterval(100);
    tMain.Tick();
    tMain.SetEnabled(false);
    tMain.Tick();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(ErrorOf([&] { tMain.SetInterval(65536); }), 380);
    EXPECT_EQ(ErrorOf([&] { tMain.SetInterval(-1); }), 380);
    EXPECT_EQ(tMain.Interval(), 100);
}

TEST(ObserverTest, DisconnectedObserversHearNothingAndMayOutliveTheControl) {
    ui::Connection kept;
    int notices = 0;
    {
        ui::Label laRally("laRally");
        kept = laRally.Observe([&](ui::Component&, Property) { ++notices; });
        laRally.SetCaption("TESTING ZONE...");
        laRally.SetCaption("TESTING ZONE...");  // unchanged
        kept.Disconnect();
        laRally.SetCaption("HOTLAPS");
        kept = laRally.Observe([&](ui::Component&, Property) { ++notices; });
    }
    kept.Disconnect();  // the label is gone
    EXPECT_EQ(notices, 1);
}

TEST(ControlArrayTest, ElementsCarryTheirIndexInTheirName) {
    ui::ControlArray<ui::PushButton> cmdCat("cmdCat", 1, 10);
    EXPECT_EQ(cmdCat[1].Name(), "cmdCat(1)");
    EXPECT_EQ(cmdCat[10].Name(), "cmdCat(10)");
    EXPECT_EQ(ErrorOf([&] { cmdCat[0]; }), 340);
    EXPECT_EQ(ErrorOf([&] { cmdCat[11]; }), 340);
    int count = 0;
    cmdCat.ForEach([&](int i, ui::PushButton&) { EXPECT_EQ(i, ++count); });
    EXPECT_EQ(count, 10);

    std::vector<int> clicked;
    cmdCat.OnClick([&](int i) { clicked.push_back(i); });
    cmdCat[7].Press();
    cmdCat[1].Press();
    EXPECT_EQ(clicked, (std::vector<int>{7, 1}));
}

}  // namespace

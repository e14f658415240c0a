// The control models the client's windows stand on. Setters change the model, tell the
// observers, and run the owner's handler where the control raises an event for that change.
// A view forwards the driver's actions through the driver's entries (Press, Pick, Type, Click,
// Form::Close), which make the same change through the same setters, so code and driver raise
// the same events; but a driver's action runs only where the driver can reach the control, and
// never inside a wait (platform/EventLoop.h).
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "ui/Component.h"

namespace ui {

// Colours are Windows RGB values, 0x00BBGGRR, or a colour of the system's scheme: 0x80000000
// with the system colour's index.
using Color = std::uint32_t;
inline constexpr Color kSystemColor = 0x80000000;
inline constexpr Color kButtonFace = kSystemColor | 15;  // the face of windows and buttons

// A caption with a fore and a back colour.
class Label : public Control {
public:
    using Control::Control;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string text) { Assign(caption_, std::move(text), Property::Caption); }
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color c) { Assign(foreColor_, c, Property::ForeColor); }
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c) { Assign(backColor_, c, Property::BackColor); }

private:
    std::string caption_;
    Color foreColor_ = 0x000000;
    Color backColor_ = kButtonFace;
};

// A picture: the window's design gives one, code may load another from a file.
class Image : public Control {
public:
    using Control::Control;

    // The file of the picture shown; empty while it shows the design's.
    const std::string& Picture() const { return picture_; }
    // Shows the picture in the file and takes its size (the picture port reads it). Returns
    // false, and keeps the picture and size it had, when the file holds no picture it can show.
    bool LoadPicture(const std::string& path);

private:
    std::string picture_;
};

// An edit field. Every change of its text runs onChange.
class TextBox : public Control {
public:
    using Control::Control;

    const std::string& Text() const { return text_; }
    // Sets the text; onChange runs when the text differs from the previous one.
    void SetText(std::string text);
    // The driver typed: the field now holds text.
    void Type(std::string text);

    Handler onChange;

private:
    std::string text_;
};

// A drop-down selector: entries with a text and a 32-bit item data, and the selected entry.
class ComboBox : public Control {
public:
    enum class Style {
        DropdownList,   // the text is always the selected entry's
        DropdownCombo,  // the text can also be typed
    };
    explicit ComboBox(std::string name, Style style = Style::DropdownList)
        : Control(std::move(name)), style_(style) {}

    Style ListStyle() const { return style_; }

    // Inserts an entry at index (0..ListCount), or appends it when index is -1; any other
    // index is error 5. The selection stays on the same entry.
    void AddItem(std::string text, int index = -1);
    // Removes every entry; nothing is selected and the text is empty. Raises no event.
    void Clear();

    int ListCount() const { return static_cast<int>(items_.size()); }
    // The text of an entry; empty for an index outside the list.
    std::string List(int index) const;
    // The item data of an entry; an index outside the list is error 381.
    std::int32_t ItemData(int index) const;
    void SetItemData(int index, std::int32_t data);

    // The selected entry, -1 for none.
    int ListIndex() const { return listIndex_; }
    // Selects an entry and runs onClick, as a pick by the user does, also when the entry was
    // already selected. -1 clears the selection and the text and runs nothing. Any index outside -1..
    // ListCount-1 is error 380 and changes nothing.
    void SetListIndex(int index);
    // The driver picked an entry: SetListIndex, when the entry is still in the list.
    void Pick(int index);

    // The selected entry's text, or the typed text.
    const std::string& Text() const { return text_; }
    // Types a text (DropdownCombo only; error 383 in a DropdownList). The selection is kept
    // only when the text is still the selected entry's; onChange runs when the text differs.
    void SetText(std::string text);
    // The driver typed into the field: SetText.
    void Type(std::string text);

    // The first entry at or after start + 1 whose text equals text without regard to case,
    // from the list start when start is -1, wrapping round; -1 when there is none.
    int FindStringExact(const std::string& text, int start = -1) const;

    Handler onClick;
    Handler onChange;

private:
    struct Item {
        std::string text;
        std::int32_t data = 0;
    };
    const Item& At(int index) const;

    Style style_;
    std::vector<Item> items_;
    int listIndex_ = -1;
    std::string text_;
};

class OptionGroup;

// A round button; in a group, turning one on turns the others off.
class OptionButton : public Control {
public:
    using Control::Control;

    bool Value() const { return value_; }
    // Turning it on (also when it is on already) turns the group's others off and runs
    // onClick, as the user's click does; turning it off runs nothing.
    void SetValue(bool on);
    // The driver clicked it: SetValue(true).
    void Click();

    Handler onClick;

private:
    friend class OptionGroup;
    bool value_ = false;
    OptionGroup* group_ = nullptr;
};

// The option buttons of one container.
class OptionGroup {
public:
    // Adds a button; a button belongs to one group at most.
    void Add(OptionButton& button);

private:
    friend class OptionButton;
    std::vector<OptionButton*> members_;
};

// A square box, unticked, ticked or greyed.
class CheckBox : public Control {
public:
    enum State { Unchecked = 0, Checked = 1, Grayed = 2 };
    using Control::Control;

    int Value() const { return value_; }
    // Sets the state and runs onClick when it changed; a value outside 0..2 is error 380.
    void SetValue(int value);
    // The driver clicked it: a ticked box is unticked, any other ticked.
    void Click();

    Handler onClick;

private:
    int value_ = Unchecked;
};

// The push button of the windows, driven through enabled, backcolor and backover.
class PushButton : public Control {
public:
    using Control::Control;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string text) { Assign(caption_, std::move(text), Property::Caption); }
    // The back colour.
    Color Backcolor() const { return backcolor_; }
    void SetBackcolor(Color c) { Assign(backcolor_, c, Property::BackColor); }
    // The back colour while the pointer is over the button.
    Color Backover() const { return backover_; }
    void SetBackover(Color c) { Assign(backover_, c, Property::BackOver); }

    // The driver pressed the button: onClick runs.
    void Press();

    Handler onClick;

private:
    std::string caption_;
    Color backcolor_ = 0xFFFFFF;
    Color backover_ = 0xE0E0E0;
};

// An area that shows web pages. A navigation goes through the web pane port under the pane's
// name, which sends it to the server and, where the view has a browser, shows the page.
class WebPane : public Control {
public:
    using Control::Control;

    void Navigate(const std::string& address);
};

// An entry of the menu bar or of a menu; a menu holds its items in order.
class MenuItem : public Control {
public:
    using Control::Control;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string text) { Assign(caption_, std::move(text), Property::Caption); }
    bool Checked() const { return checked_; }
    void SetChecked(bool on) { Assign(checked_, on, Property::Checked); }

    // Appends an item to this menu (the window's design; not observed).
    void Add(MenuItem& item) {
        items_.push_back(&item);
        item.menu_ = this;
    }
    const std::vector<MenuItem*>& Items() const { return items_; }

    // Also every menu that holds it is shown and enabled.
    bool Reachable() const override;
    // The driver chose the item (or its shortcut): onClick runs.
    void Press();

    Handler onClick;

private:
    std::string caption_;
    bool checked_ = false;
    std::vector<MenuItem*> items_;
    const MenuItem* menu_ = nullptr;  // the menu that holds it; none on the menu bar
};

// A timer: while its window is loaded and it is enabled with an interval above 0, it ticks
// every interval milliseconds from the desktop's timer source. Its handler never runs nested
// inside itself: a tick that falls due while the handler runs (inside one of its waits) is
// dropped; other timers do run inside such a wait, the driver's actions only after it.
class Timer : public Component {
public:
    explicit Timer(std::string name);
    ~Timer() override;

    int Interval() const { return interval_; }
    // Sets the interval in milliseconds, 0..65535; any other value is error 380.
    void SetInterval(int ms);
    // True when the timer is enabled with an interval (whether or not its window is loaded).
    bool Running() const { return Enabled() && interval_ > 0; }
    // True when it is scheduled with the desktop's timer source.
    bool Scheduled() const { return timerId_ != 0; }

    // One tick: onTimer runs when the timer is running, its window (if any) is loaded and its
    // handler is not running already.
    void Tick();

    Handler onTimer;

private:
    friend class Form;
    // Starts, restarts or stops the timer source to match the timer's state.
    void Reschedule();

    int interval_ = 0;
    bool ticking_ = false;
    std::uint32_t timerId_ = 0;
    int scheduledMs_ = 0;
    platform::DesktopPort* source_ = nullptr;
    Connection self_;
};

// Controls of one kind under one name, told apart by an index: "cmdSS(1)" .. "cmdSS(20)".
template <class T>
class ControlArray {
public:
    // Elements first..last.
    ControlArray(const std::string& name, int first, int last) {
        for (int i = first; i <= last; ++i) Make(name, i);
    }
    // Elements at the given indices only.
    ControlArray(const std::string& name, std::initializer_list<int> indices) {
        for (int i : indices) Make(name, i);
    }
    // Elements first..last with names of their own ("R0" .. "R15").
    template <class NameOf>
    ControlArray(int first, int last, NameOf nameOf) {
        for (int i = first; i <= last; ++i) elements_.emplace(i, std::make_unique<T>(nameOf(i)));
    }

    // The element at index; an index without an element is error 340.
    T& operator[](int index) const {
        auto it = elements_.find(index);
        if (it == elements_.end()) throw ControlError(340, "no element " + std::to_string(index));
        return *it->second;
    }

    // The elements in index order.
    template <class F>
    void ForEach(F&& f) const {
        for (auto& [index, element] : elements_) f(index, *element);
    }

    // The array's click event: a click of an element runs handler with the element's index.
    template <class F>
    void OnClick(const F& handler) const {
        ForEach([&handler](int index, T& element) { element.onClick = [handler, index] { handler(index); }; });
    }

private:
    void Make(const std::string& name, int i) {
        elements_.emplace(i, std::make_unique<T>(name + "(" + std::to_string(i) + ")"));
    }
    std::map<int, std::unique_ptr<T>> elements_;
};

}  // namespace ui

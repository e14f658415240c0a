#include "ui/Controls.h"

#include <algorithm>

#include "platform/AnsiText.h"
#include "platform/EventLoop.h"
#include "platform/Ports.h"
#include "ui/Form.h"

namespace ui {

Connection::Connection(Connection&& other) noexcept : list_(std::move(other.list_)), id_(other.id_) {
    other.id_ = 0;
}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        Disconnect();
        list_ = std::move(other.list_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void Connection::Disconnect() {
    if (auto list = list_.lock()) {
        auto& e = list->entries;
        e.erase(std::remove_if(e.begin(), e.end(), [this](auto& entry) { return entry.first == id_; }), e.end());
    }
    list_.reset();
    id_ = 0;
}

Component::~Component() { platform::DropDriverActions(this); }

bool Component::Reachable() const {
    const Form* form = Owner();
    return Enabled() && (!form || form->Reachable());
}

bool Control::Reachable() const { return Visible() && Component::Reachable(); }

void Component::AsDriver(std::function<void()> action, std::optional<Property> reshow) {
    auto unreached = [this, reshow] {
        if (reshow) Notify(*reshow);
    };
    if (!Reachable()) return unreached();
    platform::DriverAction(this, [this, action = std::move(action), unreached] {
        // Held by a wait, it may no longer apply: the control was disabled or hidden meanwhile.
        if (Reachable()) action();
        else unreached();
    });
}

Connection Component::Observe(Listener listener) {
    int id = listeners_->nextId++;
    listeners_->entries.emplace_back(id, std::move(listener));
    return Connection(listeners_, id);
}

void Component::Notify(Property p) {
    // A copy, so that a listener may connect or disconnect observers while it runs.
    auto entries = listeners_->entries;
    for (auto& [id, listener] : entries) listener(*this, p);
}

bool Image::LoadPicture(const std::string& path) {
    const std::optional<platform::PictureSize> size = platform::pictures().Load(path);
    if (!size) return false;
    // The size first, so that a view shows the picture at its size; the picture is told also
    // when the path is the same, as the file may hold another picture now.
    SetBounds({Left(), Top(), size->width, size->height});
    picture_ = path;
    Notify(Property::Picture);
    return true;
}

void TextBox::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Notify(Property::Text);
    Run(onChange);
}

void TextBox::Type(std::string text) {
    AsDriver([this, text = std::move(text)] { SetText(text); }, Property::Text);
}

const ComboBox::Item& ComboBox::At(int index) const {
    if (index < 0 || index >= ListCount()) throw ControlError(381, Name() + ": no entry " + std::to_string(index));
    return items_[static_cast<std::size_t>(index)];
}

void ComboBox::AddItem(std::string text, int index) {
    if (index < -1 || index > ListCount()) throw ControlError(5, Name() + ": cannot add at " + std::to_string(index));
    if (index == -1) index = ListCount();
    items_.insert(items_.begin() + index, Item{std::move(text), 0});
    Notify(Property::Items);
    if (listIndex_ >= index) {
        ++listIndex_;
        Notify(Property::ListIndex);
    }
}

void ComboBox::Clear() {
    bool hadItems = !items_.empty(), hadSelection = listIndex_ != -1;
    items_.clear();
    listIndex_ = -1;
    if (hadItems) Notify(Property::Items);
    if (hadSelection) Notify(Property::ListIndex);
    Assign(text_, std::string(), Property::Text);
}

std::string ComboBox::List(int index) const {
    return index >= 0 && index < ListCount() ? items_[static_cast<std::size_t>(index)].text : std::string();
}

std::int32_t ComboBox::ItemData(int index) const { return At(index).data; }

void ComboBox::SetItemData(int index, std::int32_t data) {
    At(index);
    Assign(items_[static_cast<std::size_t>(index)].data, data, Property::ItemData);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount())
        throw ControlError(380, Name() + ": invalid list index " + std::to_string(index));
    Assign(listIndex_, index, Property::ListIndex);
    if (index == -1) {
        Assign(text_, std::string(), Property::Text);
        return;
    }
    Assign(text_, items_[static_cast<std::size_t>(index)].text, Property::Text);
    Run(onClick);
}

void ComboBox::Pick(int index) {
    AsDriver(
        [this, index] {
            if (index >= 0 && index < ListCount()) SetListIndex(index);
            else Notify(Property::ListIndex);
        },
        Property::ListIndex);
}

void ComboBox::Type(std::string text) {
    AsDriver([this, text = std::move(text)] { SetText(text); }, Property::Text);
}

void ComboBox::SetText(std::string text) {
    if (style_ == Style::DropdownList) throw ControlError(383, Name() + ": the text is read-only");
    if (text == text_) return;
    if (listIndex_ != -1 && text != items_[static_cast<std::size_t>(listIndex_)].text) {
        listIndex_ = -1;
        Notify(Property::ListIndex);
    }
    text_ = std::move(text);
    Notify(Property::Text);
    Run(onChange);
}

int ComboBox::FindStringExact(const std::string& text, int start) const {
    int n = ListCount();
    if (n == 0) return -1;
    if (start < -1 || start >= n) start = -1;
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        if (platform::EqualsNoCase(items_[static_cast<std::size_t>(i)].text, text)) return i;
    }
    return -1;
}

void OptionButton::SetValue(bool on) {
    if (!on) {
        Assign(value_, false, Property::Value);
        return;
    }
    if (group_)
        for (OptionButton* other : group_->members_)
            if (other != this) other->Assign(other->value_, false, Property::Value);
    Assign(value_, true, Property::Value);
    Run(onClick);
}

void OptionButton::Click() {
    AsDriver([this] { SetValue(true); }, Property::Value);
}

void OptionGroup::Add(OptionButton& button) {
    if (button.group_) return;
    button.group_ = this;
    members_.push_back(&button);
}

void CheckBox::SetValue(int value) {
    if (value < Unchecked || value > Grayed) throw ControlError(380, Name() + ": invalid value " + std::to_string(value));
    if (value == value_) return;
    value_ = value;
    Notify(Property::Value);
    Run(onClick);
}

void CheckBox::Click() {
    AsDriver([this] { SetValue(value_ == Checked ? Unchecked : Checked); }, Property::Value);
}

void PushButton::Press() {
    AsDriver([this] { Run(onClick); });
}

bool MenuItem::Reachable() const {
    for (const MenuItem* m = menu_; m; m = m->menu_)
        if (!m->Visible() || !m->Enabled()) return false;
    return Control::Reachable();
}

void MenuItem::Press() {
    AsDriver([this] { Run(onClick); });
}

void WebPane::Navigate(const std::string& address) { platform::webPanes().Navigate(Name(), address); }

Timer::Timer(std::string name) : Component(std::move(name)) {
    self_ = Observe([this](Component&, Property p) {
        if (p == Property::Enabled) Reschedule();
    });
}

Timer::~Timer() {
    if (timerId_ != 0) source_->StopTimer(timerId_);
}

void Timer::SetInterval(int ms) {
    if (ms < 0 || ms > 65535) throw ControlError(380, Name() + ": invalid interval " + std::to_string(ms));
    Assign(interval_, ms, Property::Interval);
    Reschedule();
}

void Timer::Reschedule() {
    const bool wanted = Running() && Owner() && Owner()->Loaded();
    if (timerId_ != 0 && (!wanted || scheduledMs_ != interval_)) {
        source_->StopTimer(timerId_);
        timerId_ = 0;
    }
    if (wanted && timerId_ == 0) {
        source_ = &platform::desktop();
        timerId_ = source_->StartTimer(static_cast<std::uint32_t>(interval_), [this] { Tick(); });
        scheduledMs_ = interval_;
    }
}

void Timer::Tick() {
    if (!Running() || ticking_ || (Owner() && !Owner()->Loaded())) return;
    ticking_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{ticking_};
    Run(onTimer);
}

}  // namespace ui

#include "ui/Form.h"

#include <algorithm>
#include <utility>

#include "platform/EventLoop.h"
#include "platform/Ports.h"

namespace ui {

namespace {
std::vector<Form*>& LoadedList() {
    static std::vector<Form*> forms;
    return forms;
}

Form::ViewMaker& Maker() {
    static Form::ViewMaker maker;
    return maker;
}
}  // namespace

void Form::SetViewMaker(ViewMaker maker) { Maker() = std::move(maker); }

const std::vector<Form*>& Form::LoadedForms() { return LoadedList(); }

Form::~Form() {
    auto& forms = LoadedList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void Form::SetLoaded(bool on) {
    auto& forms = LoadedList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (on) forms.push_back(this);
    Assign(loaded_, on, Property::Loaded);
    for (Component* c : components_)
        if (auto* timer = dynamic_cast<Timer*>(c)) timer->Reschedule();
}

void Form::Load() {
    if (loaded_) return;
    if (Maker() && !view_) view_ = Maker()(*this);
    SetLoaded(true);
    Run(onLoad);
}

void Form::Show() {
    Load();
    // The load handler may have unloaded the form again (a failed start, say).
    if (loaded_) Assign(visible_, true, Property::Visible);
}

void Form::ShowModal(Form* owner) {
    modalOwner_ = owner;
    Show();
    if (!visible_) {
        modalOwner_ = nullptr;
        return;
    }
    const bool ownerWasEnabled = owner && owner->Enabled();
    if (owner) owner->SetEnabled(false);
    struct Restore {
        Form& form;
        bool enable;
        ~Restore() {
            Form* owner = std::exchange(form.modalOwner_, nullptr);
            if (owner && enable) owner->SetEnabled(true);
        }
    } restore{*this, ownerWasEnabled};
    platform::DesktopPort& desktop = platform::desktop();
    platform::ModalScope modal;
    for (;;) {
        desktop.PumpEvents();
        if (!loaded_ || !visible_) break;
        desktop.WaitForEvents(platform::kWaitForever);
    }
}

bool Form::Unload() {
    if (!loaded_) return true;
    int cancel = 0;
    if (onUnload) onUnload(cancel);
    if (cancel != 0) return false;
    Hide();
    SetLoaded(false);
    view_.reset();
    return true;
}

void Form::Close() {
    AsDriver([this] { (void)Unload(); });
}

bool Form::Reachable() const { return loaded_ && visible_ && Enabled(); }

void Form::Resized(int scaleWidth, int scaleHeight) {
    scaleWidth_ = scaleWidth;
    scaleHeight_ = scaleHeight;
    Run(onResize);
}

void Form::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Notify(Property::Bounds);
}

void Form::SetDesign(const FormDesign& design) {
    design_ = &design;
    scaleWidth_ = design.width;
    scaleHeight_ = design.height;
    for (const ControlDesign& row : design.controls) {
        auto* control = dynamic_cast<Control*>(Find(row.name));
        if (control == nullptr) continue;
        control->SetBounds({row.x, row.y, row.width, row.height});
        if (*row.caption == '\0') continue;
        if (auto* label = dynamic_cast<Label*>(control)) label->SetCaption(row.caption);
        else if (auto* button = dynamic_cast<PushButton*>(control)) button->SetCaption(row.caption);
        else if (auto* text = dynamic_cast<TextBox*>(control)) text->SetText(row.caption);
    }
}

Component* Form::Find(const std::string& name) const {
    for (Component* c : components_)
        if (c->Name() == name) return c;
    return nullptr;
}

void Form::Add(Component& c) {
    c.owner_ = this;
    components_.push_back(&c);
    if (auto* timer = dynamic_cast<Timer*>(&c)) timer->Reschedule();
}

}  // namespace ui

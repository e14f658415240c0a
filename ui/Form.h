// A window of the program: loaded (its load handler runs), shown modeless or modally, hidden
// and unloaded (its unload handler may cancel). It owns its components, which it lists by name;
// its timers tick only while it is loaded.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class Form : public Component {
public:
    explicit Form(std::string name) : Component(std::move(name)) {}
    ~Form() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string text) { Assign(caption_, std::move(text), Property::Caption); }

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }

    // Loads the form, hidden: its timers start and onLoad runs. A loaded form stays as it is.
    void Load();
    // Loads the form when needed and shows it, modeless.
    void Show();
    // Loads the form when needed and shows it modally: the owner (when given) is disabled and
    // window events are handled in a nested loop until this form is hidden or unloaded; then
    // the owner is enabled again and the call returns.
    void ShowModal(Form* owner);
    void Hide() { Assign(visible_, false, Property::Visible); }
    // Runs onUnload with cancel 0; unless the handler set cancel, the form is hidden and
    // unloaded and its timers stop. Returns true when the form is unloaded (also when it was).
    bool Unload();

    // The component of that name, or nullptr.
    Component* Find(const std::string& name) const;

    Handler onLoad;
    std::function<void(int& cancel)> onUnload;

    // The forms now loaded, in the order they were loaded.
    static const std::vector<Form*>& LoadedForms();

protected:
    // Makes the component this form's (the window's design).
    void Add(Component& c);
    template <class T>
    void Add(ControlArray<T>& array) {
        array.ForEach([this](int, T& element) { Add(element); });
    }

private:
    void SetLoaded(bool on);

    std::string caption_;
    bool loaded_ = false;
    bool visible_ = false;
    std::vector<Component*> components_;
};

}  // namespace ui

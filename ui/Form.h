// A window of the program: loaded (its load handler runs), shown modeless or modally, hidden
// and unloaded (its unload handler may cancel). It owns its components, which it lists by name;
// its timers tick only while it is loaded.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Design.h"

namespace ui {

class Form : public Component {
public:
    // What shows a loaded form: the real window, which observes the form and its components.
    class View {
    public:
        virtual ~View() = default;
        // The real window's handle, 0 for none.
        virtual platform::WindowHandle Handle() const { return 0; }
    };
    // Makes the view of a form that is being loaded (nullptr: none).
    using ViewMaker = std::function<std::shared_ptr<View>(Form&)>;
    // From now on every form that is loaded gets a view from maker until it is unloaded; an
    // empty maker gives none (the tests' forms).
    static void SetViewMaker(ViewMaker maker);

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
    // the owner is enabled again and the call returns. The loop runs the form's own input,
    // also when the form was opened inside a wait.
    void ShowModal(Form* owner);
    void Hide() { Assign(visible_, false, Property::Visible); }
    // Runs onUnload with cancel 0; unless the handler set cancel, the form is hidden and
    // unloaded and its timers stop. Returns true when the form is unloaded (also when it was).
    bool Unload();
    // The driver pressed the window's close box: Unload, as a driver's action.
    void Close();
    // Loaded, shown and enabled.
    bool Reachable() const override;

    // The component of that name, or nullptr.
    Component* Find(const std::string& name) const;

    // The window's design, or nullptr when it has none.
    const FormDesign* Design() const { return design_; }
    // The handle of the window that shows the form, or 0 while it has none (not loaded, or no
    // view), which stands for the desktop as an owner.
    platform::WindowHandle WindowHandle() const { return view_ ? view_->Handle() : 0; }
    // The form that a modal show of this form disabled, while it is shown; else nullptr.
    Form* ModalOwner() const { return modalOwner_; }

    // The inner size in the window's units (pixels at 96 DPI).
    int ScaleWidth() const { return scaleWidth_; }
    int ScaleHeight() const { return scaleHeight_; }
    // The window was given this inner size (also when it is first shown): onResize runs.
    void Resized(int scaleWidth, int scaleHeight);
    // The outer size that code gave the window, frame and caption included, in the window's
    // units; 0 until code gives one (the design's inner size holds until then).
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Gives the window an outer size; the view makes it so and reports the new inner size.
    void SetSize(int width, int height);

    Handler onLoad;
    std::function<void(int& cancel)> onUnload;
    Handler onResize;

    // The forms now loaded, in the order they were loaded.
    static const std::vector<Form*>& LoadedForms();

protected:
    // Makes the component this form's (the window's design).
    void Add(Component& c);
    template <class T>
    void Add(ControlArray<T>& array) {
        array.ForEach([this](int, T& element) { Add(element); });
    }
    // Gives the form its design, after its components are added: each named control takes the
    // place of its row, and a label's or button's caption or a text box's text is the row's
    // caption when it has one; the inner size is the design's.
    void SetDesign(const FormDesign& design);

private:
    void SetLoaded(bool on);

    std::string caption_;
    bool loaded_ = false;
    bool visible_ = false;
    std::vector<Component*> components_;
    const FormDesign* design_ = nullptr;
    Form* modalOwner_ = nullptr;
    int scaleWidth_ = 0, scaleHeight_ = 0;
    int width_ = 0, height_ = 0;
    std::shared_ptr<View> view_;  // last, so that it goes first
};

}  // namespace ui

// The base of the headless control models. A window is a presenter over these models; a view
// (the Win32 binding) shows them. Every property change, whether code or the user made it, is
// told to the observers, because a real control gives no notice of a change made from code.
// Handlers are the owner's event procedures; they run on the window thread, synchronously.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui {

// The properties a view may have to show again after a change.
enum class Property {
    Enabled,
    Visible,
    Caption,
    Text,
    Items,      // entries added, removed or cleared
    ItemData,   // the data of an entry
    ListIndex,  // the selected entry
    Value,      // option button or check box state
    Checked,    // menu item tick
    ForeColor,
    BackColor,
    BackOver,   // push button colour while the pointer is over it
    Interval,
    Loaded,     // a window was loaded or unloaded
    Bounds,     // a control's place or size, or a window's outer size
    Picture,    // the picture an image shows
};

// A refused property value or index, with the run-time error number the window code expects:
// 5 invalid procedure call, 340 no such control array element, 380 invalid property value,
// 381 invalid property array index, 383 read-only property.
class ControlError : public std::runtime_error {
public:
    ControlError(int number, const std::string& what) : std::runtime_error(what), number_(number) {}
    int Number() const { return number_; }

private:
    int number_;
};

class Component;
class Form;
using Listener = std::function<void(Component&, Property)>;
using Handler = std::function<void()>;

namespace detail {
struct Listeners {
    int nextId = 1;
    std::vector<std::pair<int, Listener>> entries;
};
}  // namespace detail

// Keeps an observer registered; destroying or disconnecting it removes the observer. It may
// outlive the component.
class Connection {
public:
    Connection() = default;
    Connection(std::weak_ptr<detail::Listeners> list, int id) : list_(std::move(list)), id_(id) {}
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Disconnect(); }

    // Removes the observer; does nothing when it is already gone.
    void Disconnect();

private:
    std::weak_ptr<detail::Listeners> list_;
    int id_ = 0;
};

// Anything a window owns by name: a control, a menu item or a timer.
class Component {
public:
    explicit Component(std::string name) : name_(std::move(name)) {}
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // The name under which the window declares it, "cmdSS(3)" for an element of an array.
    const std::string& Name() const { return name_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { Assign(enabled_, on, Property::Enabled); }

    // Calls the listener after every change of a property of this component.
    [[nodiscard]] Connection Observe(Listener listener);

    // The window that owns it, or nullptr.
    Form* Owner() const { return owner_; }

    // True when the driver can reach it: it is enabled, on a window that is shown and enabled.
    virtual bool Reachable() const;

protected:
    // A driver's action on the component (a click, a pick, a typed text, the close box): it runs
    // now, or, when it arrives during a wait, once the handler or tick that waits has returned
    // (platform/EventLoop.h); either way only while the driver can reach the component, as a
    // real control ignores a click otherwise. When it does not run, the views are told reshow
    // (when given), so that they show the model again.
    void AsDriver(std::function<void()> action, std::optional<Property> reshow = std::nullopt);
    // Tells every observer that a property changed.
    void Notify(Property p);
    // Stores a value and notifies when it differs from the stored one.
    template <class T>
    void Assign(T& field, T value, Property p) {
        if (field == value) return;
        field = std::move(value);
        Notify(p);
    }
    // Runs a handler when the owner set one.
    static void Run(const Handler& h) {
        if (h) h();
    }

private:
    friend class Form;
    std::string name_;
    Form* owner_ = nullptr;
    bool enabled_ = true;
    std::shared_ptr<detail::Listeners> listeners_ = std::make_shared<detail::Listeners>();
};

// A control's place and size in its window's units: pixels at 96 DPI, from the inner top left.
struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Bounds&) const = default;
};

// A component that is shown in a window: it can be hidden and moved.
class Control : public Component {
public:
    using Component::Component;

    bool Visible() const { return visible_; }
    void SetVisible(bool on) { Assign(visible_, on, Property::Visible); }

    // Also shown.
    bool Reachable() const override;

    // Where it stands; the window's design sets it first.
    const ui::Bounds& Bounds() const { return bounds_; }
    void SetBounds(const ui::Bounds& b) { Assign(bounds_, b, Property::Bounds); }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    void SetLeft(int v) { SetBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
    void SetTop(int v) { SetBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
    // A negative size is error 380.
    void SetWidth(int v) { SetBounds({bounds_.left, bounds_.top, Size(v), bounds_.height}); }
    void SetHeight(int v) { SetBounds({bounds_.left, bounds_.top, bounds_.width, Size(v)}); }

private:
    int Size(int v) const {
        if (v < 0) throw ControlError(380, Name() + ": invalid size " + std::to_string(v));
        return v;
    }
    bool visible_ = true;
    ui::Bounds bounds_;
};

}  // namespace ui

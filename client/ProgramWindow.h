// How the client's windows are made: the one window of a kind that a program keeps (made on
// first use, dropped with the program's state, vm::ResetProgramState), and the windows that
// open modally over another, made afresh for each opening and gone when they close.
#pragma once
#include <memory>

#include "services/ProgramState.h"
#include "ui/Form.h"

namespace vm {

template <class Window>
Window& ProgramWindow() {
    struct Holder {
        std::unique_ptr<Window> window;
    };
    static ProgramWide<Holder> holder;
    if (!holder.window) holder.window = std::make_unique<Window>();
    return *holder.window;
}

// Opens a new window of the kind modally over owner and returns when it has closed.
template <class Window>
void ShowModalAfresh(ui::Form& owner) {
    Window window;
    window.ShowModal(&owner);
}

}  // namespace vm

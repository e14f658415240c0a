// The one window of a kind that a program has: made on first use, dropped with the program's
// state (vm::ResetProgramState).
#pragma once
#include <memory>

#include "services/ProgramState.h"

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

}  // namespace vm

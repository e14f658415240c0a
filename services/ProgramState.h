// Program-wide state: created at start-up, kept until exit. Each module keeps its variables in a
// ProgramWide<T>; ResetProgramState puts every one of them back to its start-up values, which
// is how tests begin from a fresh program.
#pragma once
#include <functional>

namespace vm {

// Puts every ProgramWide object back to a default-constructed value.
void ResetProgramState();

namespace detail {
void RegisterReset(std::function<void()> reset);
}

template <class T>
struct ProgramWide : T {
    ProgramWide() {
        detail::RegisterReset([this] { static_cast<T&>(*this) = T{}; });
    }
    ProgramWide(const ProgramWide&) = delete;
    ProgramWide& operator=(const ProgramWide&) = delete;
};

}  // namespace vm

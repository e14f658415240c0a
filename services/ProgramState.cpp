#include "services/ProgramState.h"

#include <vector>

namespace vm {

namespace {
std::vector<std::function<void()>>& Resets() {
    static std::vector<std::function<void()>> resets;
    return resets;
}
}  // namespace

void detail::RegisterReset(std::function<void()> reset) { Resets().push_back(std::move(reset)); }

void ResetProgramState() {
    for (auto& reset : Resets()) reset();
}

}  // namespace vm

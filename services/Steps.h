// Procedures that go on past a failed step (the log-in, the start-up, the timers): each step
// runs through RunStep, and a failure it raises ends that step alone.
#pragma once
#include <exception>
#include <utility>

namespace vm {

// Runs the step. Returns false when it raised a failure, which is dropped; the end of the
// program (which is no failure) passes through.
template <class Step>
bool RunStep(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace vm

#include "platform/CallbackFailure.h"

#include <stdexcept>

namespace platform {

namespace {
CallbackFailureHandler& Handler() {
    static CallbackFailureHandler handler;
    return handler;
}
}  // namespace

void SetCallbackFailureHandler(CallbackFailureHandler handler) { Handler() = std::move(handler); }

void ReportCallbackFailure(std::exception_ptr failure) noexcept {
    try {
        std::string what = "unknown failure";
        try {
            if (failure) std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        if (Handler()) Handler()(what);
    } catch (...) {
        // A failing handler has nowhere left to report to.
    }
}

}  // namespace platform

// Failures inside code that the operating system calls back (window procedures, timer
// procedures): they must not unwind through its frames, so they are caught there and handed to
// the program's handler. This file must contain only operating-system independent code.
#pragma once
#include <exception>
#include <functional>
#include <string>

namespace platform {

// Called with the failure's text; the program shows it (and may end itself).
using CallbackFailureHandler = std::function<void(const std::string& what)>;

// Installs the handler; an empty one restores the default, which ignores the failure.
void SetCallbackFailureHandler(CallbackFailureHandler handler);

// Hands the failure to the handler. Never throws.
void ReportCallbackFailure(std::exception_ptr failure) noexcept;

}  // namespace platform

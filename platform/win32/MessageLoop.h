// The calling thread's message loops: the program's own and those of its waits
// (Win32Desktop::PumpEvents). Only the win32/ folders hold code for Win32.
#pragma once
#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Sees each message before it is translated and dispatched. Returns true when it handled the
// message itself (a keyboard shortcut, moving between a window's controls).
using MessageFilter = bool (*)(MSG& msg);

// Makes filter the one that every loop of the process uses (nullptr: none).
void SetMessageFilter(MessageFilter filter);

// Passes the message to the filter, then, unless the filter handled it, translates and
// dispatches it.
void DispatchMessageThroughFilter(MSG& msg);

}  // namespace platform::win32

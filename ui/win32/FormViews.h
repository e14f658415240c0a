// The real windows of the program's forms. Only the win32/ folders hold code for Win32.
//
// A form is shown by a top-level window made from its design (ui::Form::SetDesign) while it is
// loaded: created hidden when it is loaded, shown and hidden with it, disabled while it owns a
// modal form, titled with its caption, destroyed when it is unloaded. Its close box unloads it
// (the unload handler may cancel). The window's class is the form's name; each control's and
// menu item's id is published under its name as a property "vm:<name>" of the window, so that a
// driving program can find them (tools/testdriver).
#pragma once

namespace ui::win32 {

// From now on every form that is loaded, and has a design, gets its window. Call once, on the
// window thread, after the ports are installed.
void InstallFormViews();

// Runs the thread's message loop (with the forms' keyboard shortcuts and moves between
// controls) until no form is loaded or a quit message arrives. Returns the quit's exit code, or
// 0 when the last form was unloaded.
int RunMessageLoop();

}  // namespace ui::win32

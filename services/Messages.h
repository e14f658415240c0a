// Message boxes in the program's name.
#pragma once
#include <string>

#include "platform/MessageBox.h"

namespace vm {

// The title of a message box that has none of its own: "Velomark" in the client.
void SetProgramTitle(std::string title);
const std::string& ProgramTitle();

// Shows a message box; an empty title is the program's title.
platform::MsgAnswer ShowMessage(const std::string& text, unsigned style, const std::string& title = {});

}  // namespace vm

// Modal message boxes.
// This file must contain only operating-system independent declarations.
#pragma once
#include <string>

namespace platform {

// Buttons and icons, combinable, with the values of the Windows API.
enum MsgStyle : unsigned {
    kMsgOk = 0x0,
    kMsgYesNo = 0x4,
    kMsgCritical = 0x10,
    kMsgQuestion = 0x20,
    kMsgExclamation = 0x30,
    kMsgInformation = 0x40,
};

// The answer, with the values of the Windows API.
enum MsgAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;

    // Shows text under title with the given style and waits. Returns the button pressed.
    virtual MsgAnswer Show(const std::string& text, const std::string& title, unsigned style) = 0;
};

}  // namespace platform

#pragma once

#include <QString>

namespace platform {
class MessageBoxes;
}

namespace lumaro {

class LumaroContext;

// Shows the message in the program's message box with the buttons and icon of
// the kavMsgBoxStyle flags and returns the answer: 1 OK, 2 Cancel. A style
// without OK or Cancel shows nothing and answers 2; a box that fails answers
// 0. Never throws.
long puAfficheMessageBoxBarre(LumaroContext& context, platform::MessageBoxes& boxes, const QString& isMessage,
                              long iMsgBoxStyle);

}  // namespace lumaro

#pragma once

namespace lumaro {

// The look of the program's message box, a combination of these flags.
enum kavMsgBoxStyle : long {
    kavOk = 1,
    kavAnnuler = 2,
    kavMessage = 4,
    kavAlert = 8,
};

}  // namespace lumaro

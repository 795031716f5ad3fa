// Date texts as ConvertKavDblToDate reads them; a date read is written back and
// read again, as a course server's date makes the round trip.

#include "FuzzSupport.h"

#include "basalo/clsManager.h"
#include "platform/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = platform::decodeText(fuzzsupport::bytes(data, size));
    basalo::BasaloState state;
    basalo::clsManager manager(state);
    platform::OleDate date;
    if (manager.ConvertKavDblToDate(text, date) == basalo::enuFunctionReturnState_General_Traitement_OK) {
        QString written;
        if (manager.ConvertDateToKavDbl(date, written) == basalo::enuFunctionReturnState_General_Traitement_OK)
            manager.ConvertKavDblToDate(written, date);
    }
    manager.ErrorNumber();
    manager.ErrorDescription();
    return 0;
}

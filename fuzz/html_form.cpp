// Pages from a course server as the transport reads them: the first form with
// its controls and what a submission would send, and the page's links.

#include "FuzzSupport.h"

#include "platform/TextCodec.h"
#include "toolkit/HtmlPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString page = platform::decodeText(fuzzsupport::bytes(data, size));
    if (const auto form = toolkit::firstForm(page)) {
        for (const toolkit::FormControl& control : form->controls)
            control.isSubmitted();
    }
    toolkit::pageLinks(page);
    return 0;
}

// Replies of the course server's web service as every loader reads them: the
// status, the error form, each element split into fields and sub-fields, and
// the numbers the loaders take out of them.

#include "FuzzSupport.h"

#include "platform/RuntimeError.h"
#include "platform/TextCodec.h"
#include "toolkit/ReplyRecords.h"

namespace {

// Every way a loader reads a number from a field; the errors they raise are
// the reader's answer to a bad field, not a finding.
void readNumbers(const QString& field)
{
    try {
        toolkit::replyWholeNumber(field);
    } catch (const platform::RuntimeError&) {
    }
    toolkit::replyNumericValue(field);
    try {
        toolkit::replyLaxNumber(field);
    } catch (const platform::RuntimeError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = platform::decodeText(fuzzsupport::bytes(data, size));
    const toolkit::ReplyRecords reply(text);
    reply.status();
    reply.boundsLine();
    try {
        reply.error();
    } catch (const platform::RuntimeError&) {
    }
    // One past the last element must raise, never read outside the list.
    for (qsizetype i = 0; i <= reply.count(); ++i) {
        try {
            reply.require(i + 1);
            const QString& element = reply.element(i);
            for (const QString& field : toolkit::splitReplyText(element, toolkit::replyFieldSeparator)) {
                readNumbers(field);
                toolkit::splitReplyText(field, toolkit::replySubFieldSeparator);
            }
        } catch (const platform::RuntimeError&) {
        }
    }
    return 0;
}

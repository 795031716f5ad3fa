// Video replies of the course server as the plug-in reads them: each video
// record with its sequence element, with and without the question it names.

#include "FuzzSupport.h"

#include "hostsession/SequenceRecords.h"
#include "platform/RuntimeError.h"
#include "platform/TextCodec.h"
#include "toolkit/ReplyRecords.h"
#include "tracel/TraceChannel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // No trace is started: the scope writes nothing, as when tracing is off.
    static tracel::TraceChannel channel;
    const tracel::TraceScope scope(channel, tracel::TypeBas, QStringLiteral("fuzz"),
                                   QStringLiteral("Sub sequence_records"));
    const QString text = platform::decodeText(fuzzsupport::bytes(data, size));
    const toolkit::ReplyRecords reply(text);
    // The elements after the status, read in pairs as the loaders do.
    for (qsizetype k = 1; k + 1 < reply.count(); k += 2) {
        for (const bool withQuestion : {false, true}) {
            try {
                hostsession::readVideoRecord(reply.element(k), reply.element(k + 1), withQuestion, scope);
            } catch (const platform::RuntimeError&) {
            }
        }
    }
    return 0;
}

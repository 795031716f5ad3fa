// The texts a media window reads from a video's sequences: start values,
// durations, the player's size, the title spelling and document addresses.

#include "FuzzSupport.h"

#include "lumaro/player/MediaSequence.h"
#include "platform/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = platform::decodeText(fuzzsupport::bytes(data, size));
    // The first line is one text of the sequence, the second another, so that
    // pairs (width and height, base and name) vary independently.
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    const QString first = newline < 0 ? text : text.left(newline);
    const QString second = newline < 0 ? QString() : text.mid(newline + 1);

    lumaro::roundHalfEven(lumaro::sequenceStartValue(first));
    lumaro::timeTextSeconds(first);
    lumaro::playerSize(first, second);
    lumaro::playerSize(first, std::nullopt);
    lumaro::withTitleSpelling(text);
    lumaro::documentAddress(QStringLiteral("http://127.0.0.1/course/"), first);
    // A local base: the scratch folder, so that look-ups stay inside it.
    lumaro::documentAddress(fuzzsupport::scratchFolder(), first);
    // The name under a base of a web server: any text may come from a sequence.
    lumaro::documentAddress(QStringLiteral("file:///course/"), second);
    return 0;
}

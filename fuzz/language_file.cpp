// Language files as each program reads its messages: the keys the file names
// itself in the sections of each program's prefix, with placeholders filled,
// and the placeholder filling on the file's texts.

#include "FuzzSupport.h"

#include "platform/TextCodec.h"
#include "toolkit/clsLangue.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content = fuzzsupport::bytes(data, size);
    const QString path = fuzzsupport::writeScratchFile(QStringLiteral("kavplugin.lng"), content);

    QStringList keys{QStringLiteral("Titre")};
    QStringList languages{QStringLiteral("FR")};
    const QStringList lines = platform::decodeText(content).split(QLatin1Char('\n'));
    const QStringList values{QStringLiteral("%2"), QStringLiteral("un"), QStringLiteral("%1%3")};
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        // Every message reads the whole file: a few keep an input well under
        // the second that counts as a hang, even on a busy machine.
        if (trimmed.startsWith(QLatin1Char('[')) && languages.size() < 2)
            languages << trimmed.mid(1).section(QLatin1Char(']'), 0, 0).section(QLatin1Char('_'), -1);
        else if (trimmed.contains(QLatin1Char('=')) && keys.size() < 3)
            keys << trimmed.section(QLatin1Char('='), 0, 0);
        toolkit::clsLangue::fillPlaceholders(trimmed, values);
    }

    for (const char* prefix : {"Lumaro_Langue_", "Netrova_Langue_"}) {
        toolkit::clsLangue langue{QString::fromLatin1(prefix)};
        langue.LNGFilePath(path);
        for (const QString& language : languages) {
            langue.LangueID(language);
            for (const QString& key : keys)
                langue.GetMessage(key, values);
        }
    }
    return 0;
}

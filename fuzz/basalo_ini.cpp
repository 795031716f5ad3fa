// INI files as GetPrivateProfileString reads them. The sections and keys asked
// for are those the input names itself (so that the reader finds something to
// return), and a few that every file of the family is asked for.

#include "FuzzSupport.h"

#include "basalo/clsManager.h"
#include "platform/TextCodec.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content = fuzzsupport::bytes(data, size);
    const QString path = fuzzsupport::writeScratchFile(QStringLiteral("file.ini"), content);

    QStringList sections{QStringLiteral("Lumaro_Langue_FR"), QString()};
    QStringList keys{QStringLiteral("Titre"), QString()};
    const QStringList lines = platform::decodeText(content).split(QLatin1Char('\n'));
    // Every call reads the whole file: a few questions keep an input well
    // under the second that counts as a hang, even on a busy machine.
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && sections.size() < 5)
            sections << trimmed.mid(1).section(QLatin1Char(']'), 0, 0);
        else if (trimmed.contains(QLatin1Char('=')) && keys.size() < 5)
            keys << trimmed.section(QLatin1Char('='), 0, 0);
    }

    basalo::BasaloState state;
    const basalo::clsManager manager(state);
    for (const QString& section : sections) {
        for (const QString& key : keys)
            manager.GetPrivateProfileString(section, key, path);
    }
    return 0;
}

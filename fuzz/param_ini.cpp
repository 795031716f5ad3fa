// The stand-alone mode's "Param.ini" as it reads it at start.

#include "FuzzSupport.h"

#include "exerva/standalone/ParamIni.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content = fuzzsupport::bytes(data, size);
    const QString path = fuzzsupport::writeScratchFile(exerva::ParamIni::fileName(), content);
    exerva::ParamIni::read(path);
    // The field reader on its own, line by line, as the lines come.
    for (const QByteArray& line : content.split('\n'))
        exerva::ParamIni::field(QString::fromUtf8(line));
    return 0;
}

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace fuzzsupport {

// The bytes libFuzzer hands a target, as Qt sees them.
inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// One folder per fuzzing process, removed when the process ends normally.
inline QString scratchFolder()
{
    static QTemporaryDir folder;
    return folder.path() + QLatin1Char('/');
}

// Writes the bytes to a file of the scratch folder (its parent folders made as
// needed) and returns its full path.
inline QString writeScratchFile(const QString& relative, const QByteArray& content)
{
    const QString full = scratchFolder() + relative;
    QDir().mkpath(full.left(full.lastIndexOf(QLatin1Char('/'))));
    QFile file(full);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
    return full;
}

// Qt's warnings about what the inputs hold would only slow the run down.
void silenceQtMessages();

}  // namespace fuzzsupport

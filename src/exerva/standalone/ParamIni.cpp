#include "ParamIni.h"

#include "platform/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace exerva {

namespace {

constexpr QChar quote = u'"';

QString key(ParamIni::Line line)
{
    static const std::array<QString, ParamIni::LineCount> keys{
        QStringLiteral("appli:"),    QStringLiteral("listepoint:"), QStringLiteral("lLow:"),
        QStringLiteral("lUp:"),      QStringLiteral("BaseBis:"),    QStringLiteral("ModeInet:"),
        QStringLiteral("Path#"),
    };
    return keys[std::size_t(line)];
}

QChar separatorOf(ParamIni::Line line)
{
    return line == ParamIni::Path ? QChar(u'#') : QChar(u':');
}

}  // namespace

QString ParamIni::line(Line line, const QString& value)
{
    QString text = key(line) + value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QChar(u'\r'), QChar(u' '));
    text.replace(QChar(u'\n'), QChar(u' '));
    text.replace(quote, QStringLiteral("\"\""));
    return quote + text + quote;
}

QString ParamIni::field(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(quote))
        return trimmed;
    QString text;
    for (qsizetype i = 1; i < trimmed.size(); ++i) {
        if (trimmed[i] != quote) {
            text += trimmed[i];
            continue;
        }
        if (i + 1 < trimmed.size() && trimmed[i + 1] == quote) {
            text += quote;
            ++i;
            continue;
        }
        break;
    }
    return text;
}

std::optional<ParamIni::ReadValues> ParamIni::read(const QString& filePath)
{
    if (!QFileInfo(filePath).isFile())
        return std::nullopt;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxReadBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    if (bytes.size() > maxReadBytes)
        bytes.truncate(bytes.lastIndexOf('\n', maxReadBytes - 1) + 1);
    QString content = platform::decodeText(bytes);
    content.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    content.replace(QChar(u'\r'), QChar(u'\n'));
    const QStringList lines = content.split(QChar(u'\n'));
    ReadValues values;
    for (int i = 0; i < LineCount && i < lines.size(); ++i) {
        const QString value = field(lines[i]);
        const qsizetype at = value.indexOf(separatorOf(Line(i)));
        if (at >= 0)
            values[std::size_t(i)] = value.mid(at + 1);
    }
    return values;
}

bool ParamIni::write(const QString& filePath, const Values& values)
{
    QString text;
    for (int i = 0; i < LineCount; ++i)
        text += line(Line(i), values[std::size_t(i)]) + QChar(u'\n');
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

}  // namespace exerva

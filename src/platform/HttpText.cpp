#include "HttpText.h"

#include "TextCodec.h"

#include <QStringDecoder>

namespace platform {

namespace {

QByteArray charsetOf(const QByteArray& contentType)
{
    const QList<QByteArray> parts = contentType.split(';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray parameter = parts[i].trimmed();
        const qsizetype equals = parameter.indexOf('=');
        if (equals < 0 || parameter.left(equals).trimmed().toLower() != "charset")
            continue;
        QByteArray value = parameter.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value.trimmed().toLower();
    }
    return {};
}

// The labels browsers read as windows-1252.
bool isWindows1252(const QByteArray& charset)
{
    static const QList<QByteArray> labels = {
        "windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1",
        "l1", "us-ascii", "ascii", "ansi_x3.4-1968", "cp819", "ibm819", "iso-ir-100",
    };
    return labels.contains(charset);
}

bool isUtf8(const QByteArray& charset)
{
    return charset == "utf-8" || charset == "utf8";
}

}  // namespace

QByteArray encodeForm(const HttpForm& fields, const QByteArray& charset)
{
    const QByteArray name = charset.trimmed().toLower();
    const auto encode = [&name](const QString& text) {
        return (isWindows1252(name) ? encodeWindows1252(text) : text.toUtf8()).toPercentEncoding();
    };
    QByteArray body;
    for (const auto& [fieldName, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        body += encode(fieldName) + '=' + encode(value);
    }
    return body;
}

QString decodeHttpBody(const QByteArray& bytes, const QByteArray& contentType)
{
    const QByteArray charset = charsetOf(contentType);
    if (isUtf8(charset))
        return QStringDecoder(QStringDecoder::Utf8).decode(bytes);
    if (!charset.isEmpty() && !isWindows1252(charset)) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return decodeWindows1252(bytes);
}

}  // namespace platform

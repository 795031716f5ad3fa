#include "TextCodec.h"

#include <QFile>
#include <QStringDecoder>

#include <array>

namespace platform {

namespace {

// windows-1252 differs from Latin-1 only in 0x80-0x9F; the five unassigned
// bytes map to the C1 controls of the same value, as the platform does.
constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F)
            text.append(QChar(highControls[byte - 0x80]));
        else
            text.append(QChar(char16_t(byte)));
    }
    return text;
}

QByteArray encodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // By code point, so that a character outside the basic plane becomes one "?", not two.
    for (const char32_t code : QStringView(text).toUcs4()) {
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes.append(char(code));
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < highControls.size(); ++i) {
            if (highControls[i] == code) {
                mapped = char(0x80 + i);
                break;
            }
        }
        bytes.append(mapped);
    }
    return bytes;
}

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

std::optional<QString> readTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeText(bytes);
}

}  // namespace platform

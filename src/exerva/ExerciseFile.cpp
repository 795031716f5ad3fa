#include "ExerciseFile.h"

#include "PathSyntax.h"

#include "platform/QtHttpSession.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <optional>

namespace exerva {

namespace {

// An exercise file is a few kilobytes; anything far larger is not one.
constexpr qint64 maxFileBytes = 16 * 1024 * 1024;
// Exercise files nest a few dozen elements deep and give a tag a handful of
// attributes. Far beyond that the parser's work grows with the square of the
// depth or of one tag's attributes, and a small file could hold it for hours.
constexpr int maxDepth = 256;
constexpr int maxEqualSignsPerTag = 256;

// An attribute value cannot hold "<", so all the attributes of a tag lie
// between its "<" and the next one: the "=" signs between two "<" bound them.
template <typename Unit>
bool tagsHaveFewAttributes(const Unit* units, qsizetype count)
{
    int equalSigns = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (units[i] == Unit('<'))
            equalSigns = 0;
        else if (units[i] == Unit('=') && ++equalSigns > maxEqualSignsPerTag)
            return false;
    }
    return true;
}

bool attributesWithinLimits(const QByteArray& bytes)
{
    // In UTF-16 and UTF-32 a byte that reads "<" may be half of another character.
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(bytes, u'<');
    if (encoding && *encoding != QStringConverter::Utf8 && *encoding != QStringConverter::Latin1) {
        QStringDecoder decode(*encoding);
        const QString text = decode(bytes);
        return tagsHaveFewAttributes(text.utf16(), text.size());
    }
    return tagsHaveFewAttributes(bytes.constData(), bytes.size());
}

// One pass of the stream reader, which is linear once the attributes are
// bounded: refuses a nesting deeper than any exercise, and any entity
// declaration, since an entity referred to many times expands a small file
// into gigabytes (and an external one must never be read).
bool structureWithinLimits(const QByteArray& bytes)
{
    QXmlStreamReader reader(bytes);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            if (!reader.entityDeclarations().isEmpty())
                return false;
            break;
        case QXmlStreamReader::StartElement:
            if (++depth > maxDepth)
                return false;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    // A file that is not well formed is the document's to refuse.
    return true;
}

QDomDocument parse(const QByteArray& bytes)
{
    QDomDocument document;
    if (bytes.isEmpty() || bytes.size() > maxFileBytes || !attributesWithinLimits(bytes)
        || !structureWithinLimits(bytes) || !document.setContent(bytes))
        return {};
    return document;
}

bool isHttpScheme(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

}  // namespace

bool isServerRoot(const QString& root)
{
    return root.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || root.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

QUrl serverFileUrl(const QString& root, const QString& relativePath)
{
    QUrl url(root, QUrl::StrictMode);
    if (!url.isValid() || !isHttpScheme(url) || url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return {};
    url.setPath(url.path(QUrl::FullyDecoded) + relativePath, QUrl::DecodedMode);
    return url.isValid() ? url : QUrl();
}

QDomDocument readExerciseFile(const QString& enginePath)
{
    const QString path = diskPath(enginePath);
    // A device or a pipe under the file's name would never end, or never start.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Read one byte beyond the limit, so that a file growing meanwhile is still refused.
    return parse(file.read(maxFileBytes + 1));
}

QDomDocument fetchExerciseFile(const QUrl& url, std::chrono::milliseconds timeout)
{
    platform::QtHttpSession session(timeout);
    platform::HttpRequest request = platform::HttpRequest::get(url);
    request.maxBytes = maxFileBytes;
    request.holdUserInput = true;
    const platform::HttpReply reply = session.send(request);
    if (!reply.ok())
        return {};
    // The document reads the encoding its declaration names, so the bytes go to it as they came.
    return parse(reply.bytes);
}

}  // namespace exerva

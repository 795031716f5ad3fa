#include "SequenceRecords.h"

#include "ReplyRecords.h"
#include "platform/RuntimeError.h"

#include <QDomDocument>

#include <initializer_list>
#include <optional>
#include <vector>

namespace common {
namespace {

const QString noSequence = QStringLiteral("NO_SEQ");

// Two digits at each of the positions, and anything but a digit between them.
bool hasDigitPairs(const QString& text, qsizetype length, std::initializer_list<qsizetype> pairs)
{
    if (text.size() != length)
        return false;
    std::vector<bool> digit(length, false);
    for (const qsizetype at : pairs)
        digit[at] = digit[at + 1] = true;
    for (qsizetype i = 0; i < length; ++i) {
        const bool isDigit = text.at(i) >= u'0' && text.at(i) <= u'9';
        if (isDigit != digit[i])
            return false;
    }
    return true;
}

bool isPlayerDuration(const QString& text)
{
    return hasDigitPairs(text, 8, {0, 3, 6});
}

bool isSequenceRange(const QString& text)
{
    return hasDigitPairs(text, 17, {0, 3, 6, 9, 12, 15});
}

// The Duree the media window reads from the descriptor's FILE, when the
// descriptor is such a document and gives one.
std::optional<QString> descriptorDuration(const QString& descriptor)
{
    QDomDocument document;
    if (!document.setContent(descriptor))
        return std::nullopt;
    const QDomElement file = document.documentElement().firstChildElement();
    if (file.tagName().compare(QStringLiteral("FILE"), Qt::CaseInsensitive) != 0
        || !file.hasAttribute(QStringLiteral("Duree")))
        return std::nullopt;
    return file.attribute(QStringLiteral("Duree"));
}

bool isClockTime(const QString& text)
{
    return hasDigitPairs(text, 8, {0, 3, 6}) && text.at(2) == u':' && text.at(5) == u':';
}

[[noreturn]] void refuse(const QString& what, const QString& text)
{
    throw platform::RuntimeError(platform::InvalidPropertyValue, what + QStringLiteral(" : ") + text);
}

void traceSequence(const QStringList& parts, const tracel::TraceScope& scope)
{
    for (const QString& part : parts)
        scope.line(part + QStringLiteral(" (") + QString::number(part.size()) + u')', 3);
    const QString& id = parts.at(2);
    for (qsizetype i = 0; i < id.size(); ++i)
        scope.line(QStringLiteral("Lettre(") + QString::number(i + 1) + QStringLiteral(") : ") + id.at(i)
                       + QStringLiteral(" = ") + QString::number(id.at(i).unicode()),
                   3);
}

}  // namespace

VideoRecord readVideoRecord(const QString& record, const QString& sequences, bool withQuestion,
                            const tracel::TraceScope& scope)
{
    const QStringList fields = common::splitReplyText(record, common::replyFieldSeparator);
    if (fields.size() < (withQuestion ? 5 : 4))
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    VideoRecord result;
    result.video.IdVideo(common::replyWholeNumber(fields.at(0)));
    result.video.FichierVideo(fields.at(1));
    if (!isPlayerDuration(fields.at(2)))
        refuse(QStringLiteral("durée de vidéo autre que mm:ss:cc"), fields.at(2));
    result.video.DureeVideo(fields.at(2));
    result.type = fields.at(3);
    if (withQuestion)
        result.idQuestion = common::replyWholeNumber(fields.at(4));

    if (sequences == noSequence) {
        result.video.PasSansSon(true);
        return result;
    }
    const QStringList items = common::splitReplyText(sequences, common::replyFieldSeparator);
    if (items.size() > maxSequencesPerVideo)
        refuse(QStringLiteral("séquences au-delà de 20"), QString::number(items.size()));
    for (const QString& item : items) {
        const QStringList parts = common::splitReplyText(item, common::replySubFieldSeparator);
        if (parts.size() < 3)
            throw platform::RuntimeError(platform::SubscriptOutOfRange);
        traceSequence(parts, scope);
        if (!isSequenceRange(parts.at(0)))
            refuse(QStringLiteral("temps de séquence autre que mm:ss:cc-mm:ss:cc"), parts.at(0));
        if (const auto duree = descriptorDuration(parts.at(1)); duree && !isClockTime(*duree))
            refuse(QStringLiteral("Duree de séquence autre que hh:mm:ss"), *duree);
        result.video.addSeq(parts.at(0), parts.at(1), common::replyLaxNumber(parts.at(2)));
    }
    result.video.PasSansSon(false);
    return result;
}

}  // namespace common

#include "SequenceRecords.h"

#include "platform/RuntimeError.h"
#include "toolkit/ReplyRecords.h"

namespace hostsession {
namespace {

const QString noSequence = QStringLiteral("NO_SEQ");

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
    const QStringList fields = toolkit::splitReplyText(record, toolkit::replyFieldSeparator, withQuestion ? 5 : 4);
    VideoRecord result;
    result.video.IdVideo(toolkit::replyWholeNumber(fields.at(0)));
    result.video.FichierVideo(fields.at(1));
    result.video.DureeVideo(fields.at(2));
    result.type = fields.at(3);
    if (withQuestion)
        result.idQuestion = toolkit::replyWholeNumber(fields.at(4));

    if (sequences == noSequence) {
        result.video.PasSansSon(true);
        return result;
    }
    const QStringList items = toolkit::splitReplyText(sequences, toolkit::replyFieldSeparator);
    for (const QString& item : items) {
        const QStringList parts = toolkit::splitReplyText(item, toolkit::replySubFieldSeparator, 3);
        traceSequence(parts, scope);
        result.video.addSeq(parts.at(0), parts.at(1), toolkit::replyLaxNumber(parts.at(2)));
    }
    result.video.PasSansSon(false);
    return result;
}

}  // namespace hostsession

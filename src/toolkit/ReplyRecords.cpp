#include "ReplyRecords.h"

#include "platform/RuntimeError.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdint>
#include <limits>

namespace toolkit {

namespace {

const QString okMarker = QStringLiteral("#KAV_OK#");
const QString errorMarker = QStringLiteral("#KAV_ERREUR#");

long toLong(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min()
        || rounded > std::numeric_limits<std::int32_t>::max())
        throw platform::RuntimeError(platform::Overflow);
    return static_cast<long>(rounded);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

}  // namespace

QStringList splitReplyText(const QString& text, QChar separator)
{
    if (text.isEmpty())
        return {};
    return text.split(separator, Qt::KeepEmptyParts);
}

QStringList splitReplyText(const QString& text, QChar separator, qsizetype needed)
{
    QStringList parts = splitReplyText(text, separator);
    if (parts.size() < needed)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    return parts;
}

long replyWholeNumber(const QString& field)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)\\s*$"));
    if (!number.match(field).hasMatch())
        throw platform::RuntimeError(platform::TypeMismatch);
    return toLong(field.trimmed().toDouble());
}

std::optional<long> replyNumericValue(const QString& field)
{
    try {
        return replyWholeNumber(field);
    } catch (const platform::RuntimeError&) {
        return std::nullopt;
    }
}

long replyLaxNumber(const QString& field)
{
    QString compact;
    for (const QChar c : field)
        if (!isBlank(c))
            compact.append(c);
    static const QRegularExpression leading(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?"));
    const QRegularExpressionMatch match = leading.match(compact);
    if (!match.hasMatch())
        return 0;
    return toLong(match.captured(0).toDouble());
}

ReplyRecords::ReplyRecords(const QString& reply) : elements_(splitReplyText(reply, replyElementSeparator))
{
    if (elements_.isEmpty())
        return;
    if (elements_.front() == okMarker)
        status_ = ReplyStatus::Ok;
    else if (elements_.front() == errorMarker)
        status_ = ReplyStatus::Error;
}

void ReplyRecords::require(qsizetype needed) const
{
    if (elements_.size() < needed)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
}

const QString& ReplyRecords::element(qsizetype index) const
{
    if (index < 0)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    require(index + 1);
    return elements_.at(index);
}

ReplyError ReplyRecords::error() const
{
    require(4);
    ReplyError error;
    error.step = replyNumericValue(elements_.at(1));
    error.number = replyNumericValue(elements_.at(2)).value_or(0);
    error.text = elements_.at(3);
    error.details = elements_.mid(4);
    return error;
}

QString ReplyRecords::boundsLine() const
{
    return QStringLiteral("lMin = 0 ; lMax = ") + QString::number(elements_.size() - 1);
}

void recordServerReply(SessionState& state, const ReplyRecords& reply, long serverCode,
                       const tracel::TraceScope& scope)
{
    if (reply.status() != ReplyStatus::Error) {
        state.pulStateEnCours = serverCode;
        state.pulErrorNumber = 0;
        state.pusErrorDescription.clear();
        scope.line(QStringLiteral("erreur kav ") + QString::number(serverCode));
        return;
    }
    const ReplyError error = reply.error();
    state.pulStateEnCours = error.step.value_or(serverCode);
    state.pulErrorNumber = error.number;
    state.pusErrorDescription = error.text;
    scope.line(QStringLiteral("erreur kav ") + QString::number(state.pulStateEnCours) + QStringLiteral(" ; ")
               + QString::number(error.number) + QStringLiteral(" : ") + error.text);
    for (const QString& detail : error.details)
        scope.line(detail);
}

}  // namespace toolkit

#pragma once

#include "SessionState.h"

#include "tracel/TraceChannel.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace toolkit {

// The three levels of separators of a web-service reply. None can be escaped:
// the course servers write their texts as they are, so a text holding one of
// them breaks its record.
inline constexpr QChar replyElementSeparator = u'|';
inline constexpr QChar replyFieldSeparator = u'^';
// The currency sign, byte 164 of windows-1252; replies arrive decoded, so it is
// the same character whatever the reply's charset.
inline constexpr QChar replySubFieldSeparator = QChar(0x00A4);

// Splits as the servers' format expects: an empty text gives no element at
// all, a text without the separator one element, two adjacent separators an
// empty element between them. Nothing is trimmed.
QStringList splitReplyText(const QString& text, QChar separator);
// Splits the same way and raises error 9 unless there are at least `needed` parts.
QStringList splitReplyText(const QString& text, QChar separator, qsizetype needed);

// A whole decimal number read from a field (blanks around it allowed, halves
// rounded to even): error 13 when the field is no number, 6 beyond 32 bits.
long replyWholeNumber(const QString& field);
// The field's number when it is one, as replyWholeNumber reads it.
std::optional<long> replyNumericValue(const QString& field);
// The leading number of the field, blanks skipped, 0 when there is none,
// rounded to a whole number; error 6 beyond 32 bits.
long replyLaxNumber(const QString& field);

// What element 0 of a reply says.
enum class ReplyStatus {
    Ok,            // "#KAV_OK#": the other elements are the page's data
    Error,         // "#KAV_ERREUR#": the server reports an error
    Unrecognised,  // anything else, the empty reply included
};

// The server's error: step code, error number, text and further lines.
struct ReplyError {
    std::optional<long> step;  // element 1 when it is a number
    long number = 0;           // element 2 when it is a number, else 0
    QString text;              // element 3
    QStringList details;       // elements 4 and up
};

// One reply of the course server's web service: a status marker and records,
// split on "|". Reading it is a pure function of the text; every access names
// the elements it needs, and reading past the last one raises error 9, never
// undefined behaviour.
class ReplyRecords {
public:
    explicit ReplyRecords(const QString& reply);

    ReplyStatus status() const { return status_; }
    bool isEmpty() const { return elements_.isEmpty(); }
    qsizetype count() const { return elements_.size(); }
    const QStringList& elements() const { return elements_; }

    // Raises error 9 unless the reply holds at least `needed` elements.
    void require(qsizetype needed) const;
    // Element `index`; error 9 when the reply has no such element.
    const QString& element(qsizetype index) const;

    // The error form of a "#KAV_ERREUR#" reply; error 9 when it holds fewer
    // than its four elements.
    ReplyError error() const;

    // The trace line of the reply's bounds: "lMin = 0 ; lMax = " & last index
    // (-1 for the empty reply).
    QString boundsLine() const;

private:
    QStringList elements_;
    ReplyStatus status_ = ReplyStatus::Unrecognised;
};

// Leaves in the state what a reply that is not "#KAV_OK#" means for a loader
// whose code for an unrecognised reply is `serverCode`, and writes its trace
// lines. An error reply gives its step code (else serverCode), its number
// (else 0) and its text, then a line per further element; any other reply
// gives serverCode, 0 and "". An error reply that cannot be read (fewer than
// four elements) raises error 9 with the state untouched, for the loader's
// own handler.
void recordServerReply(SessionState& state, const ReplyRecords& reply, long serverCode,
                       const tracel::TraceScope& scope);

}  // namespace toolkit

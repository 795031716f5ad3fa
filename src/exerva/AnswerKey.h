#pragma once

#include "platform/RuntimeError.h"

#include <QDomNode>
#include <QList>
#include <QString>

#include <functional>

namespace exerva {

struct ExervaContext;

// How a control reads one side of an answer entry.
enum class EntryReading {
    Text,
    // A whole number; a text that is not one makes the reading fail.
    WholeNumber,
};

// One entry of an answer pattern: a target the control knows (a gap, a text box,
// an item) and the value expected there.
struct AnswerEntry {
    // As the file gives it: target identifiers are never descrambled.
    QString target;
    // Descrambled when the file's texts are scrambled.
    QString expected;
    // The two sides read as whole numbers, for the sides the control reads so (0 otherwise).
    long targetNumber = 0;
    long expectedNumber = 0;
};

// One answer pattern: its letter and its entries in file order, indexed from 0.
struct AnswerPattern {
    QString sLettreReponse;
    QList<AnswerEntry> entries;
};

// What differs between the controls that share the answer key.
struct AnswerKeyLayout {
    // The control's trace name ("KavESP", "KavPAT", "KavCC").
    QString unitName;
    EntryReading targetReading = EntryReading::Text;
    EntryReading expectedReading = EntryReading::Text;
    // Names of the two entry arrays in the reading's trace lines
    // ("piatReponse(p)." & name & "(e) = " & value).
    QString targetArrayName;
    QString expectedArrayName;
    // Catch-all code of InitXMLReponse and code of a failed TestePoint.
    long readFailureState = 0;
    long scoreFailureState = 0;
    // Also trace which fallback decided the letter ("iosLettreReponse = pisErreurNoCheck",
    // "iosLettreReponse = pisErreurElse") and "iobBravo = True".
    bool traceDecisions = false;
};

// The answer key of the gap-text and check-box controls, and their common
// scoring order. The control owns one, hands it the answer-key node, and scores
// by telling it whether the learner answered and whether a pattern matches.
//
// Answer-key node: one child per response; response child 0 is the letter,
// child 1 an element named "CHECKED" (case-sensitive) whose children are the
// entries (entry child 0 the target, child 1 the expected value) - or, with no
// child, the response gives the else letter; any other element in position 1
// makes the letter the no-check letter. The last response setting a fallback wins.
//
// Both operations leave their state in the context's pulStateEnCours and
// return it; nothing is thrown out of them.
class AnswerKey {
public:
    AnswerKey(ExervaContext& context, AnswerKeyLayout layout);

    // Reads the answer key, replacing what an earlier reading left. Letters and
    // expected values are descrambled while the context says the texts are
    // scrambled. Returns 1; the descrambler's code (23020, 23021) when a text
    // does not descramble; the layout's readFailureState for a malformed key (a
    // response with fewer than two children, an entry side that is not a whole
    // number where one is needed) unless a step code other than 1 is in force.
    // On failure the patterns read completely so far stay; a pattern whose
    // entries were not all read is dropped, so it can never match on a part.
    long InitXMLReponse(const QDomNode& node);

    // Scores the current answer: when `answered` says no and there is a no-check
    // letter, that letter; else the first pattern in file order for which
    // `matches` holds; else the else letter. The letter "0" means Bravo:
    // iobBravo True and an empty letter; any other letter gives iobBravo False.
    // Either callback may throw platform::RuntimeError (for instance a target
    // that names nothing): the layout's scoreFailureState is returned,
    // iobBravo is left as it was and the letter stays empty.
    long TestePoint(bool& iobBravo, QString& iosLettreReponse, const std::function<bool()>& answered,
                    const std::function<bool(const AnswerPattern&)>& matches);

    const QList<AnswerPattern>& patterns() const { return patterns_; }
    // Index of the last pattern, -1 when there is none.
    int lastPatternIndex() const { return int(patterns_.size()) - 1; }
    const QString& pisErreurNoCheck() const { return pisErreurNoCheck_; }
    const QString& pisErreurElse() const { return pisErreurElse_; }

private:
    long fail(long state, const platform::RuntimeError& error) const;

    ExervaContext& context_;
    AnswerKeyLayout layout_;
    QList<AnswerPattern> patterns_;
    QString pisErreurNoCheck_;
    QString pisErreurElse_;
};

}  // namespace exerva

#pragma once

#include "basalo/clsManager.h"
#include "platform/RuntimeError.h"
#include "tracel/TraceChannel.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace netrova {

// The start-up record the server sends for a session: one line of fields
// separated by the general separator, read as the plug-in's start-up reads
// them. A field that is not what it must be raises a run-time error.
class StartRecord {
public:
    static constexpr qsizetype fieldCount = 28;

    // The reply without its surrounding blanks and line breaks, split; fewer
    // than 28 fields raise error 9, with words saying so.
    StartRecord(const QString& reply, const QString& separator);

    QString text(qsizetype index) const { return fields_.at(index); }
    // The field read as toWholeNumber and toBoolean read it; the error names the field.
    long wholeNumber(qsizetype index) const;
    bool boolean(qsizetype index) const;

    // A decimal number, blanks around it allowed, rounded to the nearest whole
    // number (halves to even); error 13 when it is none, 6 beyond 32 bits.
    static long toWholeNumber(const QString& text);
    // "True" or "False" in any case, or a number (0 is false); else error 13.
    static bool toBoolean(const QString& text);

private:
    platform::RuntimeError unreadableField(qsizetype index, const platform::RuntimeError& error) const;

    QStringList fields_;
};

// The learner's folder a server named, kept under the home folder: a relative
// path goes below it, an absolute one must already lie inside it. Anything
// else is refused with a trace line and gives "", so that the learner's
// documents folder is used.
QString confinedPersonalFolder(const QString& given, const QString& home, const tracel::TraceScope& scope);

// The "FileVersion" of the "General" section of a language file; nothing when
// the file or the version is missing or the version is no whole number.
std::optional<long> languageFileVersion(const basalo::clsManager& constants, const QString& file);

// Replaces the language file with the text when it is a language file (a
// "General" section with a FileVersion), through a temporary file renamed over
// it; otherwise keeps the file as it is, with a trace line. A file that cannot
// be written raises a run-time error.
void replaceLanguageFile(const basalo::clsManager& constants, const QString& file, const QString& text,
                         const tracel::TraceScope& scope);

}  // namespace netrova

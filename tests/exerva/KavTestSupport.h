#pragma once

#include "exerva/ExervaContext.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kavtest {

// A fresh engine state whose trace, at level 1, goes to a folder of its own,
// so that a test can read the lines an operation wrote.
class TracedContext {
public:
    TracedContext()
    {
        context.trace.setLevel(1);
        EXPECT_TRUE(context.trace.start(folder_.path(), QStringLiteral("KavTest"), QStringLiteral("KavTest")));
    }

    // Everything the trace holds so far.
    QString traceText() const
    {
        QString text;
        const QDir dir(folder_.path());
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                text += QString::fromUtf8(file.readAll());
        }
        return text;
    }

    // The trace marks "erreur kav" lines as errors: this finds "erreur kav " & number & " : ".
    bool hasErrorLine(long number) const
    {
        return traceText().contains(QStringLiteral("<B>Erreur</B></FONT> %1 : ").arg(number));
    }
    bool hasErrorLine() const { return traceText().contains(QStringLiteral("<B>Erreur</B></FONT> ")); }

private:
    // Declared first so that it outlives the trace, which writes its summary when it ends.
    QTemporaryDir folder_;

public:
    exerva::ExervaContext context;
};

// A fixture document under the fixtures folder; an empty document (and a
// failed expectation) when it cannot be read.
inline QDomDocument fixtureDocument(const QString& relativePath)
{
    QFile file(QStringLiteral(EXERVA_FIXTURES "/") + relativePath);
    QDomDocument document;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath.toStdString();
    const auto parsed = document.setContent(&file);
    EXPECT_TRUE(bool(parsed)) << relativePath.toStdString();
    return document;
}

inline QDomDocument xmlDocument(const QString& text)
{
    QDomDocument document;
    const auto parsed = document.setContent(text);
    EXPECT_TRUE(bool(parsed)) << text.toStdString();
    return document;
}

// The scrambled form of a text, as the authoring tool writes it: descrambling
// gives the text back. Three trailing codes carry nothing.
inline QString scramble(const QString& text)
{
    const QByteArray bytes = platform::encodeWindows1252(text);
    const qsizetype m = bytes.size() + 3;
    std::vector<int> unmixed(std::size_t(m), 0);
    for (qsizetype k = bytes.size() - 1; k >= 0; --k)
        unmixed[std::size_t(k)] = (static_cast<unsigned char>(bytes[k]) + unmixed[std::size_t(k + 1)]) % 256;
    QString scrambled;
    for (const int code : unmixed)
        scrambled += QStringLiteral("%1").arg((code + 97) % 256, 2, 16, QLatin1Char('0')).toUpper();
    return scrambled;
}

}  // namespace kavtest

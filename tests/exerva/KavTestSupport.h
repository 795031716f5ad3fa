#pragma once

#include "exerva/ControlRegistry.h"
#include "exerva/ExerciseControl.h"
#include "exerva/ExervaContext.h"
#include "exerva/Manager.h"
#include "exerva/frmCT.h"

#include "platform/RuntimeError.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

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

// Child elements of the fixture documents of one folder; each document stays
// loaded as long as the holder, so that its nodes stay usable.
class FixtureNodes {
public:
    explicit FixtureNodes(const char* folder) : folder_(QString::fromLatin1(folder)) {}

    // Child `name` of the root of `fixture` (a failed expectation when there is none).
    QDomElement node(const QString& fixture, const QString& name)
    {
        documents_.push_back(fixtureDocument(folder_ + QLatin1Char('/') + fixture));
        const QDomElement element = documents_.back().documentElement().firstChildElement(name);
        EXPECT_FALSE(element.isNull()) << name.toStdString();
        return element;
    }

private:
    QString folder_;
    std::vector<QDomDocument> documents_;
};

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

// Names each case of a parameterised suite after its `name` field.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return info.param.name;
    }
};

// A question node that stops InitXMLQuestion.
struct QuestionFailureCase {
    const char* name;
    bool scrambled;
    const char* question;
    long state;
    // The run-time error the control caught (-1: the descrambler's own business).
    long errorNumber;
    // Elements of the control's arrays made before the failure stopped the walk.
    int elements;
};

inline void PrintTo(const QuestionFailureCase& c, std::ostream* os) { *os << c.name; }

// Builds the case's question and checks the state and the error it stops with.
template <typename Control>
void expectQuestionFailure(Control& control, exerva::ExervaContext& context, const QuestionFailureCase& c)
{
    context.scrambledTexts = c.scrambled;
    const QDomDocument question = xmlDocument(QString::fromUtf8(c.question));
    EXPECT_EQ(control.InitXMLQuestion(question.documentElement()), c.state);
    EXPECT_EQ(context.pulStateEnCours, c.state);
    if (c.errorNumber >= 0) {
        EXPECT_EQ(context.lastError.number(), c.errorNumber);
    }
}

// An answer-key node that InitXMLReponse refuses, and the state it gives.
struct KeyFailureCase {
    const char* name;
    bool scrambled;
    const char* key;
    long state;
};

inline void PrintTo(const KeyFailureCase& c, std::ostream* os) { *os << c.name; }

// A call by name that the control's member table refuses, and the error it throws.
struct RefusedCall {
    const char* member;
    long callType;
    QVariantList arguments;
    long error;
};

template <typename Control>
void expectRefused(Control& control, std::initializer_list<RefusedCall> calls)
{
    for (const RefusedCall& c : calls) {
        QVariantList arguments = c.arguments;
        try {
            control.callByName(QString::fromLatin1(c.member), c.callType, arguments);
            ADD_FAILURE() << c.member << " was accepted";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), c.error) << c.member;
        }
    }
}

// A property the test lets through the control's member table, as a form's
// designer settings reach it.
struct PropertyLet {
    const char* name;
    QVariant value;
};

// Lets each property in turn, in the order given.
template <typename Control>
void letProperties(Control& control, std::initializer_list<PropertyLet> lets)
{
    for (const PropertyLet& let : lets) {
        QVariantList arguments{let.value};
        control.callByName(QString::fromLatin1(let.name), exerva::VbLet, arguments);
    }
}

// One question-type control through the engine: a registry that knows only
// that control, under its program identifier, and a Manager over it that loads
// the exercise files of one fixture folder.
template <typename Control>
class ControlThroughEngineTest : public ::testing::Test {
protected:
    ControlThroughEngineTest(const char* programIdentifier, const char* fixtureFolder, long idAppli)
        : fixtureFolder_(QString::fromLatin1(fixtureFolder)), idAppli_(idAppli)
    {
        registry.add(QString::fromLatin1(programIdentifier), [](exerva::ExervaContext& c, QWidget* parent) {
            return static_cast<exerva::ExerciseControl*>(new Control(c, parent));
        });
    }

    // Prepares the engine over the fixture folder and loads the file: the
    // state InitQuestion returns, -1 when Prepare fails.
    long load(const char* file)
    {
        if (manager.Prepare(QStringLiteral(EXERVA_FIXTURES "/") + fixtureFolder_, false, idAppli_) != 1)
            return -1;
        QString name = QString::fromLatin1(file);
        return manager.InitQuestion(name, 1, 1);
    }

    // The control the file placed under that name; null when there is none.
    Control* control(const char* name) const
    {
        return qobject_cast<Control*>(manager.window()->control(QString::fromLatin1(name)));
    }

    exerva::ExervaContext context;
    exerva::ControlRegistry registry;
    exerva::Manager manager{context, registry};

private:
    QString fixtureFolder_;
    long idAppli_;
};

}  // namespace kavtest

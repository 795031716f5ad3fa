// The trace the engine writes: started by Prepare, entry, detail and exit
// lines of the Manager and of the loader, error lines, and stopped by Quitter
// or by a trace level set after Prepare.

#include "EngineFixture.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <gtest/gtest.h>

namespace exerva_test {
namespace {

class EngineTraceTest : public EngineTest {
protected:
    void SetUp() override
    {
        manager->LevelTracelage(1);
        manager->PathTracel(dir());
    }

    QString trace() const { return QString::fromUtf8(readFile(QStringLiteral("Exerva.htm"))); }
};

TEST_F(EngineTraceTest, PrepareStartsTheTraceWithItsTitleAndLines)
{
    ASSERT_EQ(prepare(), 1);
    const QString text = trace();
    EXPECT_TRUE(text.contains(QStringLiteral("<TITLE>Exerva - "))) << text.toStdString();
    const QString lines[] = {
        QStringLiteral("Class Manager, Public Function Prepare</B>"),
        QStringLiteral("isCheminRoot = ") + fixturesRoot(),
        QStringLiteral("ibModeInet = False"),
        QStringLiteral("ilIdAppli = 12"),
        QStringLiteral("pusCheminRoot = ") + context.pusCheminRoot,
        QStringLiteral("Class Manager, Fin Public Function Prepare</B>"),
    };
    qsizetype from = 0;
    for (const QString& line : lines) {
        const qsizetype at = text.indexOf(line, from);
        EXPECT_GE(at, 0) << line.toStdString();
        if (at >= 0)
            from = at;
    }
}

TEST_F(EngineTraceTest, RefusedRootIsTracedAsAReferencedError)
{
    ASSERT_EQ(manager->Prepare(QStringLiteral("C"), false, 12), 23001);
    EXPECT_TRUE(trace().contains(QStringLiteral("Erreur</B></FONT> référencée : 23001")));
}

TEST_F(EngineTraceTest, LoaderTracesItsStepsAndItsFailures)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    ASSERT_EQ(load(QStringLiteral("missing.xml")), 23043);
    const QString text = trace();
    const QString expected[] = {
        QStringLiteral("Class Manager, Public Function InitQuestion</B>"),
        QStringLiteral("isFileXML = question.xml"),
        QStringLiteral("domXML.Load(") + context.pusCheminRoot + QStringLiteral("12F\\question.xml)"),
        QStringLiteral("Class Manager, Private Sub piodomXML_onreadystatechange</B>"),
        QStringLiteral("piodomXML.readyState = 4"),
        QStringLiteral("Etape 5 : ZRP"),
        QStringLiteral("Module modGlobal, Public Function puLoadZone</B>"),
        QStringLiteral("NODE : #comment"),
        QStringLiteral("iosIDObject = Q1"),
        QStringLiteral("sClassObject = Test.Recording"),
        QStringLiteral("ZOrder 0"),
        QStringLiteral("Call CallByName(ioConteneur.Controls(Q1), Caption, 4, Bonjour)"),
        QStringLiteral("pisNameControlZRP = Answer"),
        QStringLiteral("State en sortie : 1"),
        QStringLiteral("pibXmlLoaded = True"),
        QStringLiteral("Erreur</B></FONT> reférencé : enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing"),
        QStringLiteral("pulStateEnCours = 23043"),
    };
    for (const QString& line : expected)
        EXPECT_TRUE(text.contains(line)) << line.toStdString();
}

TEST_F(EngineTraceTest, UnexpectedErrorsAreTracedWithTheirNumber)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(manager->TestePoint(), 23024);
    EXPECT_TRUE(trace().contains(QStringLiteral("Erreur</B></FONT> 730 : Control '' not found")));
}

TEST_F(EngineTraceTest, LevelSetAfterPrepareStopsTheLines)
{
    ASSERT_EQ(prepare(), 1);
    manager->LevelTracelage(1);
    const QString before = trace();
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    EXPECT_EQ(trace(), before);
}

TEST_F(EngineTraceTest, QuitterEndsTheTrace)
{
    ASSERT_EQ(prepare(), 1);
    EXPECT_EQ(manager->Quitter(), 1);
    const QString text = trace();
    EXPECT_TRUE(text.contains(QStringLiteral("piofrmCT unloadé")));
    EXPECT_TRUE(text.contains(QStringLiteral("Class Manager, Fin Public Function Quitter</B>")));
    EXPECT_TRUE(text.contains(QStringLiteral("</HTML>")));
    EXPECT_EQ(manager->LevelTracelage(), 0);
}

TEST_F(EngineTraceTest, TraceGoesToTheTemporaryFolderWhenNoFolderIsGiven)
{
    const QString name = QStringLiteral("Exerva-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    manager->PathTracel(QString());
    manager->FileTracel(name);
    ASSERT_EQ(prepare(), 1);
    const QString file = QDir::temp().filePath(name + QStringLiteral(".htm"));
    EXPECT_TRUE(QFile::exists(file));
    manager.reset();
    QFile::remove(file);
}

TEST_F(EngineTraceTest, UnwritableFolderTurnsTracingOff)
{
    manager->PathTracel(dir() + QStringLiteral("missing/folder"));
    EXPECT_EQ(prepare(), 1);
    EXPECT_EQ(manager->LevelTracelage(), 0);
}

}  // namespace
}  // namespace exerva_test

#include "TraceFile.h"

#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "tracel/Info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

using tracel::eTypeModuleVB;
using tracel::Info;

namespace {

const QString brown = QStringLiteral("<FONT face=arial size=2 Color='Brown'>");
const QString navy = QStringLiteral("<FONT face=arial size=2 Color='Navy'>");
const QString indent0 = QStringLiteral(":&nbsp;&nbsp;&nbsp;&nbsp;");
const QString errorAnchor1 =
    QStringLiteral("<a face=arial size=2 name='Erreur1'><FONT face=arial size=2 Color='Red'><B>Erreur</B></FONT>");

class InfoHtmlTest : public testsupport::TempDirTest {
protected:
    void SetUp() override
    {
        info->PathTracel(dir());
        info->NomFichier(QStringLiteral("Prog"));
    }

    QByteArray trace() const { return readFile(QStringLiteral("Prog.htm")); }
    QStringList bodyLines() const { return tracetest::crlfLines(trace()).mid(14); }
    QString endText() const
    {
        return QStringLiteral("<a face=arial size=2 name='FinDoc'>Fin ") + tracetest::dateText(clock.now())
            + QStringLiteral("</a>\r\n</BODY>\r\n</HTML>\r\n");
    }

    void write(QString message, eTypeModuleVB type = tracel::TypeBas, const QString& proc = QString(),
               const QString& module = QStringLiteral("modMain"), long depth = 0)
    {
        info->SetString(message, type, proc, module, depth);
    }

    testsupport::ManualClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 30, 5))};
    std::unique_ptr<Info> info = std::make_unique<Info>(clock);
};

TEST_F(InfoHtmlTest, StartsWithDefaultsAndTheProgramFolder)
{
    const Info fresh;
    EXPECT_EQ(fresh.PathTracel(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    EXPECT_EQ(fresh.NomFichier(), QStringLiteral("TRACEL"));
    EXPECT_TRUE(fresh.Active());
    EXPECT_EQ(fresh.LevelDetail(), 1);
    EXPECT_FALSE(fresh.StyleVisible());
    EXPECT_EQ(fresh.window(), nullptr);
}

TEST_F(InfoHtmlTest, PathTracelEndsWithOneSeparator)
{
    const struct {
        const char* given;
        const char* stored;
    } cases[] = {
        {"/var/traces", "/var/traces/"},
        {"/var/traces/", "/var/traces/"},
        {"", "/"},
        {"relative", "relative/"},
    };
    for (const auto& c : cases) {
        info->PathTracel(QString::fromUtf8(c.given));
        EXPECT_EQ(info->PathTracel(), QString::fromUtf8(c.stored)) << c.given;
    }
}

TEST_F(InfoHtmlTest, TraceWithoutErrorsIsHeadThenNoErrorSummary)
{
    ASSERT_TRUE(info->InitHtm(QStringLiteral("Trace de Lumaro")));
    EXPECT_EQ(trace(), tracetest::htmlHead(QStringLiteral("Trace de Lumaro")));

    info.reset();
    const QByteArray expected = tracetest::htmlHead(QStringLiteral("Trace de Lumaro"))
        + QStringLiteral("<FONT face=arial size=2 Color='Green'>Aucune erreur détectée<BR></FONT>\r\n").toUtf8()
        + endText().toUtf8();
    EXPECT_EQ(trace(), expected);
}

TEST_F(InfoHtmlTest, LineIsColouredByUnitAndIndentedByDepth)
{
    const QString nbsp4 = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");
    const struct {
        eTypeModuleVB type;
        const char* proc;
        const char* module;
        long depth;
        const char* message;
        QString line;
    } cases[] = {
        {tracel::TypeClass, "Public Function CreateManager", "ContexteManager", 2, "",
         brown + "00001" + indent0 + nbsp4 + nbsp4 + "<B>Class ContexteManager, Public Function CreateManager</B><BR></FONT>"},
        {tracel::TypeControl, "Private Sub Init", "uctButton", 0, "",
         navy + "00001" + indent0 + "<B> uctButton, Private Sub Init</B><BR></FONT>"},
        {tracel::TypeForm, "", "frmClient", 1, "ieMode = 3",
         "<FONT face=arial size=2 Color='Black'>00001" + indent0 + nbsp4 + "ieMode = 3<BR></FONT>"},
        {tracel::TypeBas, "Public Sub Main", "modMain", -3, "",
         "<FONT face=arial size=2 Color='Blue'>00001" + indent0 + "<B>Module modMain, Public Sub Main</B><BR></FONT>"},
        {tracel::TypePropPage, "", "ppg", 0, "texte", navy + "00001" + indent0 + "texte<BR></FONT>"},
        {tracel::TypeDoc, "", "doc", 0, "texte", navy + "00001" + indent0 + "texte<BR></FONT>"},
        {static_cast<eTypeModuleVB>(42), "", "x", 0, "texte", navy + "00001" + indent0 + "texte<BR></FONT>"},
        // A header and a message in one call make one line with two numbers.
        {tracel::TypeClass, "Public Sub Go", "Dll", 0, "idDll = 7",
         brown + "00001" + indent0 + "<B>Class Dll, Public Sub Go</B><BR>00002" + indent0 + "idDll = 7<BR></FONT>"},
        {tracel::TypeClass, "", "Dll", 0, "", brown + "</FONT>"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(info->InitHtm(QStringLiteral("t")));
        write(QString::fromUtf8(c.message), c.type, QString::fromUtf8(c.proc), QString::fromUtf8(c.module), c.depth);
        EXPECT_EQ(bodyLines(), QStringList{c.line}) << c.proc << c.message;
    }
}

TEST_F(InfoHtmlTest, CallWithNeitherProcedureNorMessageUsesNoLineNumber)
{
    ASSERT_TRUE(info->InitHtm(QStringLiteral("t")));
    write(QString(), tracel::TypeControl);
    write(QStringLiteral("suite"), tracel::TypeControl);
    EXPECT_EQ(bodyLines(), (QStringList{navy + "</FONT>", navy + "00001" + indent0 + "suite<BR></FONT>"}));
}

TEST_F(InfoHtmlTest, ErrorOnLineTwelveBecomesAnchorListedInSummary)
{
    ASSERT_TRUE(info->InitHtm(QStringLiteral("t")));
    for (int i = 1; i <= 11; ++i)
        write(QStringLiteral("ligne %1").arg(i), tracel::TypeControl);
    QString message = QStringLiteral("erreur kav 5 : texte");
    info->SetString(message, tracel::TypeControl, QString(), QStringLiteral("x"), 0);

    const QString anchored = errorAnchor1 + QStringLiteral(" 5 : texte");
    EXPECT_EQ(message, anchored);
    EXPECT_EQ(bodyLines().value(11), navy + "00012" + indent0 + anchored + "<BR></FONT>");

    info.reset();
    const QStringList lines = bodyLines();
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.mid(12).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"),
              QStringLiteral("<a face=arial size=2 href='#Erreur1'><FONT face=arial size=2 Color='Red'>Erreur ligne "
                             "12</FONT></a><BR>\r\n")
                  + endText());
}

TEST_F(InfoHtmlTest, MarkersInAnyCaseAreCountedOncePerLineAndListed)
{
    ASSERT_TRUE(info->InitHtm(QStringLiteral("t")));
    const struct {
        const char* message;
        QString written;
    } cases[] = {
        {"début", "début"},
        {"Erreur kav 13 : Type incompatible", errorAnchor1 + " 13 : Type incompatible"},
        {"avant TAG KAV après",
         "avant <a face=arial size=2 name='Tag1'><FONT face=arial size=2 Color='green'><B>Tag</B></FONT> après"},
        {"erreur kav 1 puis ERREUR Kav 2",
         "<a face=arial size=2 name='Erreur2'><FONT face=arial size=2 Color='Red'><B>Erreur</B></FONT> 1 puis "
         "<a face=arial size=2 name='Erreur2'><FONT face=arial size=2 Color='Red'><B>Erreur</B></FONT> 2"},
        {"erreurkav et tagkav ne sont pas des marqueurs", "erreurkav et tagkav ne sont pas des marqueurs"},
    };
    for (const auto& c : cases) {
        QString message = QString::fromUtf8(c.message);
        info->SetString(message, tracel::TypeBas, QString(), QStringLiteral("m"), 0);
        EXPECT_EQ(message, c.written) << c.message;
    }

    info.reset();
    const QStringList summary = bodyLines().mid(5);
    EXPECT_EQ(summary,
              (QStringList{
                  "<a face=arial size=2 href='#Erreur1'><FONT face=arial size=2 Color='Red'>Erreur ligne 2</FONT></a><BR>",
                  "<a face=arial size=2 href='#Erreur2'><FONT face=arial size=2 Color='Red'>Erreur ligne 4</FONT></a><BR>",
                  "<a face=arial size=2 href='#Tag1'><FONT face=arial size=2 Color='green'>Tag ligne 3</FONT></a><BR>",
                  "<a face=arial size=2 name='FinDoc'>Fin " + tracetest::dateText(clock.now()) + "</a>",
                  "</BODY>",
                  "</HTML>",
              }));
}

TEST_F(InfoHtmlTest, SecondInitHtmEmptiesTheFileAndForgetsEarlierErrors)
{
    ASSERT_TRUE(info->InitHtm(QStringLiteral("premier")));
    write(QStringLiteral("a"));
    write(QStringLiteral("erreur kav 1"));
    write(QStringLiteral("tag kav"));

    ASSERT_TRUE(info->InitHtm(QStringLiteral("second")));
    write(QStringLiteral("b"));
    info.reset();

    const QByteArray expected = tracetest::htmlHead(QStringLiteral("second"))
        + QStringLiteral("<FONT face=arial size=2 Color='Blue'>00001:&nbsp;&nbsp;&nbsp;&nbsp;b<BR></FONT>\r\n"
                         "<FONT face=arial size=2 Color='Green'>Aucune erreur détectée<BR></FONT>\r\n")
              .toUtf8()
        + endText().toUtf8();
    EXPECT_EQ(trace(), expected);
}

TEST_F(InfoHtmlTest, SetStringBeforeInitHtmWritesNothing)
{
    QString message = QStringLiteral("erreur kav 1");
    info->SetString(message, tracel::TypeBas, QStringLiteral("Sub Main"), QStringLiteral("m"), 0);
    EXPECT_EQ(message, QStringLiteral("erreur kav 1"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Prog.htm"))));

    ASSERT_TRUE(info->InitHtm(QStringLiteral("t")));
    write(QStringLiteral("première"));
    info.reset();
    const QStringList lines = bodyLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "<FONT face=arial size=2 Color='Blue'>00001" + indent0 + "première<BR></FONT>");
    EXPECT_EQ(lines[1], QStringLiteral("<FONT face=arial size=2 Color='Green'>Aucune erreur détectée<BR></FONT>"));
}

TEST_F(InfoHtmlTest, ObjectNeverOpenedWritesNoSummary)
{
    info.reset();
    EXPECT_TRUE(QDir(dir()).isEmpty());
}

TEST_F(InfoHtmlTest, UnwritableTraceIsSkippedWithoutFailingTheCaller)
{
    const struct {
        const char* folder;
        const char* name;
    } cases[] = {
        {"missing/folder", "Prog"},
        {"", "isfolder"},  // the trace file's name is taken by a folder
    };
    QDir(dir()).mkdir(QStringLiteral("isfolder.htm"));
    for (const auto& c : cases) {
        Info broken(clock);
        broken.PathTracel(dir() + QString::fromUtf8(c.folder));
        broken.NomFichier(QString::fromUtf8(c.name));
        EXPECT_FALSE(broken.InitHtm(QStringLiteral("t"))) << c.folder << c.name;
        QString message = QStringLiteral("erreur kav 1");
        EXPECT_NO_THROW(broken.SetString(message, tracel::TypeBas, QStringLiteral("p"), QStringLiteral("m"), 0));
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("missing"))));
}

// Counts the warnings the trace gives while it is alive.
class WarningCounter {
public:
    WarningCounter() : previous_(qInstallMessageHandler(&WarningCounter::handle)) { count_ = 0; }
    ~WarningCounter() { qInstallMessageHandler(previous_); }
    WarningCounter(const WarningCounter&) = delete;
    WarningCounter& operator=(const WarningCounter&) = delete;
    static int count() { return count_; }

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtWarningMsg && text.startsWith(QStringLiteral("Tracel:")))
            ++count_;
    }
    static inline int count_ = 0;
    QtMessageHandler previous_;
};

TEST_F(InfoHtmlTest, UnwritableTraceIsNotedOnceOnStandardError)
{
    const WarningCounter warnings;
    info->PathTracel(dir() + QStringLiteral("missing"));
    info->InitHtm(QStringLiteral("t"));
    QString text = QStringLiteral("ligne");
    info->SetInfo(text);
    info->StyleVisible(false);
    EXPECT_EQ(WarningCounter::count(), 1);

    Info other(clock);
    other.PathTracel(dir() + QStringLiteral("missing"));
    other.InitHtm(QStringLiteral("t"));
    EXPECT_EQ(WarningCounter::count(), 2);
}

TEST_F(InfoHtmlTest, TraceFolderRemovedAfterInitHtmStillLeavesTheMessageToTheCaller)
{
    info->PathTracel(dir() + QStringLiteral("sub"));
    ASSERT_TRUE(QDir(dir()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(info->InitHtm(QStringLiteral("t")));
    ASSERT_TRUE(QDir(dir() + QStringLiteral("sub")).removeRecursively());

    QString message = QStringLiteral("erreur kav 9");
    EXPECT_NO_THROW(info->SetString(message, tracel::TypeBas, QString(), QStringLiteral("m"), 0));
    EXPECT_EQ(message, errorAnchor1 + QStringLiteral(" 9"));
    EXPECT_NO_THROW(info.reset());
    EXPECT_FALSE(QFileInfo::exists(dir() + QStringLiteral("sub")));
}

}  // namespace

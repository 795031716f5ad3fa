// The movie page control: the browser placed and the page opened from the
// application folder, the score read from the page's JavaScript objects with
// each call type, names and arguments that cannot turn into script, and each
// failure's code. The page is fixtures/flash/12F/quiz.html.

#include "KavTestSupport.h"

#include "exerva/ControlRegistry.h"
#include "exerva/Manager.h"
#include "exerva/Tools.h"
#include "exerva/controls/KavFLASH.h"
#include "exerva/controls/PageScript.h"
#include "exerva/frmCT.h"

#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include "support/RecordingServer.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace {

using exerva::KavFLASH;
using namespace std::chrono_literals;

constexpr long stateOk = 1;
constexpr long initQuestionFailed = 23035;
constexpr long initReponseFailed = 23036;
constexpr long testePointFailed = 23037;
constexpr auto loadTimeout = 30s;

const QString flashRoot = QStringLiteral(EXERVA_FIXTURES "/flash/");

// Puts the page's scoring object back as the page made it.
const QString resetPage = QStringLiteral(
    "quiz.answered = false; quiz.letter = 'C'; quiz.calls = []; quiz.received = null;"
    "document.quizDone = false; delete window.hacked; true");

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// A "BRAVO" or "ERREUR" node: member, call type, argument.
struct Call {
    QString member;
    QString type;
    QString argument;
};

QString callXml(const char* tag, const Call& call)
{
    return QStringLiteral("<%1><N>%2</N><T>%3</T><A>%4</A></%1>")
        .arg(QLatin1String(tag), escaped(call.member), escaped(call.type), escaped(call.argument));
}

// The chain from the document: each link holds a name and the next link.
QString chainXml(const QStringList& names)
{
    QString link = QStringLiteral("<L/>");
    for (auto name = names.crbegin(); name != names.crend(); ++name)
        link = QStringLiteral("<L><N>%1</N>%2</L>").arg(escaped(*name), link);
    return QStringLiteral("<GETOBJECT>") + link + QStringLiteral("</GETOBJECT>");
}

QString answerXml(const std::optional<QStringList>& chain, const std::optional<Call>& bravo,
                  const std::optional<Call>& erreur)
{
    QString xml = QStringLiteral("<REPONSE>");
    if (chain)
        xml += chainXml(*chain);
    if (bravo)
        xml += callXml("BRAVO", *bravo);
    if (erreur)
        xml += callXml("ERREUR", *erreur);
    return xml + QStringLiteral("</REPONSE>");
}

const QStringList toQuiz{QStringLiteral("quiz")};
const Call isRight{QStringLiteral("isRight"), QStringLiteral("1"), {}};
const Call wrongLetter{QStringLiteral("wrongLetter"), QStringLiteral("1"), {}};

class KavFLASHTest : public ::testing::Test {
protected:
    struct Score {
        long state = 0;
        bool bravo = true;
        QString letter = QStringLiteral("unchanged");
    };

    void SetUp() override
    {
        // The geometry expectations are those of an ordinary 96 dpi screen.
        ASSERT_EQ(platform::twipsPerPixelX(), 15);
        ASSERT_EQ(platform::twipsPerPixelY(), 15);
        context.pusCheminRoot = flashRoot;
        context.idAppli = 12;
    }

    QDomNode node(const QString& xml)
    {
        documents.push_back(kavtest::xmlDocument(xml));
        return documents.back().documentElement();
    }

    QDomNode question(const QString& file, const QString& visible = QStringLiteral("1"),
                      const QString& height = QStringLiteral("200"))
    {
        return node(QStringLiteral("<Q><H>%1</H><W>300</W><T>10</T><L>20</L><V>%2</V><F>%3</F></Q>")
                        .arg(height, visible, escaped(file)));
    }

    // Opens the page and waits until it has loaded; false when it did not.
    bool openPage(KavFLASH& flash, const QString& file = QStringLiteral("quiz.html"))
    {
        if (flash.InitXMLQuestion(question(file)) != stateOk)
            return false;
        QSignalSpy loaded(flash.WebBrowserFlash(), &QWebEngineView::loadFinished);
        return loaded.wait(int(std::chrono::milliseconds(loadTimeout).count())) && flash.isPageLoaded();
    }

    // Runs a script of the test in the page and gives its result.
    QVariant page(const QString& script)
    {
        return exerva::runPageScript(*control->WebBrowserFlash()->page(), script, loadTimeout);
    }

    Score score(KavFLASH& flash, const QString& answer)
    {
        Score result;
        EXPECT_EQ(flash.InitXMLReponse(node(answer)), stateOk);
        result.state = flash.TestePoint(result.bravo, result.letter);
        return result;
    }

    Score score(const QString& answer) { return score(*control, answer); }

    void expectFailure(const Score& result, long state, long errorNumber, const std::string& label)
    {
        SCOPED_TRACE(label);
        EXPECT_EQ(result.state, state);
        EXPECT_EQ(context.pulStateEnCours, state);
        EXPECT_EQ(context.lastError.number(), errorNumber) << context.lastError.text().toStdString();
        // The operation's own "erreur kav" line is the last error line of the trace.
        const QString trace = traced.traceText();
        const QString marker = QStringLiteral("<B>Erreur</B></FONT> ");
        const qsizetype last = trace.lastIndexOf(marker);
        ASSERT_GE(last, 0);
        EXPECT_TRUE(trace.mid(last + marker.size()).startsWith(QStringLiteral("%1 : ").arg(errorNumber)))
            << trace.mid(last, 200).toStdString();
    }

    kavtest::TracedContext traced;
    exerva::ExervaContext& context = traced.context;
    std::vector<QDomDocument> documents;
    QWidget window;
    KavFLASH* control = new KavFLASH(context, &window);
};

TEST_F(KavFLASHTest, ScoresBravoOrTheWrongLetterFromThePage)
{
    ASSERT_TRUE(openPage(*control));
    struct Case {
        bool answered;
        bool bravo;
        const char* letter;
        QStringList calls;
    };
    const Case cases[] = {
        {true, true, "", {QStringLiteral("isRight")}},
        {false, false, "C", {QStringLiteral("isRight"), QStringLiteral("wrongLetter")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answered);
        page(resetPage + QStringLiteral("; quiz.answered = %1").arg(c.answered ? "true" : "false"));
        const Score result = score(answerXml(toQuiz, isRight, wrongLetter));
        EXPECT_EQ(result.state, stateOk);
        EXPECT_EQ(context.pulStateEnCours, stateOk);
        EXPECT_EQ(result.bravo, c.bravo);
        EXPECT_EQ(result.letter, QString::fromLatin1(c.letter));
        // The "ERREUR" member is called only for a wrong answer.
        EXPECT_EQ(page(QStringLiteral("quiz.calls")).toStringList(), c.calls);
    }
    const QString trace = traced.traceText();
    for (const char* line : {"Public Function TestePoint", "iobBravo = CallByName(oTempObject, isRight, 1, )",
                             "iobBravo = True", "Bravo = True ; LettreReponse = <", "iobBravo = False",
                             "iosLettreReponse = CallByName(oTempObject, wrongLetter, 1, )", "iosLettreReponse = C",
                             "Bravo = False ; LettreReponse = C", "Fin Public Function TestePoint"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
}

TEST_F(KavFLASHTest, EachCallTypeAndChainReachesThePage)
{
    ASSERT_TRUE(openPage(*control));
    const QString get = QStringLiteral("2");
    struct Case {
        const char* name;
        QStringList chain;
        Call bravo;
        Call erreur;
        bool bravoResult;
        const char* letter;
    };
    const Case cases[] = {
        {"property get", toQuiz, {"answered", get, {}}, {"letter", get, {}}, false, "C"},
        {"method with an argument, right", toQuiz, {"isRightFor", "1", "learner"}, wrongLetter, true, ""},
        {"method with an argument, wrong", toQuiz, {"isRightFor", "1", "guest"}, {"received", get, {}}, false, "guest"},
        {"get with an argument calls the member", toQuiz, {"isRightFor", get, "learner"}, wrongLetter, true, ""},
        {"let assigns the argument", toQuiz, {"answered", "4", "x"}, {"answered", get, {}}, false, "x"},
        {"set assigns the argument", toQuiz, {"letter", "8", "Z"}, {"letter", get, {}}, false, "Z"},
        // An empty argument means no argument at all; a number comes back as its text.
        {"empty argument", toQuiz, {"argumentCount", "1", {}}, {"argumentCount", "1", "x"}, false, "1"},
        {"chain of three links", {"course", "page", "quiz"}, isRight, wrongLetter, false, "C"},
        {"first link without children is the document", {}, {"quizDone", get, {}}, {"quizLetter", get, {}}, false, "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        page(resetPage);
        const Score result = score(answerXml(c.chain, c.bravo, c.erreur));
        EXPECT_EQ(result.state, stateOk) << context.lastError.text().toStdString();
        EXPECT_EQ(result.bravo, c.bravoResult);
        EXPECT_EQ(result.letter, QString::fromUtf8(c.letter));
    }
}

TEST_F(KavFLASHTest, ArgumentReachesThePageUnchanged)
{
    ASSERT_TRUE(openPage(*control));
    const QString arguments[] = {
        QStringLiteral("He said \"no\" and 'yes'"),
        QStringLiteral("back\\slash \\n \\u0041"),
        QStringLiteral("two\nlines\tand a tab"),
        QStringLiteral("'); window.hacked = 1; ('"),
        QStringLiteral("\"); window.hacked = 1; //</script>"),
        QStringLiteral("${window.hacked = 1}"),
        QString::fromUtf8("é € \u2028 \u2029 end"),
    };
    for (const QString& argument : arguments) {
        SCOPED_TRACE(argument.toStdString());
        page(resetPage);
        const Score result = score(answerXml(toQuiz, Call{"echo", "1", argument}, Call{"received", "2", {}}));
        EXPECT_EQ(result.state, stateOk);
        EXPECT_EQ(result.letter, argument);
        EXPECT_EQ(page(QStringLiteral("quiz.received")).toString(), argument);
        EXPECT_FALSE(page(QStringLiteral("'hacked' in window")).toBool());
    }
}

TEST_F(KavFLASHTest, AnswerWithoutErreurScoresRightAnswersOnly)
{
    ASSERT_TRUE(openPage(*control));
    page(resetPage + QStringLiteral("; quiz.answered = true"));
    const Score right = score(answerXml(toQuiz, isRight, std::nullopt));
    EXPECT_EQ(right.state, stateOk);
    EXPECT_TRUE(right.bravo);
    EXPECT_EQ(right.letter, QString());

    page(resetPage);
    const Score wrong = score(answerXml(toQuiz, isRight, std::nullopt));
    EXPECT_FALSE(wrong.bravo);
    EXPECT_EQ(wrong.letter, QString());
    expectFailure(wrong, testePointFailed, 91, "no ERREUR");
}

TEST_F(KavFLASHTest, ScoringFailuresGive23037)
{
    ASSERT_TRUE(openPage(*control));
    const QString get = QStringLiteral("2");
    struct Case {
        const char* name;
        QString answer;
        long error;
    };
    const Case cases[] = {
        {"no GETOBJECT", answerXml(std::nullopt, isRight, wrongLetter), 91},
        {"no BRAVO", answerXml(toQuiz, std::nullopt, wrongLetter), 91},
        {"BRAVO without its argument node", QStringLiteral("<R>") + chainXml(toQuiz)
                                                + QStringLiteral("<BRAVO><N>isRight</N><T>1</T></BRAVO></R>"),
         91},
        {"missing member", answerXml(toQuiz, Call{"nope", "1", {}}, wrongLetter), 438},
        {"missing link", answerXml(QStringList{"quiz", "nope"}, isRight, wrongLetter), 438},
        {"link that is null", answerXml(QStringList{"quiz", "nothing"}, isRight, wrongLetter), 91},
        {"link that is not an object", answerXml(QStringList{"quiz", "letter"}, Call{"length", get, {}}, wrongLetter), 424},
        {"method that is not a function", answerXml(toQuiz, Call{"letter", "1", {}}, wrongLetter), 438},
        {"let without a value", answerXml(toQuiz, Call{"answered", "4", {}}, wrongLetter), 450},
        {"call type 3", answerXml(toQuiz, Call{"isRight", "3", {}}, wrongLetter), 5},
        {"call type not a number", answerXml(toQuiz, Call{"isRight", "x", {}}, wrongLetter), 13},
        {"member raises an exception", answerXml(toQuiz, Call{"broken", "1", {}}, wrongLetter), 440},
        {"Bravo text that is no Boolean", answerXml(toQuiz, Call{"maybe", "1", {}}, wrongLetter), 13},
        {"Bravo null", answerXml(toQuiz, Call{"none", "1", {}}, wrongLetter), 94},
        {"letter that is an object", answerXml(toQuiz, isRight, Call{"object", "1", {}}), 13},
    };
    for (const Case& c : cases) {
        page(resetPage);
        const Score result = score(c.answer);
        EXPECT_FALSE(result.bravo) << c.name;
        EXPECT_EQ(result.letter, QString()) << c.name;
        expectFailure(result, testePointFailed, c.error, c.name);
    }
}

TEST_F(KavFLASHTest, NamesThatAreNotIdentifiersNeverReachThePage)
{
    ASSERT_TRUE(openPage(*control));
    const QString names[] = {
        QStringLiteral("isRight()"),
        QStringLiteral("isRight; window.hacked = 1"),
        QStringLiteral("quiz.isRight"),
        QStringLiteral("isRight']; window.hacked = 1; //"),
        QStringLiteral("1st"),
        QStringLiteral("is Right"),
        QString::fromUtf8("réponse"),
        QString(),
    };
    for (const QString& name : names) {
        for (const bool inChain : {false, true}) {
            SCOPED_TRACE(name.toStdString() + (inChain ? " in the chain" : " as BRAVO"));
            page(resetPage);
            const QString answer = inChain ? answerXml(QStringList{name}, isRight, wrongLetter)
                                           : answerXml(toQuiz, Call{name, "1", {}}, wrongLetter);
            expectFailure(score(answer), testePointFailed, 438, "refused");
            EXPECT_EQ(page(QStringLiteral("quiz.calls.length + ('hacked' in window ? 100 : 0)")).toInt(), 0);
        }
    }
}

TEST_F(KavFLASHTest, PageThatDoesNotAnswerInTimeGives23037)
{
    ASSERT_TRUE(openPage(*control));
    page(resetPage);
    control->setScriptTimeout(100ms);
    const Score late = score(answerXml(toQuiz, Call{"slow", "1", {}}, wrongLetter));
    expectFailure(late, testePointFailed, 440, "time-out");
    EXPECT_TRUE(context.lastError.text().contains(QStringLiteral("did not answer"))) << context.lastError.text().toStdString();

    // The late answer is dropped and the next call gets its own.
    control->setScriptTimeout(KavFLASH::defaultScriptTimeout);
    const Score next = score(answerXml(toQuiz, isRight, wrongLetter));
    EXPECT_EQ(next.state, stateOk);
    EXPECT_EQ(next.letter, QStringLiteral("C"));
}

TEST_F(KavFLASHTest, PageNotLoadedGives23037)
{
    ASSERT_EQ(control->InitXMLQuestion(question(QStringLiteral("quiz.html"))), stateOk);
    expectFailure(score(answerXml(toQuiz, isRight, wrongLetter)), testePointFailed, 91, "still loading");

    QSignalSpy loaded(control->WebBrowserFlash(), &QWebEngineView::loadFinished);
    ASSERT_TRUE(loaded.wait(int(std::chrono::milliseconds(loadTimeout).count())));
    EXPECT_EQ(score(answerXml(toQuiz, isRight, wrongLetter)).letter, QStringLiteral("C"));

    // A page that is not there opens without complaint and cannot be scored.
    KavFLASH missing(context, &window);
    ASSERT_EQ(missing.InitXMLQuestion(question(QStringLiteral("missing.html"))), stateOk);
    QSignalSpy failed(missing.WebBrowserFlash(), &QWebEngineView::loadFinished);
    ASSERT_TRUE(failed.wait(int(std::chrono::milliseconds(loadTimeout).count())));
    EXPECT_FALSE(failed.front().front().toBool());
    expectFailure(score(missing, answerXml(toQuiz, isRight, wrongLetter)), testePointFailed, 91, "missing page");
}

TEST_F(KavFLASHTest, QuestionPlacesTheBrowserAndShowsItUnlessZero)
{
    struct Case {
        const char* visible;
        bool shown;
    };
    for (const Case& c : {Case{"0", false}, Case{"1", true}, Case{"-1", true}, Case{"0.0", false}, Case{"2", true}}) {
        SCOPED_TRACE(c.visible);
        KavFLASH flash(context, &window);
        ASSERT_EQ(flash.InitXMLQuestion(question(QStringLiteral("quiz.html"), QString::fromLatin1(c.visible))),
                  stateOk);
        EXPECT_EQ(flash.WebBrowserFlash()->isHidden(), !c.shown);
        EXPECT_EQ(flash.WebBrowserFlash()->geometry(), QRect(20, 10, 300, 200));
        EXPECT_EQ(flash.WebBrowserFlash()->parentWidget(), &flash);
    }
}

TEST_F(KavFLASHTest, BrowserIsHeldToTheDesktop)
{
    KavFLASH flash(context, &window);
    ASSERT_EQ(flash.InitXMLQuestion(node(QStringLiteral(
                  "<Q><H>32000</H><W>32000</W><T>0</T><L>0</L><V>0</V><F>quiz.html</F></Q>"))),
              stateOk);
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    EXPECT_EQ(flash.WebBrowserFlash()->size(), desktop.boundedTo(QSize(32000, 32000)));
}

TEST_F(KavFLASHTest, QuestionFailuresGive23035)
{
    struct Case {
        const char* name;
        QString xml;
        long error;
    };
    const auto withFile = [](const char* file) {
        return QStringLiteral("<Q><H>200</H><W>300</W><T>10</T><L>20</L><V>1</V><F>%1</F></Q>")
            .arg(escaped(QString::fromUtf8(file)));
    };
    const Case cases[] = {
        {"parent folder", withFile("../12F/quiz.html"), 52},
        {"climbing with backslashes", withFile("sub\\..\\..\\quiz.html"), 52},
        {"absolute path", withFile("/etc/hosts"), 52},
        {"drive letter", withFile("C:\\quiz.html"), 52},
        {"empty file name", withFile(""), 52},
        {"height not a number", QStringLiteral("<Q><H>abc</H><W>300</W><T>10</T><L>20</L><V>1</V><F>quiz.html</F></Q>"), 13},
        {"negative width", QStringLiteral("<Q><H>200</H><W>-3</W><T>10</T><L>20</L><V>1</V><F>quiz.html</F></Q>"), 380},
        {"visible not a number", QStringLiteral("<Q><H>200</H><W>300</W><T>10</T><L>20</L><V>yes</V><F>quiz.html</F></Q>"), 13},
        {"no file child", QStringLiteral("<Q><H>200</H><W>300</W><T>10</T><L>20</L><V>1</V></Q>"), 91},
    };
    for (const Case& c : cases) {
        KavFLASH flash(context, &window);
        expectFailure(Score{flash.InitXMLQuestion(node(c.xml))}, initQuestionFailed, c.error, c.name);
        EXPECT_TRUE(flash.WebBrowserFlash()->url().isEmpty()) << c.name;
    }
}

TEST_F(KavFLASHTest, NullAnswerNodeGives23036)
{
    expectFailure(Score{control->InitXMLReponse(QDomNode())}, initReponseFailed, 91, "null node");
}

class KavFLASHPathTest : public KavFLASHTest {
protected:
    QTemporaryDir root;
};

TEST_F(KavFLASHPathTest, PageIsFoundWithoutRegardToCaseAndSeparators)
{
    QFile page(flashRoot + QStringLiteral("12F/quiz.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray bytes = page.readAll();
    struct Case {
        bool modeInet;
        long typeBaseBis;
        const char* onDisk;
        const char* inFile;
    };
    const Case cases[] = {
        {false, 1, "12F/Pages/Quiz.HTML", "pages\\quiz.html"},
        {true, 1, "12F/Pages/Quiz.HTML", "PAGES/quiz.html"},
        {false, 2, "12Eb/bis.htm", "BIS.HTM"},
    };
    context.pusCheminRoot = root.path() + QLatin1Char('/');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inFile);
        const QString onDisk = root.filePath(QString::fromLatin1(c.onDisk));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(onDisk).path()));
        QFile file(onDisk);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        context.modeInet = c.modeInet;
        context.typeBaseBis = c.typeBaseBis;

        KavFLASH flash(context, &window);
        ASSERT_TRUE(openPage(flash, QString::fromLatin1(c.inFile)));
        EXPECT_EQ(flash.WebBrowserFlash()->url().toLocalFile(), onDisk);
        EXPECT_EQ(score(flash, answerXml(toQuiz, isRight, wrongLetter)).letter, QStringLiteral("C"));
    }
}

// A course server serving the flash fixtures under /cours/.
void servePages(testsupport::RecordingServer& server)
{
    server.on("GET", QStringLiteral("/cours/(.*)"), [](const testsupport::RecordedRequest& request) {
        QFile file(flashRoot + request.captures.value(0));
        if (!file.open(QIODevice::ReadOnly))
            return testsupport::ServerReply::withStatus(404);
        return testsupport::ServerReply::text(file.readAll(), "text/html");
    });
}

TEST_F(KavFLASHTest, InternetModeOpensThePageOnTheCourseServer)
{
    testsupport::RecordingServer server;
    servePages(server);
    context.modeInet = true;
    context.pusCheminRoot = server.address(QStringLiteral("/cours/"));
    ASSERT_TRUE(openPage(*control));
    EXPECT_EQ(control->WebBrowserFlash()->url().toString(), server.address(QStringLiteral("/cours/12F/quiz.html")));
    EXPECT_TRUE(server.paths().contains(QStringLiteral("/cours/12F/quiz.html")));
    page(QStringLiteral("quiz.answered = true"));
    const Score result = score(answerXml(toQuiz, isRight, wrongLetter));
    EXPECT_EQ(result.state, stateOk);
    EXPECT_TRUE(result.bravo);
}

TEST_F(KavFLASHTest, MemberTableHoldsTheContractAndBackStyle)
{
    using exerva::VbGet;
    using exerva::VbLet;
    using exerva::VbMethod;
    for (const char* method : {"InitXMLQuestion", "InitXMLReponse", "TestePoint"})
        EXPECT_TRUE(control->hasMember(QString::fromLatin1(method), VbMethod)) << method;
    EXPECT_TRUE(control->hasMember(QStringLiteral("BackStyle"), VbGet));
    EXPECT_TRUE(control->hasMember(QStringLiteral("BackStyle"), VbLet));
    EXPECT_FALSE(control->hasMember(QStringLiteral("Navigate"), VbMethod));

    QVariantList none;
    EXPECT_EQ(control->callByName(QStringLiteral("BackStyle"), VbGet, none).value<long>(), 1);
    EXPECT_TRUE(control->autoFillBackground());
    QVariantList transparent{0};
    control->callByName(QStringLiteral("BackStyle"), VbLet, transparent);
    EXPECT_EQ(control->callByName(QStringLiteral("BackStyle"), VbGet, none).value<long>(), 0);
    EXPECT_FALSE(control->autoFillBackground());
    QVariantList invalid{2};
    EXPECT_THROW(control->callByName(QStringLiteral("BackStyle"), VbLet, invalid), platform::RuntimeError);

    // Scoring by name hands Bravo and the letter back through the arguments.
    ASSERT_TRUE(openPage(*control));
    ASSERT_EQ(control->InitXMLReponse(node(answerXml(toQuiz, isRight, wrongLetter))), stateOk);
    QVariantList outcome{true, QString()};
    EXPECT_EQ(control->callByName(QStringLiteral("TestePoint"), VbMethod, outcome).value<long>(), stateOk);
    EXPECT_EQ(outcome, (QVariantList{false, QStringLiteral("C")}));
}

TEST_F(KavFLASHTest, ExerciseFileThroughTheEngineScoresThePage)
{
    exerva::ControlRegistry registry;
    registry.add(QStringLiteral("Exerva.KavFLASH"),
                 [](exerva::ExervaContext& owner, QWidget* parent) -> exerva::ExerciseControl* {
                     return new KavFLASH(owner, parent);
                 });
    registry.add(QStringLiteral("Exerva.Tools"),
                 [](exerva::ExervaContext& owner, QWidget* parent) -> exerva::ExerciseControl* {
                     return new exerva::Tools(owner, parent);
                 });
    // The Manager starts a trace of its own, which writes its summary when the Manager ends.
    QTemporaryDir traceFolder;
    exerva::Manager manager(context, registry);
    manager.PathTracel(traceFolder.path());
    ASSERT_EQ(manager.Prepare(flashRoot, false, 12), stateOk);
    QString file = QStringLiteral("flash.xml");
    ASSERT_EQ(manager.InitQuestion(file, 1, 1), stateOk);
    auto* flash = qobject_cast<KavFLASH*>(manager.window()->control(QStringLiteral("Film")));
    ASSERT_NE(flash, nullptr);
    EXPECT_FALSE(flash->WebBrowserFlash()->isHidden());
    EXPECT_EQ(flash->WebBrowserFlash()->geometry(), QRect(10, 10, 360, 260));
    QSignalSpy loaded(flash->WebBrowserFlash(), &QWebEngineView::loadFinished);
    ASSERT_TRUE(loaded.wait(int(std::chrono::milliseconds(loadTimeout).count())));

    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_FALSE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("C"));

    exerva::runPageScript(*flash->WebBrowserFlash()->page(), QStringLiteral("quiz.answered = true"), loadTimeout);
    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_TRUE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QString());
    EXPECT_EQ(manager.FermePoint(), stateOk);
}

}  // namespace

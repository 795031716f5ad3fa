// Question switch: Poursuivre on a question whose answer was scored, until the
// next question's exercise window (twelve controls) is shown, offscreen;
// against the exercise engine alone showing the same exercise.

#include "exerva/ControlRegistry.h"
#include "exerva/ExervaContext.h"
#include "exerva/Manager.h"
#include "exerva/frmCT.h"
#include "lumaro/model/Module.h"
#include "lumaro/player/frmClient.h"
#include "support/Comparisons.h"
#include "support/SampleCourseHost.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

constexpr long questionCount = 8;
const QString answerControl = QStringLiteral("Saisie");

QString label(const QString& id, int top, const QString& text)
{
    return QStringLiteral("<OBJECT><ID>%1</ID><CLASSE>Exerva.KavPAT</CLASSE><Z/><H>24</H><W>500</W><T>%2</T><L>10</L>"
                          "<V>True</V></OBJECT>"
                          "<CALLBYNAME><ID>%1</ID><PROC>LabelBackStyle</PROC><TYPE>4</TYPE><ARG><KIND>1</KIND>"
                          "<VALEUR>0</VALEUR></ARG></CALLBYNAME>"
                          "<CALLBYNAME><ID>%1</ID><PROC>InitXMLQuestion</PROC><TYPE>1</TYPE><ARG><KIND>4</KIND>"
                          "<QUESTION><LBL>%3</LBL></QUESTION></ARG></CALLBYNAME>")
        .arg(id)
        .arg(top)
        .arg(text);
}

// Twelve controls: the tools, ten lines of text in the question and
// illustration zones, and a typed gap text whose right answer is "oui".
QByteArray exerciseFile(long instance)
{
    QString question;
    QString illustration;
    for (int i = 0; i < 10; ++i)
        (i < 5 ? question : illustration) += label(QStringLiteral("Ligne%1").arg(i), 6 + 26 * i,
                                                   QStringLiteral("Ligne %1 de la consigne de la question.").arg(i));
    const QString answer = QStringLiteral(
        "<OBJECT><ID>Saisie</ID><CLASSE>Exerva.KavPAT</CLASSE><Z/><H>40</H><W>500</W><T>270</T><L>10</L><V>True</V></OBJECT>"
        "<CALLBYNAME><ID>Saisie</ID><PROC>InitXMLQuestion</PROC><TYPE>1</TYPE><ARG><KIND>4</KIND>"
        "<QUESTION><LBL>La réponse est</LBL><TXT>1</TXT><LBL>.</LBL></QUESTION></ARG></CALLBYNAME>"
        "<CALLBYNAME><ID>Saisie</ID><PROC>InitXMLReponse</PROC><TYPE>1</TYPE><ARG><KIND>4</KIND>"
        "<REPONSE><R><L>0</L><CHECKED><E><C>1</C><V>oui</V></E></CHECKED></R><R><L>N</L><NONCOCHE/></R></REPONSE>"
        "</ARG></CALLBYNAME>");
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><EXERCICE><INFORMATION><BROUILLE>False</BROUILLE>"
                          "<AUTEUR>Mesure</AUTEUR><LOGICIEL>Traitement de texte</LOGICIEL><VERSION>1</VERSION>"
                          "<LANGUE>FR</LANGUE><DATE>2024-01-15</DATE><DUREE>60</DUREE><NIVEAU>1</NIVEAU></INFORMATION>"
                          "<INSTANCE%1><FENETRE><TITRE>Question %1</TITRE><HAUTEUR>330</HAUTEUR>"
                          "<LARGEUR>520</LARGEUR><NONLU/><COULEUR>16446188</COULEUR></FENETRE><OUTILS><OBJECT><ID>Outils"
                          "</ID><CLASSE>Exerva.Tools</CLASSE><Z/><H>1</H><W>1</W><T>0</T><L>0</L><V>False</V></OBJECT>"
                          "</OUTILS><ZQ>%2</ZQ><ZI>%3</ZI><ZRP>%4</ZRP></INSTANCE%1></EXERCICE>")
        .arg(instance)
        .arg(question, illustration, answer)
        .toUtf8();
}

// The course's exercise files, one per question, as the engine looks for them.
bool writeExercises(const QString& root)
{
    if (!QDir().mkpath(root + QStringLiteral("/12F")))
        return false;
    for (long instance = 1; instance <= questionCount; ++instance) {
        QFile file(root + QStringLiteral("/12F/X121%1.xml").arg(instance));
        const QByteArray bytes = exerciseFile(instance);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

// The exercise of that instance shown, and what showing it posted handled.
bool exerciseShown(const testsupport::ModuleLearner& learner, long instance)
{
    QCoreApplication::processEvents();
    const exerva::frmCT* shown = learner.exercise();
    return shown && shown->windowTitle() == QStringLiteral("Question %1").arg(instance)
        && shown->control(answerControl);
}

using Clock = std::chrono::steady_clock;

void questionSwitch(benchmark::State& state, const QString& root)
{
    std::unique_ptr<testsupport::SampleCourseHost> host;
    long position = questionCount;
    for (auto _ : state) {
        if (position == questionCount) {
            // A fresh module once the last question is reached.
            host.reset();
            host = std::make_unique<testsupport::SampleCourseHost>();
            host->context.xmlCheminServeur = root + QLatin1Char('/');
            for (long instance = 1; instance <= questionCount; ++instance)
                host->addQuestion(instance);
            if (!host->start()) {
                state.SkipWithError("the module does not start");
                return;
            }
            position = 1;
        }
        testsupport::ModuleLearner& learner = *host->learner;
        // Answered and scored: the feedback is shown and Poursuivre goes on.
        if (!learner.type(answerControl, 0, QStringLiteral("oui")) || !learner.poursuivre()
            || !learner.questionWindow()->lblReponse()->isVisible()) {
            state.SkipWithError("the answer was not scored");
            return;
        }
        const Clock::time_point start = Clock::now();
        const bool pressed = learner.poursuivre();
        const bool shown = pressed && exerciseShown(learner, position + 1);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!shown) {
            state.SkipWithError("the next exercise was not shown");
            return;
        }
        ++position;
    }
}

// The same exercise loaded and shown by the engine alone, its window emptied
// between two loads as the player's close of a question does.
void engineAlone(benchmark::State& state, const QString& root)
{
    exerva::ExervaContext context;
    exerva::Manager engine(context, exerva::systemControlRegistry());
    if (engine.Prepare(root, false, 12) != 1) {
        state.SkipWithError("Prepare failed");
        return;
    }
    long instance = 1;
    for (auto _ : state) {
        QString name = QStringLiteral("X121%1.xml").arg(instance);
        const Clock::time_point start = Clock::now();
        const long loaded = engine.InitQuestion(name, instance, 1);
        if (engine.window())
            engine.window()->show();
        QCoreApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (loaded != 1 || !engine.window() || !engine.window()->control(answerControl)) {
            state.SkipWithError("the engine did not load the exercise");
            return;
        }
        engine.window()->hide();
        engine.FermePoint();
        instance = instance % questionCount + 1;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTemporaryDir root;
    if (!root.isValid() || !writeExercises(root.path())) {
        std::fprintf(stderr, "question switch: cannot write the exercise files\n");
        return 1;
    }
    benchmark::RegisterBenchmark("QuestionSwitch/Poursuivre", questionSwitch, root.path())
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark("QuestionSwitch/EngineAlone", engineAlone, root.path())
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    return benchsupport::runBenchmarks(
        argc, argv,
        {benchsupport::Comparison::time("question switch", "QuestionSwitch/Poursuivre", 20.0),
         benchsupport::Comparison::ratio("question switch / engine alone", "QuestionSwitch/Poursuivre",
                                         "QuestionSwitch/EngineAlone")});
}

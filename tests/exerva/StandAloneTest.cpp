// The stand-alone mode from end to end over the sample course of samples/:
// the dialog answered by script, a learner who drags, types, chooses, ticks
// and clicks in a page, the close box that scores, the messages in order, the
// exit status and the trace "Exerva.htm". Also checks the sample files
// themselves: their encoding and their scrambled texts.

#include "KavTestSupport.h"
#include "support/Screenshot.h"
#include "StandAloneSupport.h"

#include "exerva/controls/KavBO.h"
#include "exerva/controls/KavCC.h"
#include "exerva/controls/KavESP.h"
#include "exerva/controls/KavFLASH.h"
#include "exerva/controls/KavPAT.h"
#include "exerva/controls/PageScript.h"
#include "exerva/standalone/ParamIni.h"

#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>

namespace {

using standalone_test::joined;
using namespace std::chrono_literals;

const QString samplesDir = QStringLiteral(SAMPLES_DIR);
constexpr auto pageTimeout = 30s;

template <typename Control>
Control* sampleControl(const exerva::StandAloneRun& run, const char* name)
{
    auto* control = qobject_cast<Control*>(run.manager()->window()->control(QString::fromLatin1(name)));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

class StandAloneTest : public standalone_test::StandAloneFixture {
protected:
    using Learner = std::function<void(const exerva::StandAloneRun&)>;

    void SetUp() override
    {
        // The sample settings, as "make run" starts from them; the root is the sample course.
        QFile::copy(samplesDir + QStringLiteral("/Param.ini"), path(QStringLiteral("Param.ini")));
        answers.appli.reset();
        answers.path = samplesDir;
    }

    // Runs the mode: before each close of the exercise window, the learner
    // acts on the question of that instance (nothing when there is no entry).
    std::unique_ptr<exerva::StandAloneRun> run(const std::map<long, Learner>& learner,
                                               const QString& screenshotPrefix = QString())
    {
        auto made = makeRun(exerva::systemControlRegistry());
        made->Main();
        int closes = 0;
        while (!made->isFinished() && closes++ < 20) {
            const long instance = made->questionList().at(std::size_t(made->currentIndex()));
            if (const auto act = learner.find(instance); act != learner.end())
                act->second(*made);
            if (!screenshotPrefix.isEmpty())
                testsupport::saveScreenshot(*made->manager()->window(), screenshotPrefix + QString::number(instance));
            closeExerciseWindow(*made);
        }
        settle(*made);
        return made;
    }

    static void drag(exerva::KavESP& esp, int word, int gap)
    {
        ASSERT_TRUE(esp.beginDragFromBank(word));
        ASSERT_TRUE(esp.dropOnGap(gap));
    }

    static void pageAnswer(const exerva::StandAloneRun& run, const QString& button)
    {
        auto* flash = sampleControl<exerva::KavFLASH>(run, "Film");
        ASSERT_NE(flash, nullptr);
        QSignalSpy loaded(flash->WebBrowserFlash(), &QWebEngineView::loadFinished);
        if (!flash->isPageLoaded()) {
            ASSERT_TRUE(loaded.wait(int(std::chrono::milliseconds(pageTimeout).count())));
        }
        ASSERT_TRUE(flash->isPageLoaded());
        exerva::runPageScript(*flash->WebBrowserFlash()->page(),
                              QStringLiteral("document.getElementById('%1').click(); true").arg(button), pageTimeout);
    }
};

TEST_F(StandAloneTest, ALearnerWorksThroughTheSampleCourse)
{
    const std::map<long, Learner> learner{
        {1,
         [](const exerva::StandAloneRun& run) {
             auto* esp = sampleControl<exerva::KavESP>(run, "Texte");
             ASSERT_NE(esp, nullptr);
             drag(*esp, 2, 0);  // couper, then moved to the last gap
             ASSERT_TRUE(esp->beginDragFromGap(0));
             ASSERT_TRUE(esp->dropOnGap(2));
             drag(*esp, 0, 0);  // copier
             drag(*esp, 1, 1);  // coller
         }},
        {2,
         [](const exerva::StandAloneRun& run) {
             auto* pat = sampleControl<exerva::KavPAT>(run, "Saisie");
             ASSERT_NE(pat, nullptr);
             QTest::keyClicks(pat->txtPAT(0), QStringLiteral("  Enregistrer "));
             QTest::keyClicks(pat->txtPAT(1), QStringLiteral("impression"));
         }},
        {3,
         [](const exerva::StandAloneRun& run) {
             auto* bo = sampleControl<exerva::KavBO>(run, "Choix");
             ASSERT_NE(bo, nullptr);
             EXPECT_FALSE(bo->chooseOption(0)) << "hidden until revealed";
             ASSERT_TRUE(bo->pressReveal());
             ASSERT_TRUE(bo->chooseOption(1));  // Édition
             EXPECT_EQ(bo->optionButton(1)->text(), QStringLiteral("Édition"));
         }},
        {4,
         [](const exerva::StandAloneRun& run) {
             auto* cc = sampleControl<exerva::KavCC>(run, "Cases");
             ASSERT_NE(cc, nullptr);
             ASSERT_TRUE(cc->clickTrueBox(0));
             ASSERT_TRUE(cc->clickTrueBox(1));
         }},
        {5,
         [](const exerva::StandAloneRun& run) {
             auto* grid = sampleControl<exerva::KavCC>(run, "Grille");
             ASSERT_NE(grid, nullptr);
             EXPECT_TRUE(grid->isTrueFalse());
             ASSERT_TRUE(grid->clickTrueBox(0));
             ASSERT_TRUE(grid->clickTrueBox(1));
             ASSERT_TRUE(grid->clickFalseBox(1));  // unticks its true box
             ASSERT_TRUE(grid->clickTrueBox(2));
         }},
        {6, [](const exerva::StandAloneRun& run) { pageAnswer(run, QStringLiteral("italique")); }},
        {7,
         [](const exerva::StandAloneRun& run) {
             auto* bo = sampleControl<exerva::KavBO>(run, "Choix");
             ASSERT_NE(bo, nullptr);
             // The scrambled captions show descrambled.
             EXPECT_EQ(bo->optionButton(0)->text(), QStringLiteral("Retour arrière"));
             EXPECT_EQ(bo->optionButton(2)->text(), QStringLiteral("Échap"));
             ASSERT_TRUE(bo->chooseOption(0));
         }},
    };
    const auto done = run(learner, QStringLiteral("sample-X121"));
    EXPECT_EQ(done->questionList(), (std::vector<long>{1, 2, 3, 4, 5, 6, 7})) << "the list of the sample Param.ini";
    EXPECT_EQ(joined(messageBoxes.texts()),
              joined(QStringList{QStringLiteral("Bravo"), QStringLiteral("Bravo"), QStringLiteral("Erreur B"),
                           QStringLiteral("Bravo"), QStringLiteral("Bravo"), QStringLiteral("Erreur B"),
                           QStringLiteral("Bravo")}));
    EXPECT_TRUE(done->isFinished());
    EXPECT_EQ(done->exitStatus(), 0);
    EXPECT_EQ(done->manager(), nullptr);

    const QString trace = traceText();
    for (const char* line : {"<TITLE>Exerva - ", "Class Manager, Public Function Prepare</B>",
                             "Class Manager, Fin Public Function Prepare</B>", "isFileXML = X1211.xml",
                             "isFileXML = X1217.xml", "Class Manager, Public Function InitQuestion</B>",
                             "Class Manager, Fin Public Function InitQuestion</B>",
                             "Class Manager, Public Function TestePoint</B>",
                             "Class Manager, Fin Public Function TestePoint</B>", "Aucune erreur détectée"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(trace.contains(QStringLiteral("Erreur ligne")));
    // The settings are kept for the next run.
    const auto settings = exerva::ParamIni::read(path(QStringLiteral("Param.ini")));
    ASSERT_TRUE(settings);
    EXPECT_EQ((*settings)[exerva::ParamIni::Path], samplesDir);
}

TEST_F(StandAloneTest, ClosingWithoutAnsweringGivesTheNoCheckLetter)
{
    answers.list = QStringLiteral("1;2;3;4;5;7");
    const auto done = run({});
    EXPECT_EQ(joined(messageBoxes.texts()), joined(QStringList(6, QStringLiteral("Erreur N"))));
    EXPECT_EQ(done->exitStatus(), 0);
}

TEST_F(StandAloneTest, TheBisQuestionAndTheExerciseApplication)
{
    struct Case {
        const char* label;
        int kind;
        std::map<long, Learner> learner;
        QStringList messages;
        const char* caption;
    };
    const Case cases[] = {
        {"bis",
         1,
         {{1,
           [](const exerva::StandAloneRun& run) {
               auto* esp = sampleControl<exerva::KavESP>(run, "Texte");
               ASSERT_NE(esp, nullptr);
               drag(*esp, 2, 0);  // Tab where Suppr goes
               drag(*esp, 1, 1);
           }}},
         {QStringLiteral("Erreur E")},
         "Question 1 bis - Les touches du clavier"},
        {"exercise application",
         2,
         {{1,
           [](const exerva::StandAloneRun& run) {
               auto* pat = sampleControl<exerva::KavPAT>(run, "Pratique");
               ASSERT_NE(pat, nullptr);
               QTest::keyClicks(pat->txtPAT(0), QStringLiteral("Mon premier document"));
           }}},
         {},
         "Exercice d'application - Donner un titre"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        messageBoxes = {};
        answers.list = QStringLiteral("1");
        answers.kind = c.kind;
        QString caption;
        auto learner = c.learner;
        const Learner act = learner[1];
        learner[1] = [&caption, act](const exerva::StandAloneRun& run) {
            caption = run.manager()->window()->windowTitle();
            act(run);
        };
        const auto done = run(learner, QStringLiteral("sample-kind%1-").arg(c.kind + 1));
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(joined(messageBoxes.texts()), joined(c.messages));
        EXPECT_TRUE(done->isFinished());
        EXPECT_EQ(done->exitStatus(), 0);
    }
}

TEST_F(StandAloneTest, ABrokenFileEndsTheRunAndMarksTheTrace)
{
    // A copy of the course whose second question was cut short.
    const QString course = path(QStringLiteral("course"));
    QDirIterator files(samplesDir, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        QFile source(file);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        writeFile(QStringLiteral("course/") + QDir(samplesDir).relativeFilePath(file), source.readAll());
    }
    const QByteArray whole = readFile(QStringLiteral("course/12F/X1212.xml"));
    writeFile(QStringLiteral("course/12F/X1212.xml"), whole.left(whole.size() / 2));

    answers.path = course;
    answers.list = QStringLiteral("1;2;3");
    const auto done = run({{1, [](const exerva::StandAloneRun& run) {
                                auto* esp = sampleControl<exerva::KavESP>(run, "Texte");
                                ASSERT_NE(esp, nullptr);
                                drag(*esp, 0, 0);
                                drag(*esp, 1, 1);
                                drag(*esp, 2, 2);
                            }}});
    EXPECT_EQ(joined(messageBoxes.texts()), joined({QStringLiteral("Bravo"), QStringLiteral("erreur référencée 23043")}));
    EXPECT_TRUE(done->isFinished());
    EXPECT_EQ(done->exitStatus(), 1);
    EXPECT_EQ(done->currentIndex(), 1);

    const QString trace = traceText();
    EXPECT_TRUE(trace.contains(QStringLiteral("enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing")));
    EXPECT_TRUE(trace.contains(QStringLiteral("Erreur ligne ")));
    EXPECT_FALSE(trace.contains(QStringLiteral("Aucune erreur détectée")));
}

TEST_F(StandAloneTest, TheDialogOpensWithTheSampleSettings)
{
    exerva::frmAutonome dialog(QStringLiteral("/opt/exerva"), folder());
    EXPECT_EQ(dialog.txtAppli()->text(), QStringLiteral("12"));
    EXPECT_EQ(dialog.txtListeQuestions()->text(), QStringLiteral("1;2;3;4;5;6;7"));
    EXPECT_TRUE(dialog.optChoix(0)->isChecked());
    EXPECT_TRUE(dialog.optBaseBis(0)->isChecked());
    EXPECT_TRUE(dialog.optModeInet(0)->isChecked());
    EXPECT_EQ(dialog.txtPath()->text(), QStringLiteral("samples"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_FALSE(testsupport::saveScreenshot(dialog, QStringLiteral("frmAutonome")).isEmpty());
}

TEST(SampleCourseTest, ExerciseFilesAreWindows1252AsTheAuthoringToolWroteThem)
{
    QDirIterator files(samplesDir, {QStringLiteral("*.xml")}, QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (files.hasNext()) {
        const QString file = files.next();
        SCOPED_TRACE(file.toStdString());
        QFile source(file);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QByteArray bytes = source.readAll();
        EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"windows-1252\"?>"));
        const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
        if (!ascii) {
            QStringDecoder utf8(QStringDecoder::Utf8);
            [[maybe_unused]] const QString decoded = utf8(bytes);
            EXPECT_TRUE(utf8.hasError()) << "accented letters are single windows-1252 bytes";
        }
        ++count;
    }
    EXPECT_EQ(count, 9);
}

TEST(SampleCourseTest, ScrambledTextsAreTheFrenchTextsScrambled)
{
    QFile file(samplesDir + QStringLiteral("/12F/X1217.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("<BROUILLE>True</BROUILLE>"));
    const QString texts[] = {QStringLiteral("Quelle touche efface le caractère à gauche du curseur ?"),
                             QStringLiteral("Retour arrière"),
                             QStringLiteral("Suppr"),
                             QStringLiteral("Échap"),
                             QStringLiteral("0"),
                             QStringLiteral("B"),
                             QStringLiteral("C"),
                             QStringLiteral("N")};
    for (const QString& text : texts) {
        const QByteArray scrambled = '>' + kavtest::scramble(text).toLatin1() + '<';
        EXPECT_TRUE(bytes.contains(scrambled)) << text.toStdString() << " " << scrambled.toStdString();
    }
}

}  // namespace

// The question session's start, placement and end over a module played on the
// real exercise engine: CreateManager in each host mode, InitManager and its
// failures, the buttons per module and question, the work-file copies, the
// countdown set-up, the loading window and Destroy.

#include "SessionFixture.h"

#include "lumaro/player/usrTimeBar.h"

#include "lumaro/model/Video.h"
#include "toolkit/uctButton.h"

#include <QLabel>
#include <QUrl>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::SessionTest;

constexpr long ok = basalo::enuFunctionReturnState_General_Traitement_OK;

TEST_F(SessionTest, CreateManagerMakesTheRightWindowTopmostAndPlacesTheQuestionWindow)
{
    struct Case {
        ModeFrmAppelant mode;
        const char* call;
    };
    for (const Case& c :
        {Case {WithoutFrm, "topmost barre"}, Case {WithHandleFrm, "topmost host"}, Case {WithFrm, "topmost host"}}) {
        SCOPED_TRACE(c.mode);
        windows.calls.clear();
        ASSERT_TRUE(create(c.mode));
        EXPECT_EQ(windows.calls, QStringList {c.call});
        EXPECT_EQ(manager->StateEnCours(), ok);
        EXPECT_FALSE(window().isVisible());
        // (1024 - 334) x 0.95 and 768 x 0.2, in pixels.
        EXPECT_EQ(window().pos(), QPoint(656, 154));
        EXPECT_TRUE(window().windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(bool(window().windowFlags() & Qt::WindowStaysOnTopHint), c.mode == WithoutFrm);
        makeManager();
    }
}

TEST_F(SessionTest, CreateManagerWithHandleFrmNeedsTheHostWindow)
{
    EXPECT_FALSE(manager->CreateManager(WithHandleFrm, QStringLiteral("FR")));
    EXPECT_EQ(
        manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_CreateManager_ErreurHandleFrmAppelant);
    EXPECT_EQ(manager->questionWindow(), nullptr);
    EXPECT_EQ(manager->Create(WithHandleFrm, QStringLiteral("FR")), CreateErrorLangue);

    // WithFrm is refused only when the session starts.
    addExervaQuestion(120001, 1);
    EXPECT_TRUE(manager->CreateManager(WithFrm, QStringLiteral("FR")));
    EXPECT_FALSE(manager->InitManager(1));
    EXPECT_EQ(manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurFrmAppelant);
    EXPECT_EQ(manager->InitBarre(1), 0);
}

TEST_F(SessionTest, ASecondCreateManagerClosesTheFirstQuestionWindow)
{
    ASSERT_TRUE(create());
    QPointer<frmClient> first = manager->questionWindow();
    ASSERT_TRUE(create());
    EXPECT_TRUE(first.isNull());
    EXPECT_NE(manager->questionWindow(), nullptr);
}

TEST_F(SessionTest, ButtonTooltipsComeFromTheLanguageFile)
{
    ASSERT_TRUE(create());
    EXPECT_EQ(window().kavbtnAide()->toolTip(), "Aide");
    EXPECT_EQ(window().kavbtnQuitter()->toolTip(), "Quitter");
    EXPECT_EQ(window().kavbtnLecon()->toolTip(), "Voir la leçon");
    EXPECT_EQ(window().kavBtnCorrige()->toolTip(), "Voir le corrigé");
    EXPECT_EQ(window().kavbtnRecom()->toolTip(), "Recommencer");
    // The model's messages now come from the same reader.
    EXPECT_EQ(context.message("FRMbarre_btnaideCaption"), "Aide");

    manager->LNGFilePath(path("absent.lng"));
    ASSERT_TRUE(create());
    EXPECT_EQ(window().kavbtnAide()->toolTip(), "");
}

TEST_F(SessionTest, InitManagerShowsTheFirstQuestionAndHandsTheScreenOverInEachMode)
{
    struct Case {
        ModeFrmAppelant mode;
        QStringList calls;
        bool hostVisible;
    };
    const Case cases[] = {
        {WithoutFrm, {"show barre", "bringToTop app", "bringToTop app"}, true},
        {WithHandleFrm, {"show barre", "bringToTop app", "notopmost host", "bringToTop app"}, true},
        {WithFrm, {"show barre", "bringToTop app", "show barre", "notopmost host", "hide host", "bringToTop app"},
            false},
    };
    addExervaQuestion(120001, 1);
    addExervaQuestion(120002, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        host.show();
        ASSERT_TRUE(create(c.mode));
        windows.calls.clear();
        ASSERT_TRUE(manager->InitManager(1));
        EXPECT_EQ(windows.calls, c.calls);
        EXPECT_TRUE(window().isVisible());
        EXPECT_EQ(host.isVisible(), c.hostVisible);
        EXPECT_EQ(window().Title(), "Question 120001");
        EXPECT_EQ(window().lblNumQuestion()->text(), "1/2");
        EXPECT_EQ(window().RefQuestion(), "Réf. 120001");
        EXPECT_EQ(window().height(), 90);
        EXPECT_EQ(window().background(), "Exerva_Q");
        EXPECT_EQ(window().kavBtnPoursuivre()->y(), 46);
        EXPECT_EQ(window().kavbtnQuitter()->y(), 60);
        EXPECT_EQ(window().kavBtnPoursuivre()->toolTip(), "Vérifier la réponse");
        EXPECT_NE(module->DebutModule().serial(), 0.0);
        appli->Question(120001)->Fermer();
        makeManager();
    }
}

TEST_F(SessionTest, InitManagerFailures)
{
    // No module.
    context.puoModuleEnCours.reset();
    ASSERT_TRUE(create());
    EXPECT_FALSE(manager->InitManager(1));
    EXPECT_EQ(manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurNoModule);
    EXPECT_FALSE(window().isVisible());
    context.puoModuleEnCours = module;

    // An exercise that does not load: the window is hidden and the host given back.
    addExervaQuestion(120001, 9);
    windows.calls.clear();
    EXPECT_FALSE(manager->InitManager(1));
    EXPECT_EQ(
        manager->StateEnCours(), basalo::enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(host.isVisible());
    EXPECT_EQ(
        windows.calls.mid(windows.calls.size() - 3), (QStringList {"notopmost barre", "show host", "notopmost host"}));
}

TEST_F(SessionTest, AnEvaluationThatCannotStartKeepsItsResults)
{
    evaluation(0);
    addExervaQuestion(120001, 1, Bravo);
    addExervaQuestion(120002, 2, ErreurGenerale);
    module->NbQuestReussi(3);
    ASSERT_TRUE(create());
    EXPECT_FALSE(manager->InitManager(1));
    EXPECT_EQ(manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_GereTimeBar_ErreurBadType);
    EXPECT_EQ(module->NbQuestReussi(), 3);
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), Bravo);
    EXPECT_EQ(module->ResultQuestions(2)->TypeAffichage(), ErreurGenerale);
}

TEST_F(SessionTest, TheStartValidatesAndEmptiesTheLastResultAsItAlwaysHas)
{
    addExervaQuestion(120001, 1);
    addExervaQuestion(120002, 2);
    const auto last = module->ResultQuestions(2);
    last->Initialiser();
    last->TypeReponse(Bravo);
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    EXPECT_EQ(last->TypeAffichage(), Bravo);
    EXPECT_FALSE(last->Valide());
    EXPECT_EQ(last->DatePremierAcces().serial(), 0.0);
    EXPECT_EQ(module->NbQuestReussi(), 1);
}

TEST_F(SessionTest, VideoButtonsFollowTheModuleTypeAndTheQuestion)
{
    struct Case {
        ETypeParcoursModule type;
        bool lecon;
        bool corrige;
        bool leconShown;
    };
    const Case cases[] = {
        {TYPEformation, true, true, true},
        {TYPEformation, false, true, false},
        {TYPEformation, true, false, true},
        {TYPEevaluation, true, true, false},
    };
    const auto question = addExervaQuestion(120001, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << c.lecon << c.corrige);
        if (c.type == TYPEevaluation)
            evaluation(1);
        else
            module->TypeModule(c.type);
        question->HasVideoLecon(c.lecon);
        question->HasVideoCorrige(c.corrige);
        ASSERT_TRUE(create());
        ASSERT_TRUE(manager->InitManager(1));
        EXPECT_EQ(window().kavbtnLecon()->isVisible(), c.leconShown);
        // The solution waits until the answer was checked.
        EXPECT_FALSE(window().kavBtnCorrige()->isVisible());
        for (auto* button :
            {window().kavbtnAide(), window().kavbtnQuitter(), window().kavbtnRecom(), window().kavBtnPoursuivre()})
            EXPECT_TRUE(button->isVisible());
        EXPECT_EQ(window().kavBtnPoursuivre()->toolTip(),
            c.type == TYPEevaluation ? "Question suivante" : "Vérifier la réponse");
        question->Fermer();
        makeManager();
    }
}

TEST_F(SessionTest, AnInteractiveComponentsQuestionShowsItsPageInTheTallLayout)
{
    const auto component = registerFake();
    writeFile("html/Q1.htm", "<html><body>Question</body></html>");
    writeFile("htmlbis/Q1.htm", "<html><body>Bis</body></html>");
    appli->PathHTML(dir() + "html/");
    appli->PathHTMLBis(dir() + "htmlbis/");
    const auto question = addQuestion(120001, 1, 2, "Tableur");
    question->HtmlQuestion("Q1.htm");
    module->TypeModule(TYPEformation);
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    EXPECT_TRUE(window().WebBrowser()->isVisible());
    EXPECT_EQ(window().WebBrowser()->url(), QUrl::fromLocalFile(dir() + "html/Q1.htm"));
    EXPECT_EQ(window().height(), 244);
    EXPECT_EQ(window().background(), "Interactif_Q");
    EXPECT_EQ(window().kavBtnPoursuivre()->y(), 200);
    EXPECT_EQ(window().kavbtnAide()->y(), 214);
    EXPECT_EQ(window().lblRefQuestion()->y(), 232);
    EXPECT_EQ(window().lblNumQuestion()->y(), 205);
    EXPECT_EQ(window().lblRepOk()->y(), 198);
    EXPECT_FALSE(window().WebBrowserReponse()->isVisible());
    // The taught application's window is the component's: it gets the foreground.
    EXPECT_EQ(appli->HandleApplicationInteractive(), 77);
    EXPECT_TRUE(windows.calls.contains("bringToTop app"));
    EXPECT_EQ(component->calls.value(0).left(1), "5");
}

TEST_F(SessionTest, AnInteractiveQuestionPageOutsideTheApplicationsFolderIsRefused)
{
    registerFake();
    appli->PathHTML(dir() + "html/");
    addQuestion(120001, 1, 2, "Tableur")->HtmlQuestion("../../etc/passwd");
    ASSERT_TRUE(create());
    EXPECT_FALSE(manager->InitManager(1));
    EXPECT_EQ(
        manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_piGereAffichageQuestion_ErreurInconnue);
    EXPECT_EQ(manager->LastErrorNumber(), platform::BadFileName);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(window().WebBrowser()->url().isEmpty());
}

TEST_F(SessionTest, PassedCountShowsOnlyWhenTheModuleAsksForIt)
{
    evaluation(1);
    lumaro::tGlobPropModEval props = module->GlobPropModEval();
    props.bGPEVisuNote = true;
    module->GlobPropModEval(props);
    addExervaQuestion(120001, 1);
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    EXPECT_EQ(window().lblRepOk()->text(), "Réussies : 0");
    EXPECT_FALSE(window().timeBar()->isVisible());
}

class WorkFileTest : public SessionTest {
protected:
    void SetUp() override
    {
        writeFile("files/data.xls", "new data");
        writeFile("files/notes.txt", "notes");
        writeFile("filesbis/data.xls", "bis data");
    }
    QString learner(const QString& name) const { return dir() + "learner/sub/" + name; }
};

TEST_F(WorkFileTest, PlainWorkFilesAreCopiedIntoTheLearnersFolderReplacingOldCopies)
{
    const auto question = addExervaQuestion(120001, 1);
    question->FichierAssocieAddNew("data.xls");
    question->FichierAssocieAddNew("NOTES.TXT");
    writeFile("learner/sub/data.xls", "old data");
    manager->PersonalFolder(dir() + "learner/sub/");
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    EXPECT_EQ(readFile("learner/sub/data.xls"), "new data");
    EXPECT_EQ(readFile("learner/sub/NOTES.TXT"), "notes");
}

TEST_F(WorkFileTest, AQuestionWithoutFilesStillMakesTheFolder)
{
    addExervaQuestion(120001, 1);
    manager->PersonalFolder(dir() + "learner/sub/");
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    EXPECT_TRUE(QDir(dir() + "learner/sub").exists());
}

TEST_F(WorkFileTest, AQuestionWithoutFilesNeedsNoLearnersFolder)
{
    addExervaQuestion(120001, 1);
    manager->PersonalFolder(QString());
    ASSERT_TRUE(create());
    EXPECT_TRUE(manager->InitManager(1));
    EXPECT_EQ(manager->StateEnCours(), ok);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(WorkFileTest, FilesInASubFolderOfTheApplicationsFolderGoToTheSameSubFolder)
{
    writeFile("files/modeles/lettre.doc", "modèle");
    writeFile("files/Images/Logo.png", "logo");
    const auto question = addExervaQuestion(120001, 1);
    question->FichierAssocieAddNew("modeles/lettre.doc");
    question->FichierAssocieAddNew("images\\logo.png");
    manager->PersonalFolder(dir() + "learner/sub/");
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    EXPECT_EQ(readFile("learner/sub/modeles/lettre.doc"), "modèle");
    EXPECT_EQ(readFile("learner/sub/images/logo.png"), "logo");
}

TEST_F(WorkFileTest, NamesThatLeaveTheFolderAnEmptyFolderAndFailedCopiesAreRefused)
{
    struct Case {
        const char* personal;
        const char* file;
    };
    const Case cases[] = {
        {"learner/sub/", "../data.xls"},
        {"learner/sub/", "sub/../../data.xls"},
        {"learner/sub/", "..\\data.xls"},
        {"learner/sub/", "/etc/passwd"},
        {"learner/sub/", "C:\\data.xls"},
        {"learner/sub/", ".."},
        {"learner/sub/", "modeles/"},
        {"learner/sub/", "absent.xls"},
        {"", "data.xls"},
    };
    context.pathParent(dir());
    context.levelTracelage(1);
    writeFile("learner/sub/absent.xls", "kept whole");
    long index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ++index;
        addExervaQuestion(120010 + index, 1)->FichierAssocieAddNew(c.file);
        manager->PersonalFolder(*c.personal ? dir() + c.personal : QString());
        ASSERT_TRUE(create());
        EXPECT_FALSE(manager->InitManager(index));
        EXPECT_EQ(
            manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_GereCopiesLocales_ErreurInconnue);
        EXPECT_NE(manager->LastErrorNumber(), 0);
        EXPECT_FALSE(window().isVisible());
        EXPECT_FALSE(QFile::exists(dir() + "data.xls"));
        EXPECT_FALSE(QFile::exists(dir() + "learner/data.xls"));
        if (*c.personal && QString(c.file) != "absent.xls") {
            EXPECT_TRUE(QString::fromUtf8(readFile("Lumaro.htm")).contains(" 52 : " + QString(c.file)));
        }
    }
    EXPECT_EQ(readFile("learner/sub/absent.xls"), "kept whole");
}

TEST_F(WorkFileTest, BisQuestionsTakeTheirFilesFromTheBisFolder)
{
    const auto question = addExervaQuestion(12001, 1);
    question->FichierAssocieAddNew("data.xls");
    manager->PersonalFolder(dir() + "learner/sub/");
    ASSERT_TRUE(create());
    manager->InitManager(1);
    EXPECT_EQ(readFile("learner/sub/data.xls"), "bis data");
}

TEST_F(SessionTest, DurationTextsAreHoursAndMinutes)
{
    struct Case {
        const char* text;
        long seconds;
    };
    const Case cases[] = {{"1:30", 5400}, {"0:05", 300}, {"12:00", 43200}, {"0:45", 2700}, {"45", -1}, {"a:10", -1},
        {"1:", -1}, {"", -1}, {"99999999:00", -1}};
    context.pathParent(dir());
    context.levelTracelage(1);
    evaluation(3);
    long index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ++index;
        const auto question = addExervaQuestion(120010 + index, 1);
        question->DureePrevue(c.text);
        ASSERT_TRUE(create());
        EXPECT_EQ(manager->InitManager(index), c.seconds >= 0);
        if (c.seconds >= 0) {
            EXPECT_TRUE(trace().contains(QStringLiteral("iolReturnValue = %1").arg(c.seconds)));
            EXPECT_TRUE(window().timeBar()->isCounting());
            question->Fermer();
        } else {
            EXPECT_EQ(
                manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_piConvertTime_ErreurInconnue);
        }
        makeManager();
    }
}

TEST_F(SessionTest, TheModuleCountdownIsSetAtTheFirstQuestionStartedWhicheverItIs)
{
    evaluation(2, "0:10");
    addExervaQuestion(120001, 1);
    addExervaQuestion(120002, 2);
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(2));
    usrTimeBar& bar = *window().timeBar();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(bar.isCounting());
    clock.advanceSeconds(300);
    EXPECT_EQ(bar.barHeight(), 11);

    // Starting the question again goes on with the module's countdown.
    window().kavbtnRecom()->click();
    EXPECT_TRUE(bar.isCounting());
    EXPECT_EQ(bar.barHeight(), 11);
}

TEST_F(SessionTest, AQuestionCountdownStartsOverWithEachStart)
{
    evaluation(3);
    addExervaQuestion(120001, 1)->DureePrevue("0:10");
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    clock.advanceSeconds(300);
    EXPECT_EQ(window().timeBar()->barHeight(), 11);
    window().kavbtnRecom()->click();
    EXPECT_EQ(window().timeBar()->barHeight(), 0);
    EXPECT_TRUE(window().timeBar()->isCounting());
}

TEST_F(SessionTest, TheLoadingWindowLivesBetweenPrepareAndTerminate)
{
    ASSERT_TRUE(create());
    manager->PrepareFrmLoading("E");
    manager->SetMessageLoading("Chargement du module");
    manager->SetPourcentLoading(40);
    ASSERT_NE(manager->loadingWindow().window(), nullptr);
    EXPECT_TRUE(manager->loadingWindow().window()->isVisible());
    EXPECT_EQ(manager->loadingWindow().window()->message(), "Chargement du module");
    manager->TerminateFrmLoading();
    EXPECT_EQ(manager->loadingWindow().window(), nullptr);
    manager->SetMessageLoading("sans fenêtre");
    manager->PrepareFrmLoading("F");
    EXPECT_EQ(manager->loadingWindow().window()->message(), "");
}

TEST_F(SessionTest, DestroyReleasesTheWindowAndTheLanguageReaderOnce)
{
    ASSERT_TRUE(create());
    QPointer<frmClient> shown = manager->questionWindow();
    manager->Destroy();
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(context.langue, nullptr);
    manager->Destroy();
    EXPECT_EQ(manager->questionWindow(), nullptr);
}

TEST_F(SessionTest, ErrorValuesAreReadOnce)
{
    context.puoModuleEnCours.reset();
    EXPECT_FALSE(manager->InitManager(1));
    EXPECT_EQ(manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurNoModule);
    EXPECT_EQ(manager->StateEnCours(), ok);
    EXPECT_FALSE(manager->LastError().isValid());
    EXPECT_EQ(manager->InitExo(), 0);
    EXPECT_FALSE(manager->InitExoManager());
}

} // namespace

// The module session's Init against the sample course server: the course
// model it builds for a training and an evaluation module, the loading
// window, and what each loader's failure leaves.

#include "NetrovaFixture.h"

#include "netrova/clsInetUPL.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/model/Video.h"
#include "lumaro/player/frmLoading.h"
#include "platform/RecordingWindowSystem.h"
#include "platform/RuntimeError.h"
#include "support/Screenshot.h"

#include <QLabel>
#include <QTimer>

#include <ostream>

namespace {

using namespace basalo;
using netrova::clsBarreManager;

class CourseLoadingTest : public netrovatest::NetrovaTest {
protected:
    void SetUp() override
    {
        NetrovaTest::SetUp();
        QDir().mkpath(path(QStringLiteral("data")));
        ASSERT_TRUE(QFile::copy(path(QStringLiteral("server/WS/pluginlng/default.lng")),
                                path(QStringLiteral("data/kavplugin.lng"))));
        context_.requestTimeout = requestTimeout();
        context_.documentsFolder = path(QStringLiteral("home/Documents"));
        manager_->LevelTracelage(1);
        ASSERT_TRUE(manager_->Create(netrova::ModeDeBase, QStringLiteral("FR")));
        session_ = manager_->BarreManager();
        context_.pusURLBaseServer = base();
        context_.pusURLBaseDownloadFiles = base();
        describeSession(QStringLiteral("1"), QStringLiteral("F"));
    }

    // How long a request may wait: long enough for a loaded machine (the
    // sanitizer build); short where the server holds a page on purpose.
    virtual std::chrono::milliseconds requestTimeout() const { return std::chrono::seconds(30); }

    // The values the start-up would have set for session 1 (training) or 2 (evaluation).
    void describeSession(const QString& sessionId, const QString& typeFormEval)
    {
        context_.pusPkCookie = sessionId;
        session_->IdAppli(12);
        session_->NomAppli(QStringLiteral("Traitement de texte"));
        session_->VersionAppli(QStringLiteral("2.4"));
        session_->TypeFormEval(typeFormEval);
        session_->NomModule(QStringLiteral("Module ") + sessionId);
        session_->DureePrevueModule(QStringLiteral("0000:20"));
        session_->HasCorrige(true);
        session_->HasLecon(true);
        session_->ModeMediaInet(true);
        session_->URLMediaAppli(base() + QStringLiteral("Media"));
        session_->ExtensionFichierVideo(QStringLiteral("mp4"));
        session_->TypeChrono(1);
        session_->VisuNote(true);
        session_->AutoMediaPoint(1);
        session_->PathRorovaAppli(QStringLiteral("rorova"));
    }

    std::shared_ptr<lumaro::Appli> appli() const
    {
        return session_->pioKavParc ? session_->pioKavParc->Appli(12) : nullptr;
    }
    std::shared_ptr<lumaro::Module> module() const
    {
        return session_->pioKavParc ? session_->pioKavParc->ModuleEnCours() : nullptr;
    }
    std::vector<long> questionOrder() const
    {
        std::vector<long> ids;
        for (long i = 1; i <= module()->NbQuest(); ++i)
            ids.push_back(module()->ResultQuestions(i)->Question()->IdQuestion());
        return ids;
    }
    std::size_t requestCount(const std::string& page) const { return server_->requestsFor(page).size(); }

    clsBarreManager* session_ = nullptr;
};

TEST_F(CourseLoadingTest, TrainingModuleBecomesAReadyCourseModel)
{
    // Questions with associated files (the sample's run without any).
    writeFile(QStringLiteral("server/WS/InfoQuestion/1211.txt"),
              QStringLiteral("#KAV_OK#|X1211.xml|501¤A¤Oui : copier garde le texte, coller le reproduit.^"
                             "502¤B¤Non : couper retire le texte de sa place.")
                  .toUtf8());
    writeFile(QStringLiteral("server/WS/InfoQuestion/1213.txt"),
              QStringLiteral("#KAV_OK#|X1213.xml^film6.html|531¤A¤Bonne réponse.^532¤B¤Relisez le menu Édition.")
                  .toUtf8());
    // What the loading window shows at each step of the download.
    std::vector<long> shown;
    QObject::connect(manager_->InetUrl(), &netrova::clsInetUPL::DownloadProgressChange, [&](long, long) {
        auto* window = session_->LoadingWindow().window();
        if (!window)
            return;
        const QString text = window->findChild<QLabel*>(QStringLiteral("lblPourcent"))->text();
        if (text.isEmpty())
            return;
        shown.push_back(text.chopped(1).toLong());
        if (shown.back() == 100 && shown.size() > 3)
            testsupport::saveScreenshot(*window, QStringLiteral("netrova_loading_window"));
    });

    ASSERT_TRUE(session_->Init()) << context_.pulStateEnCours << " " << context_.pusErrorDescription.toStdString();
    EXPECT_EQ(context_.pulStateEnCours, 1);
    EXPECT_EQ(session_->LoadingWindow().window(), nullptr);
    EXPECT_FALSE(session_->LoadingAffiche());
    // Each page's download rises to 100; the bar never shows more.
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), 100);
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](long p) { return p >= 1 && p <= 100; }));

    const auto model = module();
    ASSERT_TRUE(model);
    EXPECT_EQ(model->TypeModule(), lumaro::TYPEformation);
    EXPECT_EQ(model->DureePrevue(), QString());
    EXPECT_EQ(model->Nom(), QStringLiteral("Module 1"));
    EXPECT_EQ(model->Appli(), appli());
    EXPECT_EQ(questionOrder(), (std::vector<long>{1211, 1212, 1213}));
    EXPECT_EQ(session_->NbQuestionDuModule(), 3);
    EXPECT_EQ(model->NbQuestBase(), 3);
    EXPECT_EQ(model->ResultQuestions(2)->TypeReponse(), lumaro::PasDeResultat);
    EXPECT_EQ((model->GlobPropModEval()), (lumaro::tGlobPropModEval{1, true, false}));

    const auto q1211 = appli()->Question(1211);
    EXPECT_EQ(q1211->Dll()->Nom(), QStringLiteral("EXERVA"));
    EXPECT_EQ(q1211->BaseBis(), lumaro::QuestionBase);
    EXPECT_EQ(q1211->Instance(), 1);
    EXPECT_EQ(q1211->Intitule(), QStringLiteral("Copier, coller, couper"));
    EXPECT_TRUE(q1211->HasVideoLecon());
    EXPECT_EQ(q1211->FichierAssocie(1), QStringLiteral("X1211.xml"));
    EXPECT_EQ(q1211->GetReponse(QStringLiteral("B"))->IdReponse(), 502);
    EXPECT_EQ(q1211->GetReponse(QStringLiteral("A"))->MessageEcran(),
              QStringLiteral("Oui : copier garde le texte, coller le reproduit."));
    EXPECT_EQ(appli()->Question(1213)->NbFichiersAssocie(), 2);
    EXPECT_EQ(appli()->Dll(1)->GetReponse(QStringLiteral("B"))->Message(), QStringLiteral("Relisez la consigne."));
    // Three questions on one component: its page is asked for once.
    EXPECT_EQ(requestCount("InfoDll.aspx"), 1u);

    // The sample's lesson shows in the media window, its solution in the video player.
    const auto lesson = appli()->VideoByType(1211, QStringLiteral("Y"));
    ASSERT_TRUE(lesson);
    EXPECT_EQ(lesson->IdVideo(), 31);
    EXPECT_EQ(lesson->FichierVideo(), QStringLiteral("lecon12"));
    EXPECT_EQ(lesson->DureeVideo(), QStringLiteral("00:03:20"));
    EXPECT_EQ(lesson->TempsSeq(), (QStringList{QStringLiteral("00:00:00-00:03:20"), QStringLiteral("02:00:00-02:00:00"),
                                            QStringLiteral("03:00:00-03:00:00")}));
    EXPECT_EQ(lesson->IdSeq(1), 312);
    EXPECT_TRUE(lesson->HtmSeq().value(2).contains(QStringLiteral("FileName=\"raccourcis\"")));
    EXPECT_FALSE(lesson->PasSansSon());
    EXPECT_EQ(appli()->Corrige(1211)->NbSeq(), 2);
    EXPECT_TRUE(appli()->Corrige(1213)->PasSansSon());
    EXPECT_EQ(appli()->Corrige(1213)->NbSeq(), 0);
    // That question's videos come in windows-1252: the separators and texts come through.
    ASSERT_TRUE(appli()->Lecon(1212));
    EXPECT_TRUE(appli()->Lecon(1212)->HtmSeq().value(0).contains(QStringLiteral("Les raccourcis évitent")));

    EXPECT_EQ(appli()->URLVideo(), base() + QStringLiteral("Media/"));
    EXPECT_EQ(appli()->URLLivre(), base() + QStringLiteral("Download/12F/Pdf/"));
    EXPECT_EQ(appli()->Logiciel(), QStringLiteral("Traitement de texte"));
    EXPECT_EQ(appli()->Version(), QStringLiteral("2.4"));
    EXPECT_EQ(session_->PathRorovaAppli(), QStringLiteral("rorova/"));

    const auto& settings = session_->PlayerSettings();
    EXPECT_EQ(settings.AutoMediaPoint, 1);
    EXPECT_EQ(settings.ModeMediaInet, true);
    EXPECT_EQ(settings.ExtensionVideo, QStringLiteral("mp4"));
    EXPECT_EQ(settings.URLServerHelpFile, base() + QStringLiteral("WS/pluginhelp.aspx?sessionid=1"));
}

TEST_F(CourseLoadingTest, EvaluationModuleLoadsNoVideo)
{
    describeSession(QStringLiteral("2"), QStringLiteral("e"));
    ASSERT_TRUE(session_->Init()) << context_.pulStateEnCours << " " << context_.pusErrorDescription.toStdString();
    EXPECT_EQ(module()->TypeModule(), lumaro::TYPEevaluation);
    EXPECT_EQ(module()->DureePrevue(), QStringLiteral("0000:20"));
    EXPECT_EQ(questionOrder(), (std::vector<long>{1214, 1215, 1221}));
    EXPECT_EQ(module()->ResultQuestions(3)->TypeAffichage(), lumaro::PasDeResultat);
    EXPECT_EQ(appli()->Question(1221)->BaseBis(), lumaro::QuestionBis);
    EXPECT_EQ(appli()->Question(1214)->BaseBis(), lumaro::QuestionBase);
    EXPECT_TRUE(appli()->Dll(2)->Bis());
    EXPECT_EQ(requestCount("InfoVideo.aspx"), 0u);
    EXPECT_FALSE(session_->PlayerSettings().ModeMediaInet);
    EXPECT_FALSE(session_->PlayerSettings().ExtensionVideo);
}

TEST_F(CourseLoadingTest, SecondInitStartsFromAFreshModel)
{
    ASSERT_TRUE(session_->Init());
    const auto first = session_->pioKavParc;
    const auto firstModule = module();
    describeSession(QStringLiteral("2"), QStringLiteral("E"));
    ASSERT_TRUE(session_->Init());
    EXPECT_NE(session_->pioKavParc, first);
    EXPECT_NE(module(), firstModule);
    EXPECT_EQ(firstModule->NbQuest(), 0) << "the earlier module was closed";
    EXPECT_EQ(questionOrder(), (std::vector<long>{1214, 1215, 1221}));
    EXPECT_FALSE(appli()->Question(1211)) << "nothing of the earlier model is left";
}

TEST_F(CourseLoadingTest, QuestionListedTwiceKeepsItsFirstDataAndOneResult)
{
    writeFile(QStringLiteral("server/WS/InfoQuestDuModule/default.txt"),
              "#KAV_OK#|1211^1^0000:02^^^1^Premier^0|1212^1^0000:02^^^2^x^0|1211^1^0000:09^^^7^Second^3");
    ASSERT_TRUE(session_->Init());
    EXPECT_EQ(questionOrder(), (std::vector<long>{1211, 1212}));
    EXPECT_EQ(appli()->Question(1211)->Intitule(), QStringLiteral("Premier"));
    EXPECT_EQ(module()->ResultQuestions(1)->TypeAffichage(), lumaro::BravoNuance);
    EXPECT_EQ(requestCount("InfoQuestion.aspx"), 2u);
}

TEST_F(CourseLoadingTest, TrackingFollowsInit)
{
    context_.pulLevelSuivi = 1;
    ASSERT_TRUE(session_->Init());
    EXPECT_EQ(trackedCodes(), (std::vector<long>{netrova::DebutInit, netrova::FinInit}));
}

// One failing exchange: the page's reply as the server gives it, and what Init leaves.
struct FailureCase {
    const char* name;
    const char* file;   // the reply file replaced, "" for none
    const char* reply;  // its new content (UTF-8)
    const char* fault;  // a server fault, "" for none
    long state;
    long number;
    const char* trace;  // a fragment of the trace
    long tracked;       // the tracking code of the end of Init

    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class InitFailureTest : public CourseLoadingTest, public ::testing::WithParamInterface<FailureCase> {
protected:
    std::chrono::milliseconds requestTimeout() const override
    {
        return QByteArray(GetParam().fault).startsWith("slow:") ? std::chrono::milliseconds(400)
                                                                 : CourseLoadingTest::requestTimeout();
    }
};

TEST_P(InitFailureTest, GivesTheLoadersCodeAndKeepsNoHalfModel)
{
    const FailureCase& c = GetParam();
    const QString file = QString::fromUtf8(c.file);
    QByteArray original;
    if (!file.isEmpty()) {
        original = readFile(QStringLiteral("server/WS/") + file);
        writeFile(QStringLiteral("server/WS/") + file, QByteArray(c.reply));
    }
    if (*c.fault)
        addFault(c.fault);
    context_.pulLevelSuivi = 1;
    EXPECT_FALSE(session_->Init());
    EXPECT_EQ(context_.pulStateEnCours, c.state);
    EXPECT_EQ(context_.pulErrorNumber, c.number);
    EXPECT_TRUE(traceText().contains(QString::fromUtf8(c.trace))) << c.trace;
    EXPECT_EQ(session_->pioKavParc, nullptr);
    EXPECT_EQ(session_->LoadingWindow().window(), nullptr);
    EXPECT_FALSE(session_->LoadingAffiche());
    if (c.tracked) {
        EXPECT_EQ(trackedCodes(), (std::vector<long>{netrova::DebutInit, c.tracked}));
    }

    // Once the server answers well again, the same session loads the module.
    server_->clearFaults();
    if (!file.isEmpty())
        writeFile(QStringLiteral("server/WS/") + file, original);
    context_.pulLevelSuivi = 0;
    ASSERT_TRUE(session_->Init()) << context_.pulStateEnCours;
    EXPECT_EQ(questionOrder(), (std::vector<long>{1211, 1212, 1213}));
}

constexpr long ModuleError = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneQuestionDuModule_Erreur;
constexpr long QuestionError = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_Erreur;
constexpr long VideoError = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideo_Erreur;
constexpr long TimeOut = enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurTimeOut;

INSTANTIATE_TEST_SUITE_P(
    Exchanges, InitFailureTest,
    ::testing::Values(
        FailureCase{"EmptyModuleReply", "", "", "empty:InfoQuestDuModule", ModuleError, platform::SubscriptOutOfRange,
                    " 9 : ", netrova::FinInitErrorModule},
        FailureCase{"ServerError", "", "", "kaverreur:InfoQuestDuModule", 500, 1001,
                    "500 ; 1001 : Erreur simulée par le serveur de cours", netrova::FinInitErrorModule},
        FailureCase{"ShortErrorReply", "InfoQuestDuModule/default.txt", "#KAV_ERREUR#|21100|7", "", ModuleError,
                    platform::SubscriptOutOfRange, "lMax = 2", netrova::FinInitErrorModule},
        FailureCase{"UnrecognisedMarker", "InfoQuestDuModule/default.txt", "#kav_ok#|1211^1^a^^^1^x^0", "",
                    enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneQuestionDuModule_ErreurServeur, 0,
                    " 21046", netrova::FinInitErrorModule},
        FailureCase{"ShortQuestionRecord", "InfoQuestDuModule/default.txt", "#KAV_OK#|1211^1^0000:02", "",
                    ModuleError, platform::SubscriptOutOfRange, "lMax = 1", netrova::FinInitErrorModule},
        FailureCase{"IdentifierNotANumber", "InfoQuestDuModule/default.txt", "#KAV_OK#|12a1^1^0000:02^^^1^x^0", "",
                    ModuleError, platform::TypeMismatch, " 13 : ", netrova::FinInitErrorModule},
        FailureCase{"QuestionReplyWithoutItsElements", "InfoQuestion/1211.txt", "#KAV_OK#", "", QuestionError,
                    platform::SubscriptOutOfRange, "piRenseigneInfoQuestion retourne false",
                    netrova::FinInitErrorModule},
        FailureCase{"SameAnswerLetterTwice", "InfoQuestion/1211.txt", "#KAV_OK#||1\xC2\xA4" "A\xC2\xA4x^2\xC2\xA4" "A\xC2\xA4y",
                    "", enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_ErreurAddReponse, 0,
                    ".AddReponse(A) retourne False", netrova::FinInitErrorModule},
        FailureCase{"ComponentPageIsNoReply", "InfoDll/1.txt", "<html><body>Erreur</body></html>", "",
                    enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneDll_ErreurServeur, 0,
                    "piRenseigneDll retourne false", netrova::FinInitErrorModule},
        FailureCase{"SameGeneralAnswerTwice", "InfoDll/1.txt", "#KAV_OK#|EXERVA||A^1^x|A^2^y", "",
                    enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneDll_ErreurAddReponse, 0,
                    ".AddReponse(A) retourne False", netrova::FinInitErrorModule},
        FailureCase{"QuestionWithoutVideo", "InfoVideo/1212.txt", "#KAV_OK#", "",
                    enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideo_NbVideoZero, 0,
                    "piRenseigneVideo(1212) retourne false", netrova::FinInitErrorVideo},
        FailureCase{"SequenceWithoutItsIdentifier", "InfoVideo/1211.txt",
                    "#KAV_OK#|31^L1211^01:30:00^L|00:00:00-00:40:00\xC2\xA4<VIDEO/>", "", VideoError,
                    platform::SubscriptOutOfRange, " 9 : ", netrova::FinInitErrorVideo},
        FailureCase{"VideoPageSlowerThanTheTimeOut", "", "", "slow:InfoVideo", TimeOut, 0, "piRenseigneVideo(1211)",
                    netrova::FinInitErrorVideo}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CourseLoadingTest, StoppedServerFailsWithTheTransportsCode)
{
    server_->stop();
    EXPECT_FALSE(session_->Init());
    EXPECT_EQ(context_.pulStateEnCours, enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_Erreur);
    EXPECT_EQ(session_->pioKavParc, nullptr);
    EXPECT_EQ(session_->LoadingWindow().window(), nullptr);
}

class HeldPageTest : public CourseLoadingTest {
protected:
    std::chrono::milliseconds requestTimeout() const override { return std::chrono::milliseconds(400); }
};

TEST_F(HeldPageTest, PageEndingThePlugInWhileInitWaitsIsSafe)
{
    addFault("slow:InfoVideo");
    bool ended = false;
    QTimer::singleShot(50, [&] {
        manager_->Destroy();
        ended = true;
    });
    EXPECT_FALSE(session_->Init());
    EXPECT_TRUE(ended);
    EXPECT_EQ(manager_->BarreManager(), nullptr);
    session_ = nullptr;
}

TEST_F(CourseLoadingTest, VideoFromTheIndexReplacesWhatAnEarlierLaunchLoaded)
{
    ASSERT_TRUE(session_->Init());
    for (int launch = 0; launch < 25; ++launch) {
        long question = 0;
        QString type;
        ASSERT_TRUE(session_->piRenseigneVideoFromIndex(31, question, type)) << launch;
        EXPECT_EQ(question, 1211);
        EXPECT_EQ(type, QStringLiteral("Y"));
    }
    EXPECT_EQ(appli()->VideoByType(1211, QStringLiteral("Y"))->NbSeq(), 3);

    // A video of a question the model does not hold yet goes in too.
    writeFile(QStringLiteral("server/WS/InfoVideoFromIndex/40.txt"),
              "#KAV_OK#|40^C1299^00:20:00^C^1299|NO_SEQ");
    long question = 0;
    QString type;
    ASSERT_TRUE(session_->piRenseigneVideoFromIndex(40, question, type));
    EXPECT_TRUE(appli()->Corrige(1299)->PasSansSon());

    // A record it cannot read leaves its own code, never the caller's 1, and the video as it was.
    writeFile(QStringLiteral("server/WS/InfoVideoFromIndex/31.txt"), "#KAV_OK#|31^L1211^01:30:00^Y^1211|00:05");
    context_.pulStateEnCours = 1;
    EXPECT_FALSE(session_->piRenseigneVideoFromIndex(31, question, type));
    EXPECT_EQ(context_.pulStateEnCours,
              enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideoFromIndex_ErreurServeur);
    EXPECT_EQ(question, 1211) << "the record's question is given before the sequences are read";
    EXPECT_EQ(appli()->VideoByType(1211, QStringLiteral("Y"))->NbSeq(), 3);
}

TEST_F(CourseLoadingTest, ApplicationRootsFollowTheMediaMode)
{
    struct Case {
        const char* name;
        bool web;
        long typeDownload;
        QString video, book;
    };
    const QString folder = path(QStringLiteral("media"));
    const Case cases[] = {
        {"Path", false, 0, folder + u'/', QString()},
        {"Server", true, 0, base() + QStringLiteral("Media/"), base() + QStringLiteral("Download/12F/Pdf/")},
        {"Folder", true, 1, base() + QStringLiteral("Media/"), QStringLiteral("/srv/rorova/12F/Pdf/")},
        {"Address", true, 2, base() + QStringLiteral("Media/"), QStringLiteral("http://livres/12F/Pdf/")},
        {"Other", true, 4, base() + QStringLiteral("Media/"), QString()},
    };
    for (const Case& c : cases) {
        session_->pioKavParc = std::make_shared<lumaro::ContexteManager>(context_.lumaroContext);
        ASSERT_TRUE(session_->pioKavParc->CreateManager(lumaro::TypeSimplifie, platform::OleDate(45000.0)));
        session_->ModeMediaInet(c.web);
        session_->PathMediaAppli(folder);
        session_->TypeDownload(c.typeDownload);
        session_->PathDownloadRorova(QStringLiteral("/srv/rorova"));
        session_->URLDownloadRorova(QStringLiteral("http://livres"));
        ASSERT_TRUE(session_->piRenseigneAppli()) << c.name;
        EXPECT_EQ(c.web ? appli()->URLVideo() : appli()->PathVideo(), c.video) << c.name;
        EXPECT_EQ(appli()->URLLivre(), c.book) << c.name;
    }
    // No CD-ROM drive: the language's message and the CD-ROM code.
    session_->MediaOnCDRom(true);
    EXPECT_FALSE(session_->piRenseigneAppli());
    EXPECT_EQ(context_.pulStateEnCours, enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneAppli_ErreurCDRom);
    EXPECT_EQ(context_.pusErrorDescription, QStringLiteral("Aucun lecteur de CD-ROM n'a été trouvé."));
    EXPECT_FALSE(session_->ModeMediaInet());
}

TEST_F(CourseLoadingTest, LearnerFolderStaysUnderTheHomeFolder)
{
    struct Case {
        const char* name;
        QString given, folder;
    };
    const QString home = path(QStringLiteral("home"));
    const Case cases[] = {
        {"Empty", QString(), home + QStringLiteral("/Documents/Mes exercices/")},
        {"Relative", QStringLiteral("Formation\\Netrova"), home + QStringLiteral("/Formation/Netrova/Mes exercices/")},
        {"EndsWithTheProduct", QStringLiteral("cours/Mes exercices"), home + QStringLiteral("/cours/Mes exercices/")},
        // Holding the product's name is not ending with it.
        {"HoldsTheProduct", QStringLiteral("Mes exercices/2024"), home + QStringLiteral("/Mes exercices/2024/Mes exercices/")},
        {"LeavesTheHome", QStringLiteral("../../etc"), home + QStringLiteral("/Documents/Mes exercices/")},
        {"AbsoluteElsewhere", QStringLiteral("/tmp/ailleurs"), home + QStringLiteral("/Documents/Mes exercices/")},
    };
    for (const Case& c : cases) {
        session_->PersonalFolder(c.given);
        ASSERT_TRUE(session_->piInitPersonalFolder()) << c.name;
        EXPECT_EQ(session_->PersonalFolder(), c.folder) << c.name;
        EXPECT_TRUE(QDir(c.folder).exists()) << c.name;
    }
    // Without a documents folder the learner has nowhere to work: no drive root instead.
    context_.documentsFolder.clear();
    session_->PersonalFolder(QString());
    EXPECT_FALSE(session_->piInitPersonalFolder());
    EXPECT_EQ(session_->PersonalFolder(), QString());
    // A folder that cannot be made is a failure, not a folder.
    writeFile(QStringLiteral("home/fichier"), "x");
    session_->PersonalFolder(QStringLiteral("fichier/dessous"));
    EXPECT_FALSE(session_->piInitPersonalFolder());
    EXPECT_EQ(context_.pulErrorNumber, platform::FileNotFound);
}

TEST_F(CourseLoadingTest, WindowSearchFindsOurWindowsByTitle)
{
    auto windows = std::make_shared<platform::RecordingWindowSystem>();
    const auto host = windows->addWindow(QStringLiteral("Formation en ligne - Navigateur"));
    windows->addWindow(QStringLiteral("Lecteur"));
    const auto second = windows->addWindow(QStringLiteral("FORMATION EN LIGNE (2)"));
    windows->addWindow(QString());
    std::vector<long> found;
    context_.windows = nullptr;
    EXPECT_EQ(session_->piFindWindowLike(found, 0, QStringLiteral("formation en ligne"), QString()), 0)
        << "no window system, nothing found";
    context_.windows = windows;
    EXPECT_EQ(session_->piFindWindowLike(found, 0, QStringLiteral("formation en ligne"), QStringLiteral("x")), 2);
    EXPECT_EQ(found, (std::vector<long>{host, second}));
    EXPECT_EQ(session_->piFindWindowLike(found, 0, QStringLiteral("absente"), QString()), 0);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(session_->piFindWindowLike(found, host, QStringLiteral("Lecteur"), QString()), 0)
        << "our windows have no child windows";
}

}  // namespace

// The plug-in's one-call start against the sample course server: the start-up
// record spread over the session, the language file refreshed or kept.

#include "NetrovaFixture.h"

#include "basalo/enuFunctionReturnState.h"

#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

using netrova::clsBarreManager;
using netrovatest::NetrovaTest;

// The start-up ends with the module's first question on screen.
constexpr long Started = basalo::enuFunctionReturnState_General_Traitement_OK;
constexpr long Unreadable = basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurLangue;

class StartUpTest : public NetrovaTest {};

TEST_F(StartUpTest, StartUpRecordReachesTheSessionAndTheSettings)
{
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1), Started);
    const clsBarreManager& session = *manager_->BarreManager();
    EXPECT_EQ(session.IdAppli(), 12);
    EXPECT_EQ(session.NomAppli(), QStringLiteral("Traitement de texte"));
    EXPECT_EQ(session.PersonalFolder(), path(QStringLiteral("home/Formation/Netrova/Mes exercices/")));
    EXPECT_TRUE(session.HasLecon());
    EXPECT_TRUE(session.HasCorrige());
    EXPECT_EQ(session.AutoMediaPoint(), 0);
    EXPECT_EQ(session.ExtensionFichierVideo(), QStringLiteral(".avi"));
    EXPECT_FALSE(session.MediaOnCDRom());
    EXPECT_TRUE(session.ModeMediaInet());
    EXPECT_EQ(session.URLMediaAppli(), base() + QStringLiteral("Media/12F/"));
    EXPECT_EQ(session.IdModule(), 1201);
    EXPECT_EQ(session.NbQuestionReussiDuModule(), 0);
    EXPECT_EQ(session.DureePrevueModule(), QStringLiteral("0000:20"));
    EXPECT_EQ(session.IdParcours(), 120);
    EXPECT_EQ(session.DureePrevueParcours(), QStringLiteral("0001:00"));
    EXPECT_EQ(session.TypeFormEval(), QStringLiteral("F"));
    EXPECT_EQ(session.IdUser(), 7);
    EXPECT_EQ(session.TypeChrono(), 0);
    EXPECT_TRUE(session.VisuNote());
    EXPECT_TRUE(session.VisuResultat()) << "the last field arrives with the reply's line break";
    EXPECT_EQ(session.WidthViewer(), 9600);
    EXPECT_EQ(session.HeightViewer(), 7200);
    // The server tells the real time; the plug-in's clock is the test's.
    const double offset = platform::OleDate::fromDateTime(clock_.now())->serial()
                          - platform::OleDate::fromDateTime(QDateTime::currentDateTime())->serial();
    EXPECT_NEAR(session.DifDateServer() * 86400.0, offset * 86400.0, 60.0);
    EXPECT_EQ(manager_->VersionBdd(), QStringLiteral("2.4"));
    EXPECT_EQ(manager_->VersionSystem(), QStringLiteral("6.1"));
    EXPECT_EQ(manager_->ServerLanguageVersion(), QStringLiteral("1"));
    EXPECT_EQ(context_.langueId, QStringLiteral("FR"));
    EXPECT_EQ(context_.pusURLBaseDownloadFiles, base());
    EXPECT_EQ(context_.pusPkCookie, QStringLiteral("42"));
    ASSERT_NE(context_.oLangueIHMInet, nullptr);
    EXPECT_EQ(context_.oLangueIHMInet->GetMessage(QStringLiteral("MESSAGE_Loading2")),
              QStringLiteral("Veuillez patienter..."));
    EXPECT_NE(context_.puoKavReg, nullptr);
}

TEST_F(StartUpTest, AddressWithoutItsFinalSlashStillReachesTheServer)
{
    QString address = base();
    address.chop(1);
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), address, 1), Started);
    EXPECT_EQ(context_.pusURLBaseServer, base());
}

TEST_F(StartUpTest, EmptyStartUpRepliesGiveUpAfterFiveRequests)
{
    addFault("empty:initplugin");
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1), Unreadable);
    EXPECT_EQ(server_->requestsFor("initplugin").size(), 5u);
}

TEST_F(StartUpTest, StartUpRecordThatStopsAnsweringIsRetried)
{
    addFault("empty:initplugin:2");
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1), Started);
    EXPECT_EQ(server_->requestsFor("initplugin").size(), 3u);
}

struct RecordCase {
    const char* name;
    int field;  // -1: the record without its last field
    QString value;
    long result;

    friend void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }
};

class StartRecordTest : public NetrovaTest, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(StartRecordTest, RecordIsReadOnlyWhenEveryFieldIsWhatItMustBe)
{
    const RecordCase& c = GetParam();
    if (c.field >= 0) {
        setStartField(QStringLiteral("s1"), c.field, c.value);
    } else {
        QString record = QString::fromUtf8(readFile(QStringLiteral("server/WS/initplugin/default.txt")));
        writeFile(QStringLiteral("server/WS/initplugin/s1.txt"), record.left(record.lastIndexOf(u'#')).toUtf8());
    }
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("s1"), base(), 1), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Records, StartRecordTest,
    ::testing::Values(RecordCase{"TwentySevenFields", -1, {}, Unreadable},
                      RecordCase{"SessionNotANumber", 0, QStringLiteral("abc"), Unreadable},
                      RecordCase{"ApplicationNotANumber", 1, QStringLiteral("douze"), Unreadable},
                      RecordCase{"ApplicationBeyond32Bits", 1, QStringLiteral("4294967296"), Unreadable},
                      RecordCase{"ShowMarkNeitherBooleanNorNumber", 26, QStringLiteral("oui"), Unreadable},
                      RecordCase{"NumbersWithBlanks", 1, QStringLiteral(" 12 "), Started},
                      RecordCase{"BooleanAsNumber", 27, QStringLiteral("0"), Started},
                      RecordCase{"ReplyEndingWithALineBreak", 27, QStringLiteral("True\r\n"), Started},
                      RecordCase{"ServerLanguageVersionNotANumber", 13, QStringLiteral("v2"), Unreadable}),
    [](const auto& info) { return std::string(info.param.name); });

// Every road by which the start fails gives its own step code and words the
// learner can read, never success and never an empty or bare text.
class FailedStartTest;

struct FailedStartCase {
    const char* name;
    std::function<void(FailedStartTest&)> arrange;
    std::vector<long> results;  // the step code, or the codes one of which it is
    const char* words;          // found in LastError
    const char* errorLine = nullptr;  // found in the trace after "erreur kav", when given

    friend void PrintTo(const FailedStartCase& c, std::ostream* os) { *os << c.name; }
};

class FailedStartTest : public NetrovaTest, public ::testing::WithParamInterface<FailedStartCase> {
public:
    // What the roads change.
    void fault(const char* text) { addFault(text); }
    void field(int index, const QString& value) { setStartField(QStringLiteral("s"), index, value); }
    void file(const QString& name, const QByteArray& content) { writeFile(name, content); }
    void remove(const QString& name) { QFile::remove(path(name)); }
    void replace(const QString& name, const QString& from, const QString& to)
    {
        writeFile(name, QString::fromUtf8(readFile(name)).replace(from, to).toUtf8());
    }
    void stopServer() { server_->stop(); }
};

TEST_P(FailedStartTest, FailureGivesItsStepCodeAndSaysWhy)
{
    const FailedStartCase& c = GetParam();
    manager_->LevelTracelage(1);
    c.arrange(*this);
    const long result = manager_->InitPlugin(QStringLiteral("s"), base(), 1);
    EXPECT_NE(result, Started);
    EXPECT_NE(result, 0) << "a step code names a step";
    EXPECT_NE(std::find(c.results.begin(), c.results.end(), result), c.results.end()) << result;
    QString words = QString::fromUtf8(c.words);
    words.replace(QStringLiteral("{{BASE}}"), base());
    EXPECT_TRUE(manager_->LastError().contains(words)) << manager_->LastError().toStdString();
    if (c.errorLine) {
        EXPECT_TRUE(traceText().contains(QStringLiteral("<B>Erreur</B></FONT> ") + QString::fromUtf8(c.errorLine)))
            << c.errorLine;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Roads, FailedStartTest,
    ::testing::Values(
        FailedStartCase{"WorkFolderCannotBeMade",
                        [](FailedStartTest& t) {
                            t.file(QStringLiteral("home/Formation/Netrova/Mes exercices"), "a file");
                        },
                        {basalo::enuFunctionReturnState_Netrova_clsBarreManager_piInitPersonalFolder_Erreur},
                        "Formation/Netrova/Mes exercices"},
        FailedStartCase{"ServerRefusesTheSession", [](FailedStartTest& t) { t.fault("kaverreur:initplugin"); },
                        {Unreadable}, "Erreur simulée par le serveur de cours"},
        FailedStartCase{"EmptyStartUpReplies", [](FailedStartTest& t) { t.fault("empty:initplugin"); },
                        {Unreadable}, "aucun enregistrement de démarrage"},
        FailedStartCase{"UnknownSession",
                        [](FailedStartTest& t) { t.remove(QStringLiteral("server/WS/initplugin/default.txt")); },
                        {Unreadable}, "404"},
        FailedStartCase{"ServerOutOfReach", [](FailedStartTest& t) { t.stopServer(); }, {Unreadable},
                        "Enregistrement de démarrage non reçu : "},
        FailedStartCase{"RecordTooShort",
                        [](FailedStartTest& t) { t.file(QStringLiteral("server/WS/initplugin/s.txt"), "1#12#x"); },
                        {Unreadable}, "n'a que 3 champs sur 28"},
        FailedStartCase{"FieldThatIsNoNumber", [](FailedStartTest& t) { t.field(10, QStringLiteral("douze")); },
                        {Unreadable}, "Champ 10"},
        FailedStartCase{"PageWindowNotFound",
                        [](FailedStartTest& t) { t.field(21, QStringLiteral("Autre serveur")); },
                        {basalo::enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurFrmAppelant},
                        "« Autre serveur »"},
        FailedStartCase{"AssociatedFileMissing",
                        [](FailedStartTest& t) {
                            t.replace(QStringLiteral("server/WS/InfoQuestion/1211.txt"), QStringLiteral("#KAV_OK#||"),
                                      QStringLiteral("#KAV_OK#|Consigne.doc|"));
                        },
                        {basalo::enuFunctionReturnState_Lumaro_Manager_GereCopiesLocales_ErreurInconnue},
                        "File not found : Consigne.doc"},
        FailedStartCase{"ExerciseFileMissing", [](FailedStartTest& t) { t.fault("status=404:X1211.xml"); },
                        {basalo::enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML,
                         basalo::enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing},
                        "Le dossier de formation {{BASE}}Download/ est introuvable"},
        FailedStartCase{"PackageFileMissing",
                        [](FailedStartTest& t) {
                            t.file(QStringLiteral("server/WS/InfoDll/1.txt"), "#KAV_OK#|KAVTEXTE||A^1^Bravo");
                            t.file(QStringLiteral("server/Download/12F/KAVTEXTE.htm"), "<a href=\"absent.dll\">x</a>");
                        },
                        {basalo::enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur},
                        "Paquet KAVTEXTE non reçu : 404 Not Found"},
        FailedStartCase{"NoLanguageFileAnywhere",
                        [](FailedStartTest& t) { t.remove(QStringLiteral("server/WS/pluginlng/default.lng")); },
                        {Unreadable}, "Aucun fichier de langue",
                        "53 : Aucun fichier de langue : le serveur de cours n'en a pas envoyé"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, PageThatTakesTheRecordsWindowTitleIsFound)
{
    setStartField(QStringLiteral("t"), 21, QStringLiteral("Autre serveur de cours"));
    QStringList announced;
    QObject::connect(manager_.get(), &netrova::clsManager::hostWindowTitle, [&](const QString& title) {
        announced << title;
        page_.setWindowTitle(title);
    });
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("t"), base(), 1), Started);
    EXPECT_EQ(announced, QStringList{QStringLiteral("Autre serveur de cours")});
    EXPECT_EQ(manager_->BarreManager()->HandleAppelant(), pageId_->id());
}

TEST_F(StartUpTest, OptionsMaskSetsTheVideoSwitches)
{
    struct Case {
        QString mask;
        bool lecon, corrige;
        long autoMediaPoint;
    };
    for (const Case& c : {Case{QStringLiteral("13"), true, true, 0}, Case{QStringLiteral("2"), false, false, 1},
                          Case{QStringLiteral("0"), false, false, 0}}) {
        setStartField(QStringLiteral("s1"), 6, c.mask);
        manager_->InitPlugin(QStringLiteral("s1"), base(), 1);
        const clsBarreManager& session = *manager_->BarreManager();
        EXPECT_EQ(session.HasLecon(), c.lecon) << c.mask.toStdString();
        EXPECT_EQ(session.HasCorrige(), c.corrige) << c.mask.toStdString();
        EXPECT_EQ(session.AutoMediaPoint(), c.autoMediaPoint) << c.mask.toStdString();
    }
}

TEST_F(StartUpTest, MediaModeSetsTheMediaRoots)
{
    struct Case {
        QString mode, root;
        bool cdRom, inet;
        QString folder, address;
    };
    const Case cases[] = {
        {QStringLiteral("1"), QStringLiteral("\\\\serveur\\medias"), false, false,
         QStringLiteral("//serveur/medias/42F/"), QString()},
        {QStringLiteral("2"), QStringLiteral("http://medias.example/cours"), false, true, QString(),
         QStringLiteral("http://medias.example/cours/42F/")},
        {QStringLiteral("3"), QStringLiteral("ignoré"), true, false, QString(), QString()},
        {QStringLiteral("7"), QStringLiteral("ignoré"), false, false, QString(), QString()},
    };
    for (const Case& c : cases) {
        QStringList fields =
            QString::fromUtf8(readFile(QStringLiteral("server/WS/initplugin/default.txt"))).split(u'#');
        fields[1] = QStringLiteral("42");
        fields[8] = c.root;
        fields[9] = c.mode;
        writeFile(QStringLiteral("server/WS/initplugin/m.txt"), fields.join(u'#').toUtf8());
        manager_->InitPlugin(QStringLiteral("m"), base(), 1);
        const clsBarreManager& session = *manager_->BarreManager();
        EXPECT_EQ(session.MediaOnCDRom(), c.cdRom) << c.mode.toStdString();
        EXPECT_EQ(session.ModeMediaInet(), c.inet) << c.mode.toStdString();
        EXPECT_EQ(session.PathMediaAppli(), c.folder) << c.mode.toStdString();
        EXPECT_EQ(session.URLMediaAppli(), c.address) << c.mode.toStdString();
    }
}

TEST_F(StartUpTest, PersonalFolderFromTheServerStaysUnderTheHomeFolder)
{
    const QString home = path(QStringLiteral("home"));
    struct Case {
        QString given, kept;
    };
    // The module's start completes the folder with the product's sub-folder;
    // a refused one gives way to the documents folder.
    const QString documents = home + QStringLiteral("/Documents/Mes exercices/");
    context_.documentsFolder = home + QStringLiteral("/Documents");
    const Case cases[] = {
        {QStringLiteral("Formation\\Netrova"), home + QStringLiteral("/Formation/Netrova/Mes exercices/")},
        {home + QStringLiteral("/Mes cours"), home + QStringLiteral("/Mes cours/Mes exercices/")},
        {QStringLiteral("C:\\Documents and Settings\\apprenant"), documents},
        {QStringLiteral("/etc"), documents},
        {QStringLiteral("..\\..\\etc"), documents},
        {home + QStringLiteral("/../autre"), documents},
        {QString(), documents},
    };
    for (const Case& c : cases) {
        setStartField(QStringLiteral("p"), 3, c.given);
        manager_->InitPlugin(QStringLiteral("p"), base(), 1);
        EXPECT_EQ(manager_->BarreManager()->PersonalFolder(), c.kept) << c.given.toStdString();
    }
}

TEST_F(StartUpTest, MissingLanguageFileIsFetched)
{
    manager_->InitPlugin(QStringLiteral("42"), base(), 1);
    EXPECT_EQ(server_->requestsFor("pluginlng").size(), 1u);
    EXPECT_TRUE(languageFile().startsWith(QStringLiteral("[General]\r\nFileVersion=1\r\n")));
}

TEST_F(StartUpTest, LanguageFileAsNewAsTheServersIsNotAskedFor)
{
    writeFile(QStringLiteral("data/kavplugin.lng"),
              "[General]\nFileVersion=1\n[Netrova_Langue_FR]\nMESSAGE_Loading2=local\n");
    manager_->InitPlugin(QStringLiteral("42"), base(), 1);
    EXPECT_TRUE(server_->requestsFor("pluginlng").empty());
    EXPECT_EQ(context_.oLangueIHMInet->GetMessage(QStringLiteral("MESSAGE_Loading2")), QStringLiteral("local"));
}

struct LanguageReplyCase {
    const char* name;
    const char* fault;  // what the server does to "pluginlng"
    QByteArray reply;   // the server's language file, "" for none
    bool replaced;
    std::size_t requests;

    friend void PrintTo(const LanguageReplyCase& c, std::ostream* os) { *os << c.name; }
};

class LanguageRefreshTest : public NetrovaTest, public ::testing::WithParamInterface<LanguageReplyCase> {};

TEST_P(LanguageRefreshTest, OlderLanguageFileIsReplacedOnlyByALanguageFile)
{
    const LanguageReplyCase& c = GetParam();
    const QByteArray old = "[General]\nFileVersion=0\n[Netrova_Langue_FR]\nMESSAGE_Loading2=ancien\n";
    writeFile(QStringLiteral("data/kavplugin.lng"), old);
    QFile::remove(path(QStringLiteral("server/WS/pluginlng/default.lng")));
    if (!c.reply.isEmpty())
        writeFile(QStringLiteral("server/WS/pluginlng/default.lng"), c.reply);
    if (*c.fault)
        addFault(c.fault);
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1), Started);
    EXPECT_EQ(server_->requestsFor("pluginlng").size(), c.requests);
    if (c.replaced)
        EXPECT_EQ(readFile(QStringLiteral("data/kavplugin.lng")), QByteArray(c.reply).replace("\n", "\r\n"));
    else
        EXPECT_EQ(readFile(QStringLiteral("data/kavplugin.lng")), old);
    EXPECT_EQ(QDir(path(QStringLiteral("data"))).entryList(QDir::Files), QStringList{QStringLiteral("kavplugin.lng")})
        << "no temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, LanguageRefreshTest,
    ::testing::Values(
        LanguageReplyCase{"NewFile", "", "[General]\nFileVersion=1\n[Netrova_Langue_FR]\nMESSAGE_Loading2=neuf\n", true,
                          1},
        LanguageReplyCase{"TwoLines", "", "[General]\nFileVersion=1", true, 1},
        LanguageReplyCase{"NoFileForTheSession", "", "", false, 1},
        LanguageReplyCase{"EmptyReplies", "empty:pluginlng", "[General]\nFileVersion=1\n", false, 5},
        LanguageReplyCase{"ServerError", "kaverreur:pluginlng", "[General]\nFileVersion=1\n", false, 1},
        LanguageReplyCase{"ErrorStatus", "status=500:pluginlng", "[General]\nFileVersion=1\n", false, 5},
        LanguageReplyCase{"WithoutVersion", "", "[Netrova_Langue_FR]\nMESSAGE_Loading2=neuf\n", false, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, LanguageFileThatCannotBeWrittenFailsTheStartUp)
{
    writeFile(QStringLiteral("data"), "a file where the data folder should be");
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1), Unreadable);
    EXPECT_NE(manager_->LastErrorNumber(), 0);
}

TEST_F(StartUpTest, PageThatDestroysThePlugInDuringTheStartUpEndsItSafely)
{
    addFault("slow:initplugin:1");
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(server_->waitUntilHeld(1, std::chrono::seconds(10)));
        manager_->Destroy();
        server_->releaseSlowReplies();
    });
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1), Unreadable);
    EXPECT_EQ(manager_->BarreManager(), nullptr);
}

TEST_F(StartUpTest, PageThatReleasesThePlugInDuringTheStartUpEndsItSafely)
{
    addFault("slow:initplugin:1");
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(server_->waitUntilHeld(1, std::chrono::seconds(10)));
        manager_.reset();
        server_->releaseSlowReplies();
    });
    netrova::clsManager* manager = manager_.get();
    EXPECT_EQ(manager->InitPlugin(QStringLiteral("42"), base(), 1), Unreadable);
    EXPECT_EQ(manager_, nullptr);
}

}  // namespace

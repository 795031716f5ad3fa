// The work files that the plug-in and the launcher share: which packages a
// module needs, which an installed product already provides, where each is
// fetched from and where the application then finds its files.

#include "hostsession/WorkFiles.h"
#include "toolkit/KavReg.h"
#include "toolkit/PackageFiles.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/ExoApp.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "platform/RuntimeError.h"
#include "support/CaseName.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using namespace basalo;

constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

class WorkFilesTest : public testsupport::TempDirTest {
protected:
    WorkFilesTest()
    {
        registry = std::make_shared<toolkit::KavReg>(
            toolkit::KavReg::Files{path(QStringLiteral("user.ini")), path(QStringLiteral("machine.ini"))});
        appli = std::make_shared<lumaro::Appli>(lumaro);
        module.Appli(appli);
        source.serverBase = QStringLiteral("http://127.0.0.1:1/");
        source.idAppli = 12;
        source.nomAppli = QStringLiteral("Traitement de texte");
        source.typeFormEval = QStringLiteral("F");
        makeWorkFiles();
    }

    void makeWorkFiles(hostsession::WorkFilesSettings settings = netrovaSettings())
    {
        hostsession::WorkFilesServices services;
        services.message = [](const QString& key) {
            if (key == QStringLiteral("MESSAGE_Loading4"))
                return QStringLiteral("Paquet %1 sur %2");
            if (key == QStringLiteral("ERR_UNC_FORM_ROROVA_MISSING"))
                return QStringLiteral("Dossier absent : %1");
            if (key == QStringLiteral("ERR_CDROM_FORM_ROROVA_MISSING"))
                return QStringLiteral("Insérez le disque de %1");
            if (key == QStringLiteral("ERR_NO_CDROM"))
                return QStringLiteral("Pas de CD-ROM");
            return QString();
        };
        services.registry = [this] { return registry; };
        services.fetchPackage = [this](const QString& page) {
            events << QStringLiteral("fetch ") + page;
            return fetchAnswer;
        };
        services.componentFolder = [this] { return path(QStringLiteral("components")); };
        services.findCDRom = [this](QString& root) {
            root = cdRoot;
            return !cdRoot.isEmpty();
        };
        services.setMessageLoading = [this](const QString& text) { events << text; };
        services.messageBox = [this](const QString& text, long style) {
            events << QStringLiteral("box %1 %2").arg(style).arg(text);
            return boxAnswers.isEmpty() ? 2L : boxAnswers.takeFirst();
        };
        services.loadingAffiche = [this](bool shown) { progressShown = shown; };
        workFiles = std::make_unique<hostsession::WorkFiles>(state, std::move(settings), std::move(services));
    }

    static hostsession::WorkFilesSettings netrovaSettings()
    {
        hostsession::WorkFilesSettings settings;
        settings.codeErreur = enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur;
        settings.codeTypeExoApp = enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_ErreurTYPE_EXO_APP;
        settings.codeHouston = enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_ErreurHOUSTON;
        settings.codeUNCMissing = enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_UNCMissing;
        settings.codeNoCDRom = enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_ErreurCDRom;
        settings.codeCDRomMissing = enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_CDRomMissing;
        return settings;
    }

    // A question of the module on the component of that name.
    void addQuestion(long id, const QString& component, bool bis = false)
    {
        if (!components.contains(component)) {
            auto dll = std::make_shared<lumaro::Dll>(lumaro);
            dll->Nom(component);
            dll->Bis(bis);
            components.insert(component, dll);
        }
        appli->AddQuestion(id);
        appli->Question(id)->Dll(components.value(component));
        module.AddResultQuestion(id);
    }

    void installed(const QString& key, const QString& valueName, const QString& value)
    {
        registry->SetValue(toolkit::KavReg::LocalMachine, key, valueName, value, 0);
    }

    bool run()
    {
        events.clear();
        return workFiles->piGereFichiersLocaux(module, *appli, source, moduleExerva);
    }

    lumaro::LumaroContext lumaro;
    std::shared_ptr<lumaro::Appli> appli;
    lumaro::Module module{lumaro};
    QMap<QString, std::shared_ptr<lumaro::Dll>> components;
    toolkit::SessionState state;
    std::shared_ptr<toolkit::KavReg> registry;
    hostsession::WorkFilesSource source;
    std::unique_ptr<hostsession::WorkFiles> workFiles;
    QStringList events;
    QString fetchAnswer = QStringLiteral("/home/apprenant/composants/");
    QString cdRoot;
    QList<long> boxAnswers;
    bool moduleExerva = false;
    bool progressShown = false;
};

TEST_F(WorkFilesTest, AModuleOnTheExerciseEngineFetchesNothing)
{
    addQuestion(1211, QStringLiteral("Exerva"));
    addQuestion(1212, QStringLiteral("KAVTEXTE"));
    ASSERT_TRUE(run());
    EXPECT_TRUE(moduleExerva);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(state.pulStateEnCours, OK);
}

TEST_F(WorkFilesTest, AModuleWithoutQuestionsFetchesNothing)
{
    ASSERT_TRUE(run());
    EXPECT_FALSE(moduleExerva);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(WorkFilesTest, FetchesEachPackageOnceInTheOrderOfFirstUse)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    addQuestion(2, QStringLiteral("KAVTEXTEBIS"), true);
    addQuestion(3, QStringLiteral("KAVTEXTE"));
    addQuestion(4, QStringLiteral("KAVTEXTEBIS"), true);
    addQuestion(5, QStringLiteral("KAVTEXTE"));
    ASSERT_TRUE(run());
    EXPECT_FALSE(moduleExerva);
    EXPECT_EQ(events, (QStringList{QStringLiteral("Paquet 1 sur 2"),
                                   QStringLiteral("fetch http://127.0.0.1:1/Download/12F/KAVTEXTE.htm"),
                                   QStringLiteral("Paquet 2 sur 2"),
                                   QStringLiteral("fetch http://127.0.0.1:1/Download/12Eb/KAVTEXTEBIS.htm")}));
    EXPECT_EQ(appli->PathDll(), fetchAnswer);
    EXPECT_EQ(appli->PathHTMLBis(), fetchAnswer);
    EXPECT_FALSE(progressShown);
    EXPECT_EQ(state.pulStateEnCours, OK);
}

TEST_F(WorkFilesTest, TheSourceFollowsTheDownloadType)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 2;
    source.urlDownloadRorova = QStringLiteral("http://paquets.example/rorova/");
    ASSERT_TRUE(run());
    EXPECT_TRUE(events.contains(QStringLiteral("fetch http://paquets.example/rorova/12F/KAVTEXTE.htm")));
}

TEST_F(WorkFilesTest, ADownloadTypeOutsideTheFourSourcesIsRefused)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    for (const long type : {-1L, 4L, 99L}) {
        source.typeDownload = type;
        EXPECT_FALSE(run()) << type;
        EXPECT_EQ(state.pulStateEnCours, enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur);
        EXPECT_EQ(state.pulErrorNumber, platform::InvalidProcedureCall);
        EXPECT_FALSE(events.join(u'\n').contains(QStringLiteral("fetch"))) << type;
    }
}

TEST_F(WorkFilesTest, RefusesAPackageNameThatIsNoPlainFileName)
{
    for (const QString& name : {QStringLiteral("../KAVTEXTE"), QStringLiteral("a\\b"), QStringLiteral("/etc/x")}) {
        appli = std::make_shared<lumaro::Appli>(lumaro);
        lumaro::Module fresh(lumaro);
        components.clear();
        auto dll = std::make_shared<lumaro::Dll>(lumaro);
        dll->Nom(name);
        appli->AddQuestion(1);
        appli->Question(1)->Dll(dll);
        fresh.Appli(appli);
        fresh.AddResultQuestion(1);
        events.clear();
        EXPECT_FALSE(workFiles->piGereFichiersLocaux(fresh, *appli, source, moduleExerva)) << name.toStdString();
        EXPECT_EQ(state.pulErrorNumber, platform::BadFileName);
        EXPECT_FALSE(events.join(u'\n').contains(QStringLiteral("fetch")));
    }
}

TEST_F(WorkFilesTest, AFailedFetchStopsWithTheFetchsError)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    fetchAnswer.clear();
    state.pulErrorNumber = 0;
    EXPECT_FALSE(run());
    EXPECT_EQ(state.pulStateEnCours, enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur);
    EXPECT_EQ(appli->PathDll(), QString()) << "no folder recorded for a package that did not arrive";
    EXPECT_FALSE(progressShown);
}

TEST_F(WorkFilesTest, AnInstalledClientServerVersionProvidesTheBaseSet)
{
    installed(QStringLiteral("Quelvoro\\IHM Client\\12E"), QStringLiteral("Dll"), QStringLiteral("/opt/kav/dll"));
    installed(QStringLiteral("Quelvoro\\IHM Client\\12E"), QStringLiteral("Files"), QStringLiteral("/opt/kav/files"));
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    addQuestion(2, QStringLiteral("KAVTEXTEBIS"), true);
    ASSERT_TRUE(run());
    EXPECT_EQ(appli->PathDll(), QStringLiteral("/opt/kav/dll/"));
    EXPECT_EQ(appli->PathFiles(), QStringLiteral("/opt/kav/files/"));
    EXPECT_EQ(appli->PathHTML(), QString()) << "an empty value never becomes the root";
    EXPECT_EQ(events, (QStringList{QStringLiteral("Paquet 2 sur 2"),
                                   QStringLiteral("fetch http://127.0.0.1:1/Download/12Eb/KAVTEXTEBIS.htm")}));
}

struct MaskCase {
    const char* name;
    long mask;
    QString installedKey;  // the client-server key that holds a "Dll", empty for none
    long expected;
};

class TypeATelechargerTest : public WorkFilesTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(TypeATelechargerTest, SaysWhichKindsMustBeFetched)
{
    const MaskCase& c = GetParam();
    if (!c.installedKey.isEmpty())
        installed(c.installedKey, QStringLiteral("Dll"), QStringLiteral("/opt/kav/dll"));
    EXPECT_EQ(workFiles->piTypeATelecharger(c.mask, *appli, 12), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, TypeATelechargerTest,
    ::testing::Values(MaskCase{"AllThreeKindsAtOnce", 7, {}, -7},
                      MaskCase{"NothingInstalled", 5, {}, 5},
                      MaskCase{"SecondSetInstalled", 5, QStringLiteral("Quelvoro\\IHM Client\\12Eb"), 1},
                      MaskCase{"ExercisesComeWithTheBasePackages", 3, {}, 3},
                      MaskCase{"ExercisesMissingWhenOnlyTheEvaluationFormIsInstalled", 3,
                               QStringLiteral("Quelvoro\\IHM Client\\12E"), -2},
                      MaskCase{"ExercisesInstalledWithTheTrainingForm", 3,
                               QStringLiteral("Quelvoro\\IHM Client\\12F"), 0},
                      MaskCase{"NothingAsked", 0, {}, 0}),
    [](const auto& info) { return testsupport::caseName(QString::fromLatin1(info.param.name)); });

TEST_F(WorkFilesTest, TheLaunchersApplicationExerciseIsFetchedUnlessAFullInstallationProvidesIt)
{
    hostsession::WorkFilesSettings settings = netrovaSettings();
    settings.listExoApp = true;
    makeWorkFiles(settings);
    addQuestion(1, QStringLiteral("EXERVA"));
    module.CreateExoApp(7);
    auto dll = std::make_shared<lumaro::Dll>(lumaro);
    dll->Nom(QStringLiteral("KAVEXOAPP"));
    module.ExoApp()->Dll(dll);
    fetchAnswer = path(QStringLiteral("components"));

    // Only the evaluation form is installed: the exercise comes from the server.
    installed(QStringLiteral("Quelvoro\\IHM Client\\12E"), QStringLiteral("Dll"), QStringLiteral("/opt/kav/dll"));
    ASSERT_TRUE(run()) << state.pulStateEnCours;
    EXPECT_TRUE(moduleExerva);
    EXPECT_EQ(events, (QStringList{QStringLiteral("Paquet 1 sur 1"),
                                   QStringLiteral("fetch http://127.0.0.1:1/Download/12F/KAVEXOAPP.htm")}));
    EXPECT_EQ(appli->PathDll(), path(QStringLiteral("components/")));

    // The training form installed provides it.
    installed(QStringLiteral("Quelvoro\\IHM Client\\12F"), QStringLiteral("Dll"), QStringLiteral("/opt/kav/dll"));
    ASSERT_TRUE(run());
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(appli->PathDll(), QStringLiteral("/opt/kav/dll/"));
}

TEST_F(WorkFilesTest, TheLaunchersThreeKindsAtOnceAreEachFetched)
{
    hostsession::WorkFilesSettings settings = netrovaSettings();
    settings.listExoApp = true;
    makeWorkFiles(settings);
    EXPECT_EQ(workFiles->piTypeATelecharger(7, *appli, 12), 7);
    installed(QStringLiteral("Quelvoro\\IHM Client\\12F"), QStringLiteral("Dll"), QStringLiteral("/opt/kav/dll"));
    EXPECT_EQ(workFiles->piTypeATelecharger(7, *appli, 12), 4) << "the installation provides the base and the exercises";
}

TEST_F(WorkFilesTest, ThePluginsRefusalsOfTheKindsLeaveTheirCodes)
{
    installed(QStringLiteral("Quelvoro\\IHM Client\\12E"), QStringLiteral("Dll"), QStringLiteral("/opt/kav/dll"));
    EXPECT_EQ(workFiles->piTypeATelecharger(2, *appli, 12), -2);
    EXPECT_EQ(workFiles->piTypeATelecharger(7, *appli, 12), -7);
}

TEST_F(WorkFilesTest, ASingleUserInstallationIsLeftAsItIs)
{
    const QString folder = writeFile(QStringLiteral("monoposte/kavtexte.dll"), "dll");
    writeFile(QStringLiteral("monoposte/kavcheck.dat"), "check");
    installed(QStringLiteral("Quelvoro Monoposte\\IHM Client\\12F"), QStringLiteral("Dll"), path(QStringLiteral("monoposte")));
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    ASSERT_TRUE(run());
    EXPECT_TRUE(QFile::exists(folder));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("monoposte/kavcheck.dat"))));
    EXPECT_TRUE(events.contains(QStringLiteral("fetch http://127.0.0.1:1/Download/12F/KAVTEXTE.htm")));
}

TEST_F(WorkFilesTest, APackageFromAFolderIsCopiedToTheComponentFolder)
{
    writeFile(QStringLiteral("share/12F/KAVTEXTE.htm"),
              "<html><body><a href=\"kavtexte.dat\">a</a><a href=\"mod%C3%A8le.txt\">b</a></body></html>");
    writeFile(QStringLiteral("share/12F/kavtexte.dat"), "data");
    writeFile(QStringLiteral("share/12F/modèle.txt"), "texte");
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 1;
    source.pathDownloadRorova = path(QStringLiteral("share/"));
    ASSERT_TRUE(run());
    EXPECT_EQ(appli->PathDll(), path(QStringLiteral("components/")));
    QFile copied(path(QStringLiteral("components/modèle.txt")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("texte"));
}

TEST_F(WorkFilesTest, AFolderPackageInstallsEveryFileSubFoldersIncludedInPlaceOfOlderVersions)
{
    writeFile(QStringLiteral("share/12F/KAVTEXTE.htm"),
              "<a href=\"kavtexte.dat\">a</a><a href=\"Aide\\Pages/page.htm\">b</a>");
    writeFile(QStringLiteral("share/12F/KAVTEXTE.DAT"), "nouvelle version");
    writeFile(QStringLiteral("share/12F/Aide/Pages/page.htm"), "aide");
    // A disc's files may be executable; the copies never are.
    QFile::setPermissions(path(QStringLiteral("share/12F/KAVTEXTE.DAT")),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    writeFile(QStringLiteral("components/kavtexte.dat"), "ancienne version");
    writeFile(QStringLiteral("components/autre.dll"), "autre paquet");
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 1;
    source.pathDownloadRorova = path(QStringLiteral("share/"));
    ASSERT_TRUE(run()) << state.pusErrorDescription.toStdString();
    EXPECT_EQ(tree(QStringLiteral("components")),
              (std::map<std::string, std::string>{{"Aide/", ""},
                                                  {"Aide/Pages/", ""},
                                                  {"Aide/Pages/page.htm", "aide"},
                                                  {"autre.dll", "autre paquet"},
                                                  {"kavtexte.dat", "nouvelle version"}}));
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("components/kavtexte.dat"))).isExecutable());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("components/kavtexte.dat"))).isWritable());
    for (const QString& entry : QDir(dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        EXPECT_FALSE(entry.startsWith(u'.')) << "a staging folder left behind: " << entry.toStdString();
}

struct FolderPartWayCase {
    const char* name;
    bool lastFileMissing;    // the share lacks the package's last file
    bool folderNamedAsFile;  // the component folder holds a file "Aide" where the package wants a folder
    QString why;             // what the error says

    friend void PrintTo(const FolderPartWayCase& c, std::ostream* os) { *os << c.name; }
};

class FolderPartWayTest : public WorkFilesTest, public ::testing::WithParamInterface<FolderPartWayCase> {};

TEST_P(FolderPartWayTest, AFolderPackageThatFailsPartWayLeavesTheFolderAsItWas)
{
    const FolderPartWayCase& c = GetParam();
    writeFile(QStringLiteral("share/12F/KAVTEXTE.htm"),
              "<a href=\"kavtexte.dat\">a</a><a href=\"modele.txt\">b</a><a href=\"Aide/page.htm\">c</a>");
    writeFile(QStringLiteral("share/12F/kavtexte.dat"), "nouvelle version");
    writeFile(QStringLiteral("share/12F/modele.txt"), "modèle");
    if (!c.lastFileMissing)
        writeFile(QStringLiteral("share/12F/Aide/page.htm"), "aide");
    writeFile(QStringLiteral("components/kavtexte.dat"), "ancienne version");
    writeFile(QStringLiteral("components/autre.dll"), "autre paquet");
    if (c.folderNamedAsFile)
        writeFile(QStringLiteral("components/Aide"), "un fichier");
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 1;
    source.pathDownloadRorova = path(QStringLiteral("share/"));
    const auto before = tree();

    EXPECT_FALSE(run());
    EXPECT_EQ(tree(), before) << "older versions kept, nothing new, no staging folder left";
    EXPECT_EQ(state.pulStateEnCours, enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur);
    EXPECT_TRUE(state.pusErrorDescription.startsWith(QStringLiteral("Paquet KAVTEXTE non reçu : ")));
    EXPECT_TRUE(state.pusErrorDescription.contains(c.why)) << state.pusErrorDescription.toStdString();
    EXPECT_EQ(appli->PathDll(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FolderPartWayTest,
    ::testing::Values(FolderPartWayCase{"TheLastFileMissingFromTheShare", true, false, QStringLiteral("Aide/page.htm")},
                      FolderPartWayCase{"AMoveThatFailsAfterTwoFilesMoved", false, true,
                                        QStringLiteral("Un fichier porte le nom du dossier")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkFilesTest, RefusesPackagePageListingTooManyFiles)
{
    QByteArray page;
    for (qsizetype i = 0; i <= toolkit::maxPackageFiles; ++i) {
        page += "<a href=\"f" + QByteArray::number(i) + ".dll\">x</a>";
        if (i < 3)
            writeFile(QStringLiteral("share/12F/f%1.dll").arg(i), "dll");
    }
    writeFile(QStringLiteral("share/12F/KAVTEXTE.htm"), page);
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 1;
    source.pathDownloadRorova = path(QStringLiteral("share/"));
    const auto before = tree();

    EXPECT_FALSE(run());
    EXPECT_EQ(state.pulStateEnCours, enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur);
    EXPECT_EQ(state.pulErrorNumber, platform::Overflow);
    EXPECT_EQ(state.pusErrorDescription, QStringLiteral("Paquet KAVTEXTE non reçu : Paquet refusé : la page liste %1 "
                                                        "fichiers, %2 au plus")
                                             .arg(toolkit::maxPackageFiles + 1)
                                             .arg(toolkit::maxPackageFiles));
    EXPECT_EQ(tree(), before) << "nothing copied";
}

TEST_F(WorkFilesTest, AFolderPackageNamingAFileOutsideIsRefused)
{
    writeFile(QStringLiteral("share/12F/KAVTEXTE.htm"), "<a href=\"../../user.ini\">x</a>");
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 1;
    source.pathDownloadRorova = path(QStringLiteral("share/"));
    EXPECT_FALSE(run());
    EXPECT_EQ(state.pulErrorNumber, platform::BadFileName);
    EXPECT_FALSE(QDir(path(QStringLiteral("components"))).exists());
}

TEST_F(WorkFilesTest, AMissingShareFolderIsNamed)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 1;
    source.pathDownloadRorova = path(QStringLiteral("absent/"));
    EXPECT_FALSE(run());
    EXPECT_EQ(state.pulStateEnCours, enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_UNCMissing);
    EXPECT_EQ(state.pusErrorDescription, QStringLiteral("Dossier absent : ") + path(QStringLiteral("absent/12F/")));
    EXPECT_EQ(state.pulErrorNumber, 0);
}

TEST_F(WorkFilesTest, WithoutACdRomDriveTheCdRomSourceFails)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 3;
    EXPECT_FALSE(run());
    EXPECT_EQ(state.pulStateEnCours, enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_ErreurCDRom);
    EXPECT_EQ(state.pusErrorDescription, QStringLiteral("Pas de CD-ROM"));
}

TEST_F(WorkFilesTest, TheLearnerIsAskedForTheDiscUntilCancel)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 3;
    cdRoot = path(QStringLiteral("cdrom/"));
    boxAnswers = {1, 1, 2};
    EXPECT_FALSE(run());
    EXPECT_EQ(events.filter(QStringLiteral("box 3 Insérez le disque de Traitement de texte")).size(), 3);
    EXPECT_EQ(state.pulStateEnCours, enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_CDRomMissing);
}

TEST_F(WorkFilesTest, TheDiscInsertedAfterTheQuestionIsRead)
{
    addQuestion(1, QStringLiteral("KAVTEXTE"));
    source.typeDownload = 3;
    cdRoot = path(QStringLiteral("cdrom/"));
    boxAnswers = {1};
    makeWorkFiles();
    // The learner inserts the disc while the box is up.
    hostsession::WorkFilesServices services;
    workFiles.reset();
    hostsession::WorkFilesSettings settings = netrovaSettings();
    services.findCDRom = [this](QString& root) {
        root = cdRoot;
        return true;
    };
    services.componentFolder = [this] { return path(QStringLiteral("components")); };
    services.messageBox = [this](const QString&, long) {
        writeFile(QStringLiteral("cdrom/Rorova/12F/KAVTEXTE.htm"), "<p>vide</p>");
        return 1L;
    };
    workFiles = std::make_unique<hostsession::WorkFiles>(state, settings, services);
    ASSERT_TRUE(run());
    EXPECT_EQ(appli->PathDll(), path(QStringLiteral("components/")));
}

}  // namespace

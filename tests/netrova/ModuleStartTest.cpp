// StartModule's roads once the module is loaded: where the exercise files are
// read from, the foreseen failures with their step code and words, and what
// each road leaves untouched (the question player, the question window, the
// tracking posts).

#include "NetrovaFixture.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"

#include <algorithm>
#include <functional>

namespace {

using namespace basalo;
using netrova::clsBarreManager;

constexpr long OK = enuFunctionReturnState_General_Traitement_OK;
// The engine's two codes for an exercise file that is not there: one it could
// not load, one that did not arrive.
const std::vector<long> exerciseFileMissing = {enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML,
                                               enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing};

class ModuleStartTest;

struct ModuleStartCase {
    const char* name;
    const char* session;  // "1": the training module, "2": the evaluation module
    std::function<void(ModuleStartTest&)> arrange;
    long index;                // the question StartModule is asked to start with
    std::vector<long> codes;   // the step code, or the codes one of which it is
    const char* words;         // LastError, whole; nullptr: not looked at
    bool errorNumberCleared;   // LastErrorNumber 0 rather than what it was
    const char* xmlRoot;       // where the exercise files are read from; nullptr: left as it was
    bool xmlInet;
    bool playerTouched;        // the question player was given the learner's folder
    bool questionShown;
    std::vector<long> tracked;  // the tracking posts of StartModule

    friend void PrintTo(const ModuleStartCase& c, std::ostream* os) { *os << c.name; }
};

// A module loaded by the plug-in's start-up with a first question beyond its
// last, so that no question runs yet: each case then changes the session and
// calls StartModule itself. "{{BASE}}", "{{DIR}}" and "{{SAMPLES}}" in a
// case's texts stand for the server's address, the test's folder and the
// sample course's folder.
class ModuleStartTest : public netrovatest::NetrovaTest, public ::testing::WithParamInterface<ModuleStartCase> {
public:
    clsBarreManager& session() const { return *manager_->BarreManager(); }
    netrova::NetrovaContext& context() { return context_; }

    // A course disc mounted as iso9660 at "{{DIR}}disc/", with the sample's
    // training exercise files under "Rorova/" or without them.
    void mountDisc(bool withExerciseFiles)
    {
        QDir().mkpath(path(QStringLiteral("disc")));
        if (withExerciseFiles)
            copyFolder(QStringLiteral(SAMPLES_DIR "/12F"), path(QStringLiteral("disc/Rorova/12F")));
        QByteArray listed = path(QStringLiteral("disc")).toUtf8();
        listed.replace(" ", "\\040");
        writeFile(QStringLiteral("mounts"), "/dev/sda1 / ext4 rw 0 0\n/dev/sr0 " + listed + " iso9660 ro 0 0\n");
    }
    void serverFault(const char* text) { addFault(text); }

    QString expand(const char* text) const
    {
        return QString::fromUtf8(text)
            .replace(QStringLiteral("{{BASE}}"), base())
            .replace(QStringLiteral("{{DIR}}"), dir())
            .replace(QStringLiteral("{{SAMPLES}}"), QStringLiteral(SAMPLES_DIR));
    }
};

// The training module's media read from a folder that is not there.
void mediaFolderMissing(ModuleStartTest& t, bool onCdRom)
{
    clsBarreManager& s = t.session();
    s.ModeMediaInet(false);
    s.MediaOnCDRom(onCdRom);
    s.PathMediaAppli(t.expand("{{DIR}}absent/"));
}

TEST_P(ModuleStartTest, EachRoadGivesItsCodeAndWordsAndTouchesOnlyWhatItMust)
{
    const ModuleStartCase& c = GetParam();
    manager_->LevelSuivi(1);
    ASSERT_EQ(manager_->InitPlugin(QString::fromLatin1(c.session), base(), 99), OK) << manager_->LastError().toStdString();
    lumaro::Manager& player = *session().pioKavBarre();
    ASSERT_FALSE(player.questionWindow() && player.questionWindow()->isVisible());
    const QString untouchedRoot = path(QStringLiteral("untouched/"));
    player.XmlCheminServeur(untouchedRoot);
    player.XmlModeInet(false);
    player.PersonalFolder(QStringLiteral("untouched"));
    c.arrange(*this);
    context_.pulErrorNumber = 77;
    const std::size_t postsBefore = trackedCodes().size();

    const bool started = session().StartModule(c.index);

    EXPECT_EQ(started, c.codes == std::vector<long>{OK});
    EXPECT_NE(std::find(c.codes.begin(), c.codes.end(), context_.pulStateEnCours), c.codes.end())
        << context_.pulStateEnCours << " " << context_.pusErrorDescription.toStdString();
    if (c.words) {
        EXPECT_EQ(manager_->LastError(), expand(c.words));
    }
    if (c.errorNumberCleared) {
        EXPECT_EQ(manager_->LastErrorNumber(), 0);
    }
    if (c.xmlRoot) {
        EXPECT_EQ(player.XmlCheminServeur(), expand(c.xmlRoot));
        EXPECT_EQ(player.XmlModeInet(), c.xmlInet);
    } else {
        EXPECT_EQ(player.XmlCheminServeur(), untouchedRoot);
        EXPECT_FALSE(player.XmlModeInet());
    }
    EXPECT_EQ(player.PersonalFolder() != QStringLiteral("untouched"), c.playerTouched);
    EXPECT_EQ(player.questionWindow() && player.questionWindow()->isVisible(), c.questionShown);
    const std::vector<long> posts = trackedCodes();
    EXPECT_EQ(std::vector<long>(posts.begin() + std::ptrdiff_t(postsBefore), posts.end()), c.tracked);
}

const std::vector<long> startOnly = {netrova::DebutStartModule};
const std::vector<long> startAndEnd = {netrova::DebutStartModule, netrova::FinStartModule};

INSTANTIATE_TEST_SUITE_P(
    Roads, ModuleStartTest,
    ::testing::Values(
        ModuleStartCase{"IndexBeyondTheQuestionsStartsNothing", "1", [](ModuleStartTest&) {}, 4, {OK}, nullptr,
                        false, nullptr, false, true, false, startOnly},
        ModuleStartCase{"MediaFolderMissingOnAShare", "1", [](ModuleStartTest& t) { mediaFolderMissing(t, false); },
                        1, {enuFunctionReturnState_Netrova_clsBarreManager_StartModule_BadUNCVideo},
                        "La vidéo  est introuvable sur le partage réseau.", false, nullptr, false, false, false,
                        startOnly},
        ModuleStartCase{"MediaFolderMissingOnACdRom", "1", [](ModuleStartTest& t) { mediaFolderMissing(t, true); }, 1,
                        {enuFunctionReturnState_Netrova_clsBarreManager_StartModule_BadCDRomVideo},
                        "La vidéo  est introuvable.", false, nullptr, false, false, false, startOnly},
        ModuleStartCase{"EvaluationMediaFolderIsNotLookedFor", "2",
                        [](ModuleStartTest& t) { mediaFolderMissing(t, false); }, 1, {OK}, nullptr, false,
                        "{{BASE}}Download/", true, true, true, startAndEnd},
        ModuleStartCase{"ExerciseFilesFromTheServer", "1",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(0);
                            t.session().URLDownloadRorova(QStringLiteral("http://ailleurs.invalid/rorova/"));
                        },
                        1, {OK}, nullptr, false, "{{BASE}}Download/", true, true, true, startAndEnd},
        ModuleStartCase{"ExerciseFilesFromAFolder", "1",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(1);
                            t.session().PathDownloadRorova(QStringLiteral(SAMPLES_DIR));
                        },
                        1, {OK}, nullptr, false, "{{SAMPLES}}/", false, true, true, startAndEnd},
        ModuleStartCase{"ExerciseFilesFromAnAddress", "1",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(2);
                            t.session().URLDownloadRorova(t.expand("{{BASE}}Download/"));
                            t.context().pusURLBaseDownloadFiles = QStringLiteral("http://ailleurs.invalid/");
                        },
                        1, {OK}, nullptr, false, "{{BASE}}Download/", true, true, true, startAndEnd},
        ModuleStartCase{"ExerciseFilesFromACdRom", "1",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(3);
                            t.mountDisc(true);
                        },
                        1, {OK}, nullptr, false, "{{DIR}}disc/Rorova/", false, true, true, startAndEnd},
        ModuleStartCase{"OtherDownloadTypeLeavesTheExerciseRootAsItWas", "1",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(7);
                            t.session().PathDownloadRorova(t.expand("{{DIR}}rorova"));
                        },
                        1, exerciseFileMissing, "Le dossier de formation {{DIR}}rorova/ est introuvable.", true,
                        nullptr, false, true, false, startAndEnd},
        ModuleStartCase{"NoCdRomForTheExerciseFiles", "1", [](ModuleStartTest& t) { t.session().TypeDownload(3); }, 1,
                        {enuFunctionReturnState_Netrova_clsBarreManager_StartModule_ErreurCDRomExerva},
                        "Aucun lecteur de CD-ROM n'a été trouvé.", true, nullptr, false, true, false, startOnly},
        // Exercise files the engine does not find are told as missing work
        // files, in the words for the module's kind and the files' source,
        // naming the place they were looked for.
        ModuleStartCase{"TrainingFilesMissingOnTheServer", "1",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(0);
                            t.serverFault("status=404:X1211.xml");
                        },
                        1, exerciseFileMissing, "Le dossier de formation {{BASE}}Download/ est introuvable.", true,
                        "{{BASE}}Download/", true, true, false, startAndEnd},
        ModuleStartCase{"TrainingFilesMissingFromTheCdRom", "1",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(3);
                            t.mountDisc(false);
                        },
                        1, exerciseFileMissing,
                        "Insérez le CD-ROM de formation de {{DIR}}disc/Rorova/ puis cliquez sur OK.", true,
                        "{{DIR}}disc/Rorova/", false, true, false, startAndEnd},
        ModuleStartCase{"EvaluationFilesMissingInTheirFolder", "2",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(1);
                            t.session().PathDownloadRorova(t.expand("{{DIR}}rorova"));
                        },
                        1, exerciseFileMissing, "Le dossier d'évaluation {{DIR}}rorova/ est introuvable.", true,
                        "{{DIR}}rorova/", false, true, false, startAndEnd},
        ModuleStartCase{"EvaluationFilesMissingFromTheCdRom", "2",
                        [](ModuleStartTest& t) {
                            t.session().TypeDownload(3);
                            t.mountDisc(false);
                        },
                        1, exerciseFileMissing,
                        "Insérez le CD-ROM d'évaluation de {{DIR}}disc/Rorova/ puis cliquez sur OK.", true,
                        "{{DIR}}disc/Rorova/", false, true, false, startAndEnd}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

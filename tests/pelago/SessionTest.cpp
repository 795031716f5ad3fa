// The module session's set-up, tear-down and settings, and the helpers the
// AICC exchange computes with.

#include "PelagoFixture.h"

#include "pelago/AiccReport.h"
#include "pelago/LikePattern.h"
#include "pelago/clsInetUPL.h"
#include "pelago/frmInet.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RecordingWindowSystem.h"

namespace {

class SessionTest : public pelagotest::PelagoTest {};

TEST_F(SessionTest, LanguageChangeRebuildsOnlyTheBar)
{
    start();
    const auto model = barre().pioKavParc;
    const auto transport = barre().InetUrl();
    EXPECT_TRUE(barre().GereLangueObjet(QStringLiteral("1036")));
    EXPECT_EQ(players_->calls, QStringList{QStringLiteral("CreateManager 1036")});
    EXPECT_TRUE(barre().GereLangueObjet(QStringLiteral("1033")));
    EXPECT_EQ(players_->calls, (QStringList{QStringLiteral("CreateManager 1036"), QStringLiteral("Destroy"),
                                            QStringLiteral("CreateManager 1033")}));
    EXPECT_EQ(barre().pioKavParc, model);
    EXPECT_EQ(barre().InetUrl(), transport);
}

TEST_F(SessionTest, LanguageThatIsNoNumberFailsTheBar)
{
    start();
    EXPECT_FALSE(barre().GereLangueObjet(QStringLiteral("fr")));
    EXPECT_EQ(manager_->StateErrorEnCours(), basalo::enuFunctionReturnState_Pelago_clsBarreManager_InitBarre_ErreurBarre);
    EXPECT_EQ(manager_->LastErrorNumber(), platform::TypeMismatch);
    EXPECT_EQ(barre().pioKavBarre(), nullptr);
}

TEST_F(SessionTest, SoundSettingsGetTheirDefaultsAndUnreadableOnesAreMended)
{
    start();
    const QString user = QString::fromUtf8(readFile(QStringLiteral("registry/user.ini")));
    EXPECT_TRUE(user.contains(QStringLiteral("InitAvecSon=True"))) << user.toStdString();
    EXPECT_TRUE(user.contains(QStringLiteral("InitVolSon=-1"))) << user.toStdString();

    // One unreadable value must not spoil every later start: it becomes the default.
    data_.puoKavReg->SetValue(toolkit::KavReg::CurrentUser, QStringLiteral("Quelvoro Inet\\IHM Client"),
                              QStringLiteral("InitVolSon"), QStringLiteral("fort"), 0);
    data_.enterReady();
    EXPECT_TRUE(manager_->AskStart(QStringLiteral("1033"), QStringLiteral("00:10:00")));
    EXPECT_EQ(data_.puoKavReg->GetValue(toolkit::KavReg::CurrentUser, QStringLiteral("Quelvoro Inet\\IHM Client"),
                                        QStringLiteral("InitVolSon"), 0),
              QStringLiteral("-1"));
}

TEST_F(SessionTest, CreateThatCannotBuildTheBarBuildsNothingElse)
{
    players_->failingLanguages = {QStringLiteral("1036")};
    pelago::clsBarreManager session(data_);
    EXPECT_FALSE(session.Create(QStringLiteral("1036")));
    EXPECT_EQ(session.pioKavParc, nullptr);
    EXPECT_EQ(session.Form(), nullptr);
    EXPECT_EQ(session.InetUrl(), nullptr);
    EXPECT_EQ(timers_.activeCount(), 0);
}

TEST_F(SessionTest, DestroyLetsEverythingGoAndSaysSo)
{
    start();
    EXPECT_TRUE(barre().Destroy());
    EXPECT_EQ(barre().pioKavBarre(), nullptr);
    EXPECT_EQ(barre().pioKavParc, nullptr);
    EXPECT_EQ(barre().Form(), nullptr);
    EXPECT_EQ(timers_.activeCount(), 0);
    EXPECT_TRUE(barre().Destroy());
}

TEST_F(SessionTest, IdleTimerPausesAndPlaysWithItsInterval)
{
    start();
    auto& persist = barre().Form()->TimerPersist();
    EXPECT_FALSE(persist.isActive());
    barre().PlayChrono();
    EXPECT_TRUE(persist.isActive());
    EXPECT_EQ(persist.interval(), std::chrono::milliseconds(5000));
    barre().PauseChrono();
    EXPECT_FALSE(persist.isActive());
}

TEST_F(SessionTest, SettingsKeepWhatTheyAreGivenOrRefuseIt)
{
    start();
    barre().AttenteExitAU(QStringLiteral("00:00:10"));
    EXPECT_EQ(barre().AttenteExitAU(), QStringLiteral("00:00:10"));
    barre().AttenteExitAU(QStringLiteral("dix secondes"));
    EXPECT_EQ(barre().AttenteExitAU(), QStringLiteral("00:00:10"));
    barre().AttenteHide(QStringLiteral("0:01:30"));
    EXPECT_EQ(barre().AttenteHide(), QStringLiteral("00:01:30"));

    for (const QString& refused : {QStringLiteral("vingt"), QStringLiteral("-5"), QStringLiteral("12.5"),
                                   QStringLiteral("99999999999")}) {
        barre().NoteMaxAicc(refused);
        EXPECT_EQ(barre().NoteMaxAicc(), QStringLiteral("20")) << refused.toStdString();
    }
    barre().NoteMaxAicc(QStringLiteral(" 100 "));
    EXPECT_EQ(barre().NoteMaxAicc(), QStringLiteral("100"));

    barre().URLMediaAppli(QString());
    EXPECT_EQ(barre().URLMediaAppli(), QString());
    barre().URLMediaAppli(QStringLiteral("http://media/appli"));
    EXPECT_EQ(barre().URLMediaAppli(), QStringLiteral("http://media/appli/"));
    barre().URLMediaAppli(QStringLiteral("http://media/appli/"));
    EXPECT_EQ(barre().URLMediaAppli(), QStringLiteral("http://media/appli/"));

    barre().LevelTracelage(5);
    EXPECT_EQ(barre().LevelTracelage(), 0);
    barre().MessageAicc(QStringLiteral("Erreur %1"));
    barre().TitleMessageAicc(QStringLiteral("Titre"));
    EXPECT_EQ(barre().MessageAicc(), QStringLiteral("Erreur %1"));
    EXPECT_EQ(barre().TitleMessageAicc(), QStringLiteral("Titre"));
}

TEST_F(SessionTest, HelpAddressFollowsTheServerAndTheLanguage)
{
    start();
    barre().URLBaseServer(QStringLiteral("http://serveur/kav"));
    barre().piCheckSyntaxURL();
    EXPECT_EQ(barre().URLBaseServer(), QStringLiteral("http://serveur/kav/"));
    EXPECT_EQ(barre().UrlAide(), QStringLiteral("http://serveur/kav/client_net/1036/Aide/"));
}

TEST_F(SessionTest, CallerWindowIsFoundByTitlePatternAndKept)
{
    platform::RecordingWindowSystem windows;
    windows.addWindow(QStringLiteral("Accueil"));
    const auto course = windows.addWindow(QStringLiteral("Formation 12 - Plateforme"));
    data_.windowSystem = &windows;
    start();
    EXPECT_FALSE(barre().SetHandleAppelant(QStringLiteral("Inconnue*")));
    EXPECT_TRUE(barre().SetHandleAppelant(QStringLiteral("Formation ## - *")));
    EXPECT_EQ(barre().HandleAppelant(), course);
    EXPECT_TRUE(barre().SetHandleAppelant(QStringLiteral("Inconnue*")));
    EXPECT_EQ(barre().HandleAppelant(), course);
}

TEST_F(SessionTest, FileCheckWaitsForLateFilesThreeTimes)
{
    start();
    writeFile(QStringLiteral("work/a.txt"), "a");
    const QString folder = path(QStringLiteral("work/"));
    auto& transport = *barre().InetUrl();
    EXPECT_TRUE(transport.VerifPresenceFichiers(folder, {QStringLiteral("a.txt")}));

    const auto late = timers_.create(platform::Timer::Kind::SingleShot, [&] { writeFile(QStringLiteral("work/b.txt"), "b"); });
    late->start(std::chrono::milliseconds(2500));
    const auto before = clock_.elapsed();
    EXPECT_TRUE(transport.VerifPresenceFichiers(folder, {QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    EXPECT_EQ(clock_.elapsed() - before, std::chrono::milliseconds(3000));

    EXPECT_FALSE(transport.VerifPresenceFichiers(folder, {QStringLiteral("c.txt")}));
    EXPECT_FALSE(transport.VerifPresenceFichiers(folder, {QStringLiteral("../program/kavplugin.lng")}));
    EXPECT_FALSE(barre().Form()->TimerVerifRorova().isActive());
}

TEST(AiccReportTest, TimeKeepsEveryHour)
{
    using std::chrono::hours;
    using std::chrono::seconds;
    EXPECT_EQ(pelago::aiccTime(seconds(0)), QStringLiteral("00:00:00"));
    EXPECT_EQ(pelago::aiccTime(seconds(3723)), QStringLiteral("01:02:03"));
    EXPECT_EQ(pelago::aiccTime(hours(25)), QStringLiteral("25:00:00"));
    EXPECT_EQ(pelago::aiccTime(hours(1234) + seconds(61)), QStringLiteral("1234:01:01"));
    EXPECT_EQ(pelago::aiccTime(hours(20000)), QStringLiteral("9999:59:59"));
    EXPECT_EQ(pelago::aiccTime(seconds(-5)), QStringLiteral("00:00:00"));
}

TEST(LikePatternTest, MatchesAsWindowSearchesDo)
{
    struct Case {
        const char* text;
        const char* pattern;
        bool match;
    };
    const Case cases[] = {
        {"Formation", "*", true},       {"", "*", true},
        {"Formation", "Form*", true},   {"Formation", "form*", false},
        {"Formation 12", "*##", true},  {"Formation 1a", "*##", false},
        {"abc", "a?c", true},           {"ac", "a?c", false},
        {"bat", "[bc]at", true},        {"rat", "[!bc]at", true},
        {"cat", "[!bc]at", false},      {"m", "[a-z]", true},
        {"[x", "[x", true},             {"Page - Site", "*-*", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pelago::likeMatch(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.match)
            << c.text << " / " << c.pattern;
}

}  // namespace

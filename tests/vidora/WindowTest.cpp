// The player window as the learner sees it, and the trace of a launch.

#include "PlayerFixture.h"

#include "support/Screenshot.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QWebEngineView>

namespace vidoratest {
namespace {

TEST_F(PlayerTest, ShowsTheRemoteControlInSoundAndTextMode)
{
    video->TitreFenetreVideo(QStringLiteral("Leçon : copier et coller"));
    video->VolumeInitial(45000);
    texts = {QStringLiteral("<html><body style=\"font-family: Arial\"><h3>Copier</h3><p>Sélectionnez le texte, "
                            "puis choisissez <b>Édition &gt; Copier</b>.</p></body></html>"),
             QStringLiteral("<p>Coller</p>"), QStringLiteral("<p>Fin</p>")};
    ASSERT_EQ(launch(true), -1);
    playFor(6);
    EXPECT_TRUE(window().isWindow());
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Leçon : copier et coller"));
    EXPECT_EQ(window().size(), QSize(800, 600));
    EXPECT_TRUE(window().rect().contains(window().picTelecommande()->geometry()));
    EXPECT_TRUE(window().rect().contains(window().WbTexteVideo()->geometry()));
    EXPECT_FALSE(window().videoOutput()->geometry().intersects(window().picTelecommande()->geometry()));
    EXPECT_EQ(window().sldVolume()->palette().color(QPalette::Window), QColor(228, 141, 99));
    EXPECT_EQ(window().sldTelecommande()->palette().color(QPalette::Window), QColor(228, 141, 99));
    EXPECT_FALSE(testsupport::saveScreenshot(window(), QStringLiteral("vidora-sound-mode")).isEmpty());

    video->AvecSon(false);
    window().kavbtnQuitter_Click();
    QSignalSpy loaded(window().WbTexteVideo(), &QWebEngineView::loadFinished);
    ASSERT_EQ(launch(false), -1);
    ASSERT_TRUE(loaded.wait(static_cast<int>(testsupport::webViewTimeout.count())));
    EXPECT_TRUE(loaded.first().first().toBool()) << "the page of the first sequence opens";
    EXPECT_TRUE(window().WbTexteVideo()->isVisible());
    EXPECT_TRUE(window().lblAide(0)->isVisible());
    EXPECT_FALSE(window().sldVolume()->isEnabled());
    EXPECT_FALSE(testsupport::saveScreenshot(window(), QStringLiteral("vidora-text-mode")).isEmpty());
}

TEST_F(PlayerTest, TracesTheLaunchOnlyWhenShowFrmVideoStartsTheTrace)
{
    video->PathTracel(temp.path() + QLatin1Char('/'));
    ASSERT_EQ(launch(true), -1);
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("VVidora.htm")))) << "level 0 writes nothing";
    video->LevelTracelage(1);
    ASSERT_EQ(video->LanceVideo(QStringLiteral("lecon.avi"), range, times, texts, 3, 0), -1);
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("VVidora.htm"))))
        << "a later level waits for the next ShowFrmVideo";

    ASSERT_EQ(launch(true), -1);
    video->LanceVideo(QStringLiteral("lecon.avi"), QStringLiteral("bad"), times, texts, 3, 0);
    QFile trace(temp.filePath(QStringLiteral("VVidora.htm")));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(trace.readAll());
    for (const char* line : {"Initialisation - ", "Public Function LanceVideo", "Fin Public Function LanceVideo",
                             "siDebutFin = bad", "<B>Erreur</B></FONT> 13 : "})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
}

}  // namespace
}  // namespace vidoratest

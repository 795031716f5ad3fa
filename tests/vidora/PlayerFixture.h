#pragma once

#include "vidora/CAsfVideoKav.h"
#include "vidora/VidoraContext.h"
#include "vidora/frmVideo.h"

#include "support/FakeMediaPlayer.h"
#include "support/FakeTimers.h"
#include "support/ManualClock.h"
#include "toolkit/usrButton.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace vidoratest {

constexpr long Up = toolkit::usrButton::PositionUp;
constexpr long Down = toolkit::usrButton::PositionDown;
constexpr long Disabled = toolkit::usrButton::PositionDisabled;

// A player object on a fresh context, with fake timers, a fake media player,
// an audio output and a private temporary folder.
class PlayerTest : public ::testing::Test {
protected:
    PlayerTest()
    {
        context.timers = &timers;
        context.createPlayer = testsupport::fakeMediaPlayers(player);
        context.hasAudioOutput = [this] { return audioOutput; };
        context.screenSize = [] { return QSize(800, 600); };
        context.temporaryRoot = temp.path();
    }

    ~PlayerTest() override
    {
        video.reset();
        // A window deleted later, after a host dropped the player inside ExitVideo.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void makePlayer()
    {
        video = std::make_unique<vidora::CAsfVideoKav>(context);
        QObject::connect(video.get(), &vidora::CAsfVideoKav::ExitVideo, [this] { ++exits; });
    }

    void SetUp() override { makePlayer(); }

    vidora::frmVideo& window() const { return *video->window(); }

    // Three sequences of ten seconds over a 31-second range (played up to 30 s).
    QStringList times{QStringLiteral("00:00:00-00:10:00"), QStringLiteral("00:10:00-00:20:00"),
                      QStringLiteral("00:20:00-00:30:00")};
    QStringList texts{QStringLiteral("<p>Première séquence</p>"), QStringLiteral("<p>Deuxième</p>"),
                      QStringLiteral("<p>Troisième</p>")};
    QString range = QStringLiteral("00:00:00#00:31:00");

    short launch(bool withSound, long startSequence = 0)
    {
        video->AvecSon(withSound);
        video->ShowFrmVideo();
        return video->LanceVideo(QStringLiteral("lecon.avi"), range, times, texts, static_cast<short>(times.size()),
                                 startSequence);
    }

    // The video plays on for that long, the timers running every 50 ms.
    void playFor(double seconds)
    {
        for (int step = 0; step < seconds * 20; ++step) {
            if (player)
                player->advance(0.05);
            clock.advanceMs(50);
        }
    }

    // The files of the pages folder, "" when it is gone.
    QStringList pageFiles() const
    {
        QDir dir(temp.path());
        QStringList files;
        for (const QString& folder : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            files += QDir(dir.filePath(folder)).entryList(QDir::Files);
        return files;
    }

    testsupport::ManualClock clock;
    testsupport::FakeTimers timers{clock};
    QTemporaryDir temp;
    vidora::VidoraContext context;
    bool audioOutput = true;
    // Null once the window that owns it has gone.
    QPointer<testsupport::FakeMediaPlayer> player;
    std::unique_ptr<vidora::CAsfVideoKav> video;
    int exits = 0;
};

}  // namespace vidoratest

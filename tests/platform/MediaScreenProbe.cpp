// Plays a video through the Qt media player in a window on whatever screen
// the environment gives, as the programs do, and says whether it played:
// exit 0 once a second has played, 1 when the player failed, 2 when nothing
// happened in time.
//   media_screen_probe FILE

#include "platform/EventLoopWait.h"
#include "platform/QtMediaPlayer.h"

#include <QApplication>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: media_screen_probe FILE\n");
        return 2;
    }
    using namespace std::chrono_literals;
    QWidget window;
    window.resize(480, 360);
    platform::QtMediaPlayer player;
    player.createVideoOutput(&window)->setGeometry(window.rect());
    window.show();

    QString failure;
    QObject::connect(&player, &platform::MediaPlayer::errorOccurred,
                     [&](platform::MediaPlayer::Error, const QString& text) { failure = text; });
    // As the video player does: the document is read, then played.
    player.open(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    platform::waitUntil([&] { return player.openState() != platform::MediaPlayer::OpenState::Opening; }, 20s);
    player.play();
    const bool played = platform::waitUntil([&] { return !failure.isEmpty() || player.position() >= 1.0; }, 20s);
    std::printf("position %.2f\n", player.position());
    if (!failure.isEmpty()) {
        std::printf("error %s\n", qPrintable(failure));
        return 1;
    }
    return played ? 0 : 2;
}

// One clip through the real media player, offscreen, from start to end.

#include "vidora/CAsfVideoKav.h"
#include "vidora/VidoraContext.h"
#include "vidora/frmVideo.h"

#include "platform/QtTimers.h"

#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RealPlayerTest, PlaysTheSampleClipToItsEnd)
{
    QTemporaryDir temp;
    vidora::VidoraContext context;
    context.temporaryRoot = temp.path();
    context.screenSize = [] { return QSize(800, 600); };
    vidora::CAsfVideoKav video(context);
    ASSERT_EQ(video.StateErrorEnCours(), 1);
    int exits = 0;
    QObject::connect(&video, &vidora::CAsfVideoKav::ExitVideo, [&] { ++exits; });

    video.AvecSon(true);
    video.ShowFrmVideo();
    // The clip lasts 3.2 s: the range's end of 4 s leaves at 3 s.
    const short launched = video.LanceVideo(QStringLiteral(SAMPLES_DIR "/media/lecon12.avi"),
                                            QStringLiteral("00:00:00#00:04:00"), {QStringLiteral("00:00:00-00:03:00")},
                                            {QStringLiteral("<p>Leçon</p>")}, 1, 0);
    ASSERT_EQ(launched, -1) << video.LastError().toStdString();
    EXPECT_TRUE(video.window()->isVisible());
    EXPECT_TRUE(platform::QtTimers::instance().waitUntil([&] { return exits > 0; }, std::chrono::seconds(20)));
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(video.window()->isVisible());
    EXPECT_TRUE(video.window()->lblTime()->text().startsWith(QStringLiteral(" 0:2:")));
}

TEST(RealPlayerTest, AFileThatIsNotThereEndsTheLaunchWithThePlayersReason)
{
    QTemporaryDir temp;
    vidora::VidoraContext context;
    context.temporaryRoot = temp.path();
    vidora::CAsfVideoKav video(context);
    video.AvecSon(true);
    EXPECT_EQ(video.LanceVideo(temp.filePath(QStringLiteral("absente.avi")), QStringLiteral("00:00:00#00:04:00"),
                               {QStringLiteral("00:00:00-00:03:00")}, {QString()}, 1, 0),
              0);
    EXPECT_EQ(video.StateErrorEnCours(), basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_SetFile);
    EXPECT_FALSE(video.LastError().isEmpty());
}

}  // namespace

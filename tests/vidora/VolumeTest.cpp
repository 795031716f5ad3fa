// The volume: the launch's volume, the slider, the mute box, what the host
// reads back after the video, and the output volume's own operations.

#include "PlayerFixture.h"

#include "vidora/VolumeOcx.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace vidoratest {
namespace {

TEST_F(PlayerTest, TheLearnersVolumeIsSavedAndTheLaunchVolumePutBack)
{
    video->VolumeInitial(30000);
    ASSERT_EQ(launch(true), -1);
    window().sldVolume()->setValue(20000);
    EXPECT_EQ(player->volume(), 20000);
    EXPECT_EQ(window().lblVolume()->text(), QStringLiteral(" 31%"));
    playFor(1);
    EXPECT_EQ(window().sldVolume()->value(), 20000) << "the slider's value is the volume";

    window().kavbtnQuitter_Click();
    EXPECT_EQ(video->VolumeInitial(), 20000);
    EXPECT_EQ(player->volume(), 65535) << "the volume in force at launch";
}

TEST_F(PlayerTest, MutingKeepsTheVolumeForTheUnmute)
{
    video->VolumeInitial(30000);
    ASSERT_EQ(launch(true), -1);
    window().chkVolume()->click();
    EXPECT_EQ(player->volume(), 0);
    EXPECT_EQ(window().sldVolume()->value(), 0);
    EXPECT_FALSE(window().sldVolume()->isEnabled());
    EXPECT_EQ(window().lblVolume()->text(), QStringLiteral("0%"));
    EXPECT_FALSE(window().lblVolume()->isEnabled());

    playFor(1);
    window().kavbtnStop_MouseDown();
    window().kavbtnPlay_MouseDown();
    EXPECT_EQ(player->volume(), 0) << "playing again keeps the mute";

    window().chkVolume()->click();
    EXPECT_EQ(player->volume(), 30000);
    EXPECT_EQ(window().sldVolume()->value(), 30000);
    EXPECT_TRUE(window().sldVolume()->isEnabled());
    EXPECT_EQ(window().lblVolume()->text(), QStringLiteral(" 46%"));
    EXPECT_TRUE(window().lblVolume()->isEnabled());
}

TEST_F(PlayerTest, TextModeSavesTheLearnersVolumeNotItsSilence)
{
    video->VolumeInitial(30000);
    ASSERT_EQ(launch(false), -1);
    window().kavbtnPlay_MouseDown();
    playFor(2);
    EXPECT_EQ(player->volume(), 0);
    window().kavbtnQuitter_Click();
    EXPECT_EQ(video->VolumeInitial(), 30000);
    EXPECT_FALSE(video->AvecSon());
}

TEST_F(PlayerTest, TheLaunchVolumeIsClampedOrKept)
{
    struct Case {
        long initial;
        int before;
        int played;
    };
    const Case cases[] = {{70000, 65535, 65535}, {-5, 65535, 0}, {-1, 12345, 12345}, {0, 500, 0}};
    for (const Case& c : cases) {
        player->setVolume(c.before);
        video->VolumeInitial(c.initial);
        ASSERT_EQ(launch(true), -1) << c.initial;
        EXPECT_EQ(player->volume(), c.played) << c.initial;
        EXPECT_EQ(window().sldVolume()->value(), c.played) << c.initial;
        window().kavbtnQuitter_Click();
        EXPECT_EQ(player->volume(), c.before) << c.initial;
    }
}

TEST_F(PlayerTest, WithoutAnAudioOutputTheVolumeIsNeverTouched)
{
    audioOutput = false;
    makePlayer();
    EXPECT_FALSE(video->AvecSon());
    video->VolumeInitial(30000);
    ASSERT_EQ(launch(true), -1);
    window().sldVolume()->setValue(1000);
    playFor(1);
    window().kavbtnQuitter_Click();
    for (const QString& call : player->calls())
        EXPECT_FALSE(call.startsWith(QStringLiteral("volume"))) << call.toStdString();
}

TEST(VolumeOcxTest, SetsOneChannelWordAndRefusesWhatFitsNone)
{
    vidora::VidoraContext context;
    testsupport::FakeMediaPlayer player;
    struct Case {
        long asked;
        bool ok;
        int volume;
    };
    const Case cases[] = {{65535, true, 65535}, {-1, true, 65535}, {0, true, 0}, {32768, true, 32768},
                          {-32768, true, 32768}, {98304, false, 0}, {-98305, false, 0}, {-65537, true, 65535}};
    for (const Case& c : cases) {
        player.setVolume(0);
        context.pulStateErreurEnCours = 1;
        EXPECT_EQ(vidora::SetVolumeSon(context, &player, c.asked), c.ok) << c.asked;
        if (c.ok) {
            EXPECT_EQ(player.volume(), c.volume) << c.asked;
        } else {
            EXPECT_EQ(context.pulStateErreurEnCours,
                      basalo::enuFunctionReturnState_VVidora_VolumeOcx_SetVolumeSon_ErreurInconnue);
            EXPECT_EQ(context.lastError.number(), platform::Overflow);
        }
    }
    long volume = 7;
    EXPECT_FALSE(vidora::GetVolumeSon(context, nullptr, volume));
    EXPECT_EQ(volume, 7);
    EXPECT_EQ(context.pulStateErreurEnCours, basalo::enuFunctionReturnState_VVidora_VolumeOcx_GetVolumeSon_ErreurInconnue);
    EXPECT_EQ(context.lastError.number(), platform::ObjectNotSet);
}

}  // namespace
}  // namespace vidoratest

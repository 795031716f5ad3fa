// One contract for every media player: the Qt one on a real sample clip, and
// the fake that the windows' tests drive by hand.

#include "platform/EventLoopWait.h"
#include "platform/QtMediaPlayer.h"
#include "support/FakeMediaPlayer.h"

#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace std::chrono_literals;
using platform::MediaPlayer;

// The sample clip lasts 3.2 seconds.
constexpr double clipSeconds = 3.2;

QUrl sampleClip()
{
    return QUrl::fromLocalFile(QStringLiteral(SAMPLES_DIR "/media/lecon12.avi"));
}

QUrl missingClip()
{
    return QUrl::fromLocalFile(QStringLiteral(SAMPLES_DIR "/media/absent.avi"));
}

// A player and the way time passes for it.
class PlayerHarness {
public:
    virtual ~PlayerHarness() = default;
    virtual MediaPlayer& player() = 0;
    // The player goes; player() must not be called again.
    virtual void destroyPlayer() = 0;
    // Lets the player work until done() holds or the time-out has passed.
    virtual bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) = 0;
};

class QtHarness final : public PlayerHarness {
public:
    MediaPlayer& player() override { return *player_; }
    void destroyPlayer() override { player_.reset(); }
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) override
    {
        return platform::waitUntil(done, timeout);
    }

private:
    std::unique_ptr<platform::QtMediaPlayer> player_ = std::make_unique<platform::QtMediaPlayer>();
};

// The fake reads documents only when time passes, and plays 0.1 second a step.
class FakeHarness final : public PlayerHarness {
public:
    FakeHarness()
    {
        player_->setOpenAtOnce(false);
        player_->setMediaDuration(clipSeconds);
    }
    MediaPlayer& player() override { return *player_; }
    void destroyPlayer() override { player_.reset(); }
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) override
    {
        for (auto passed = 0ms; passed < timeout && player_; passed += 100ms) {
            if (done())
                return true;
            if (player_->openState() == MediaPlayer::OpenState::Opening) {
                if (player_->address() == missingClip())
                    player_->failOpening(MediaPlayer::Error::Resource, QStringLiteral("not found"));
                else
                    player_->finishOpening();
            }
            if (player_)
                player_->advance(0.1);
        }
        return done();
    }

private:
    std::unique_ptr<testsupport::FakeMediaPlayer> player_ = std::make_unique<testsupport::FakeMediaPlayer>();
};

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<PlayerHarness>()> make;
};

class MediaPlayerContract : public ::testing::TestWithParam<Implementation> {
protected:
    void SetUp() override { harness_ = GetParam().make(); }

    MediaPlayer& player() { return harness_->player(); }
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s)
    {
        return harness_->waitUntil(done, timeout);
    }
    void openClip()
    {
        player().open(sampleClip());
        ASSERT_TRUE(waitUntil([this] { return player().openState() != MediaPlayer::OpenState::Opening; }));
        ASSERT_EQ(player().openState(), MediaPlayer::OpenState::Open) << player().errorText().toStdString();
    }

    std::unique_ptr<PlayerHarness> harness_;
};

TEST_P(MediaPlayerContract, OpensAClipStoppedAtItsStartWithItsDuration)
{
    QSignalSpy opened(&player(), &MediaPlayer::openStateChanged);
    openClip();

    EXPECT_EQ(player().state(), MediaPlayer::State::Stopped);
    EXPECT_NEAR(player().duration(), clipSeconds, 0.15);
    EXPECT_EQ(player().position(), 0);
    EXPECT_EQ(player().error(), MediaPlayer::Error::None);
    ASSERT_GE(opened.count(), 2);
    EXPECT_EQ(opened.first().first().value<MediaPlayer::OpenState>(), MediaPlayer::OpenState::Opening);
    EXPECT_EQ(opened.last().first().value<MediaPlayer::OpenState>(), MediaPlayer::OpenState::Open);
}

TEST_P(MediaPlayerContract, PlaysToTheEndAndStopsThereAtTheDuration)
{
    openClip();
    QSignalSpy states(&player(), &MediaPlayer::stateChanged);
    player().play();
    EXPECT_EQ(player().state(), MediaPlayer::State::Playing);

    ASSERT_TRUE(waitUntil([this] { return player().state() == MediaPlayer::State::Stopped; }));
    EXPECT_DOUBLE_EQ(player().position(), player().duration());
    EXPECT_EQ(player().error(), MediaPlayer::Error::None);
    ASSERT_EQ(states.count(), 2);
    EXPECT_EQ(states.at(0).first().value<MediaPlayer::State>(), MediaPlayer::State::Playing);
    EXPECT_EQ(states.at(1).first().value<MediaPlayer::State>(), MediaPlayer::State::Stopped);

    // Playing again starts over.
    player().play();
    EXPECT_TRUE(waitUntil([this] { return player().position() < 1.0; }, 2s));
    EXPECT_EQ(player().state(), MediaPlayer::State::Playing);
}

TEST_P(MediaPlayerContract, PauseKeepsThePositionAndStopGoesBackToTheStart)
{
    openClip();
    player().play();
    ASSERT_TRUE(waitUntil([this] { return player().position() >= 0.5; }));
    player().pause();
    EXPECT_EQ(player().state(), MediaPlayer::State::Paused);
    const double paused = player().position();
    EXPECT_GE(paused, 0.5);
    EXPECT_LT(paused, clipSeconds);
    waitUntil([] { return false; }, 300ms);
    EXPECT_DOUBLE_EQ(player().position(), paused);

    // Pausing a paused document does nothing.
    QSignalSpy states(&player(), &MediaPlayer::stateChanged);
    player().pause();
    EXPECT_EQ(states.count(), 0);

    player().play();
    EXPECT_EQ(player().state(), MediaPlayer::State::Playing);
    player().stop();
    EXPECT_EQ(player().state(), MediaPlayer::State::Stopped);
    EXPECT_EQ(player().position(), 0);
}

TEST_P(MediaPlayerContract, SeeksWithinTheDocumentAndHoldsPositionsOutsideIt)
{
    openClip();
    player().play();
    player().pause();

    player().setPosition(1.5);
    EXPECT_TRUE(waitUntil([this] { return std::abs(player().position() - 1.5) < 0.1; }, 5s))
        << player().position();
    player().setPosition(-3);
    EXPECT_TRUE(waitUntil([this] { return player().position() < 0.1; }, 5s)) << player().position();
    player().setPosition(99);
    EXPECT_TRUE(waitUntil([this] { return player().position() > player().duration() - 0.3; }, 5s))
        << player().position();
}

TEST_P(MediaPlayerContract, AMissingFileFailsAndLeavesThePlayerStoppedUntilTheNextOpen)
{
    QSignalSpy errors(&player(), &MediaPlayer::errorOccurred);
    player().open(missingClip());
    ASSERT_TRUE(waitUntil([this] { return player().openState() != MediaPlayer::OpenState::Opening; }));

    EXPECT_EQ(player().openState(), MediaPlayer::OpenState::Failed);
    EXPECT_EQ(player().error(), MediaPlayer::Error::Resource);
    EXPECT_FALSE(player().errorText().isEmpty());
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(player().duration(), 0);

    QSignalSpy states(&player(), &MediaPlayer::stateChanged);
    player().play();
    player().setPosition(1);
    player().stop();
    EXPECT_EQ(player().state(), MediaPlayer::State::Stopped);
    EXPECT_EQ(player().position(), 0);
    EXPECT_EQ(states.count(), 0);
    EXPECT_EQ(player().error(), MediaPlayer::Error::Resource);

    // The next document starts without the old error.
    openClip();
    EXPECT_EQ(player().error(), MediaPlayer::Error::None);
    EXPECT_TRUE(player().errorText().isEmpty());
}

TEST_P(MediaPlayerContract, CloseForgetsTheDocumentAndNothingPlaysWithoutOne)
{
    player().play();
    EXPECT_EQ(player().state(), MediaPlayer::State::Stopped);

    openClip();
    player().play();
    player().close();
    EXPECT_EQ(player().openState(), MediaPlayer::OpenState::Closed);
    EXPECT_EQ(player().state(), MediaPlayer::State::Stopped);
    EXPECT_EQ(player().duration(), 0);
    player().play();
    EXPECT_EQ(player().state(), MediaPlayer::State::Stopped);
}

TEST_P(MediaPlayerContract, VolumeIsHeldToItsRangeAndKeptAcrossDocuments)
{
    EXPECT_EQ(player().volume(), MediaPlayer::maxVolume);
    player().setVolume(32768);
    EXPECT_EQ(player().volume(), 32768);
    openClip();
    EXPECT_EQ(player().volume(), 32768);
    player().setVolume(-1);
    EXPECT_EQ(player().volume(), 0);
    player().setVolume(70000);
    EXPECT_EQ(player().volume(), MediaPlayer::maxVolume);
}

TEST_P(MediaPlayerContract, MakesAVideoOutputOwnedByItsParent)
{
    QWidget window;
    QWidget* output = player().createVideoOutput(&window);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->parent(), &window);
}

TEST_P(MediaPlayerContract, AHandlerMayDestroyThePlayer)
{
    bool gone = false;
    const auto destroyOn = [&](auto signal, auto condition) {
        QObject::connect(&player(), signal, [&, condition](auto value) {
            if (!gone && condition(value)) {
                gone = true;
                harness_->destroyPlayer();
            }
        });
    };
    destroyOn(&MediaPlayer::errorOccurred, [](MediaPlayer::Error) { return true; });
    player().open(missingClip());
    EXPECT_TRUE(waitUntil([&] { return gone; }));

    harness_ = GetParam().make();
    gone = false;
    destroyOn(&MediaPlayer::openStateChanged, [](MediaPlayer::OpenState state) { return state == MediaPlayer::OpenState::Open; });
    player().open(sampleClip());
    EXPECT_TRUE(waitUntil([&] { return gone; }));
}

INSTANTIATE_TEST_SUITE_P(
    Players, MediaPlayerContract,
    ::testing::Values(Implementation{"Qt", [] { return std::make_unique<QtHarness>(); }},
                      Implementation{"Fake", [] { return std::make_unique<FakeHarness>(); }}),
    [](const ::testing::TestParamInfo<Implementation>& info) { return std::string(info.param.name); });

}  // namespace

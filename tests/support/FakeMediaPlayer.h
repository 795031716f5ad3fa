#pragma once

#include "platform/MediaPlayer.h"

#include <QStringList>

#include <memory>

namespace testsupport {

// A media player whose document, position and errors the test sets. It keeps
// the contract of platform::MediaPlayer. open() opens the document at once;
// after setOpenAtOnce(false) it stays Opening until the test calls
// finishOpening() or failOpening().
class FakeMediaPlayer final : public platform::MediaPlayer {
    Q_OBJECT
public:
    using MediaPlayer::MediaPlayer;

    void open(const QUrl& address) override;
    void close() override;
    void play() override;
    void pause() override;
    void stop() override;
    State state() const override { return state_; }
    OpenState openState() const override { return openState_; }
    Error error() const override { return error_; }
    QString errorText() const override { return errorText_; }
    double position() const override { return position_; }
    void setPosition(double seconds) override;
    double duration() const override { return openState_ == OpenState::Open ? duration_ : 0; }
    int volume() const override { return volume_; }
    void setVolume(int volume) override;
    bool hasSoundOutput() const override { return soundOutput_; }
    QWidget* createVideoOutput(QWidget* parent) override;

    // The duration of every document opened from now on (seconds).
    void setMediaDuration(double seconds) { duration_ = seconds; }
    void setOpenAtOnce(bool atOnce) { openAtOnce_ = atOnce; }
    void setSoundOutput(bool present) { soundOutput_ = present; }
    // The document being opened is read: Open, with the media duration.
    void finishOpening();
    // The document being opened (or played) fails with that error.
    void failOpening(Error error, const QString& text);
    // Time passes for a playing document: the position moves on, and at the
    // duration the document ends (Stopped, position = duration).
    void advance(double seconds);

    // The address of the last open(), empty after close().
    QUrl address() const { return address_; }
    // Every call of the interface that changes something, in order: "open
    // <address>", "close", "play", "pause", "stop", "seek <seconds>",
    // "volume <value>".
    const QStringList& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    // The last video output made, nullptr before any.
    QWidget* videoOutput() const { return videoOutput_; }

private:
    void setState(State state);
    void setOpenState(OpenState openState);
    bool hasDocument() const { return openState_ == OpenState::Opening || openState_ == OpenState::Open; }

    State state_ = State::Stopped;
    OpenState openState_ = OpenState::Closed;
    Error error_ = Error::None;
    QString errorText_;
    double position_ = 0;
    double duration_ = 60;
    int volume_ = maxVolume;
    bool openAtOnce_ = true;
    bool soundOutput_ = true;
    QUrl address_;
    QStringList calls_;
    QWidget* videoOutput_ = nullptr;
};

// A factory of fake media players, for a context's or a session's media
// player service, that keeps the last player it made in `last` (a raw pointer
// or a QPointer), which must outlive the factory.
template <typename Pointer>
auto fakeMediaPlayers(Pointer& last)
{
    return [&last] {
        auto made = std::make_unique<FakeMediaPlayer>();
        last = made.get();
        return made;
    };
}

}  // namespace testsupport

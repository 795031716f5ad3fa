#include "support/FakeMediaPlayer.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace testsupport {

void FakeMediaPlayer::open(const QUrl& address)
{
    calls_ << QStringLiteral("open ") + address.toString();
    address_ = address;
    error_ = Error::None;
    errorText_.clear();
    position_ = 0;
    const QPointer<FakeMediaPlayer> alive(this);
    setState(State::Stopped);
    if (alive)
        setOpenState(address.isEmpty() ? OpenState::Closed : OpenState::Opening);
    if (alive && openAtOnce_ && openState_ == OpenState::Opening)
        finishOpening();
}

void FakeMediaPlayer::close()
{
    calls_ << QStringLiteral("close");
    address_.clear();
    error_ = Error::None;
    errorText_.clear();
    position_ = 0;
    const QPointer<FakeMediaPlayer> alive(this);
    setState(State::Stopped);
    if (alive)
        setOpenState(OpenState::Closed);
}

void FakeMediaPlayer::play()
{
    if (!hasDocument())
        return;
    calls_ << QStringLiteral("play");
    const QPointer<FakeMediaPlayer> alive(this);
    if (state_ == State::Stopped && position_ >= duration_ && openState_ == OpenState::Open) {
        position_ = 0;
        emit positionChanged(0);
    }
    if (alive)
        setState(State::Playing);
}

void FakeMediaPlayer::pause()
{
    if (state_ != State::Playing)
        return;
    calls_ << QStringLiteral("pause");
    setState(State::Paused);
}

void FakeMediaPlayer::stop()
{
    if (!hasDocument())
        return;
    calls_ << QStringLiteral("stop");
    const bool moved = position_ != 0;
    position_ = 0;
    const QPointer<FakeMediaPlayer> alive(this);
    setState(State::Stopped);
    if (alive && moved)
        emit positionChanged(0);
}

void FakeMediaPlayer::setPosition(double seconds)
{
    if (openState_ != OpenState::Open || std::isnan(seconds))
        return;
    calls_ << QStringLiteral("seek ") + QString::number(seconds);
    position_ = std::clamp(seconds, 0.0, duration_);
    emit positionChanged(position_);
}

void FakeMediaPlayer::setVolume(int volume)
{
    volume_ = std::clamp(volume, 0, maxVolume);
    calls_ << QStringLiteral("volume ") + QString::number(volume_);
}

QWidget* FakeMediaPlayer::createVideoOutput(QWidget* parent)
{
    videoOutput_ = new QWidget(parent);
    return videoOutput_;
}

void FakeMediaPlayer::finishOpening()
{
    if (openState_ != OpenState::Opening)
        return;
    const QPointer<FakeMediaPlayer> alive(this);
    setOpenState(OpenState::Open);
    if (alive)
        emit durationChanged(duration_);
}

void FakeMediaPlayer::failOpening(Error error, const QString& text)
{
    if (!hasDocument())
        return;
    error_ = error;
    errorText_ = text;
    position_ = 0;
    const QPointer<FakeMediaPlayer> alive(this);
    setOpenState(OpenState::Failed);
    if (alive)
        setState(State::Stopped);
    if (alive)
        emit errorOccurred(error_, errorText_);
}

void FakeMediaPlayer::advance(double seconds)
{
    if (openState_ != OpenState::Open || state_ != State::Playing)
        return;
    position_ = std::min(position_ + seconds, duration_);
    const QPointer<FakeMediaPlayer> alive(this);
    emit positionChanged(position_);
    if (alive && position_ >= duration_)
        setState(State::Stopped);
}

void FakeMediaPlayer::setState(State state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state_);
}

void FakeMediaPlayer::setOpenState(OpenState openState)
{
    if (openState_ == openState)
        return;
    openState_ = openState;
    emit openStateChanged(openState_);
}

}  // namespace testsupport

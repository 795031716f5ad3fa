#include "platform/QtMediaPlayer.h"

#include "platform/VideoFrameImage.h"

#include <QAudioDevice>
#include <QImage>
#include <QMediaDevices>
#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Draws the frames of a video sink itself, so that a picture of the window
// (grab, offscreen) shows the video as the learner sees it; a video widget
// on a native surface of its own would stay black there.
class VideoFrameWidget final : public QWidget {
public:
    explicit VideoFrameWidget(QWidget* parent) : QWidget(parent), sink_(new QVideoSink(this))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        QObject::connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
            frame_ = videoFrameImage(frame);
            update();
        });
    }
    QVideoSink* sink() const { return sink_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (frame_.isNull())
            return;
        const QSize shown = frame_.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, frame_);
    }

private:
    QVideoSink* sink_;
    QImage frame_;
};

}  // namespace

bool workstationHasSoundOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

QtMediaPlayer::QtMediaPlayer(QObject* parent) : MediaPlayer(parent)
{
    audio_.setVolume(1.0f);
    makePlayer();
}

QtMediaPlayer::~QtMediaPlayer()
{
    // Unless a handler of its own signal destroys us, the last player goes at
    // once: no event loop may run again to take it.
    if (player_ && handling_ == 0) {
        const std::unique_ptr<QMediaPlayer> last(player_.release());
        last->disconnect(this);
        last->stop();
        last->setAudioOutput(nullptr);
        last->setVideoSink(nullptr);
    }
}

// The old player may be the sender of the signal being handled: it goes once
// control is back in the event loop, silent from now on.
void QtMediaPlayer::Retire::operator()(QMediaPlayer* old) const
{
    old->disconnect();
    old->stop();
    old->setAudioOutput(nullptr);
    old->setVideoSink(nullptr);
    old->deleteLater();
}

void QtMediaPlayer::makePlayer()
{
    player_.reset(new QMediaPlayer);
    player_->setAudioOutput(&audio_);
    if (videoOutput_)
        player_->setVideoSink(static_cast<VideoFrameWidget*>(videoOutput_.data())->sink());
    QMediaPlayer* const player = player_.get();
    connect(player, &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::onMediaStatus);
    connect(player, &QMediaPlayer::errorOccurred, this, &QtMediaPlayer::onError);
    connect(player, &QMediaPlayer::playbackStateChanged, this, [this] {
        const Handling handling(*this);
        reportState();
    });
    connect(player, &QMediaPlayer::positionChanged, this, [this] {
        const Handling handling(*this);
        if (openState_ == OpenState::Open)
            emit positionChanged(position());
    });
    connect(player, &QMediaPlayer::durationChanged, this, [this] {
        const Handling handling(*this);
        if (openState_ == OpenState::Open)
            emit durationChanged(duration());
    });
}

void QtMediaPlayer::open(const QUrl& address)
{
    const QPointer<QtMediaPlayer> alive(this);
    const OpenState before = openState_;
    makePlayer();
    atEnd_ = false;
    error_ = Error::None;
    errorText_.clear();
    // Qt may report a document it cannot read from inside setSource: the
    // state says Opening already, and is told once the source is set.
    openState_ = address.isEmpty() ? OpenState::Closed : OpenState::Opening;
    player_->setSource(address);
    if (openState_ != before && openState_ != OpenState::Failed)
        emit openStateChanged(openState_);
    if (!alive)
        return;
    reportState();
    // A document that Qt has read at once is open already.
    if (alive && openState_ == OpenState::Opening)
        onMediaStatus(player_->mediaStatus());
}

void QtMediaPlayer::close()
{
    open(QUrl());
}

void QtMediaPlayer::play()
{
    if (openState_ != OpenState::Opening && openState_ != OpenState::Open)
        return;
    if (atEnd_) {
        atEnd_ = false;
        player_->setPosition(0);
    }
    player_->play();
    reportState();
}

void QtMediaPlayer::pause()
{
    if (state() != State::Playing)
        return;
    player_->pause();
    reportState();
}

void QtMediaPlayer::stop()
{
    if (openState_ != OpenState::Opening && openState_ != OpenState::Open)
        return;
    const bool moved = atEnd_ || player_->position() != 0;
    atEnd_ = false;
    player_->stop();
    player_->setPosition(0);
    const QPointer<QtMediaPlayer> alive(this);
    reportState();
    if (alive && moved && openState_ == OpenState::Open)
        emit positionChanged(0);
}

MediaPlayer::State QtMediaPlayer::state() const
{
    if (openState_ != OpenState::Opening && openState_ != OpenState::Open)
        return State::Stopped;
    switch (player_->playbackState()) {
    case QMediaPlayer::PlayingState:
        return State::Playing;
    case QMediaPlayer::PausedState:
        return State::Paused;
    case QMediaPlayer::StoppedState:
        break;
    }
    return State::Stopped;
}

double QtMediaPlayer::position() const
{
    if (openState_ != OpenState::Open)
        return 0;
    if (atEnd_)
        return duration();
    return static_cast<double>(player_->position()) / 1000.0;
}

void QtMediaPlayer::setPosition(double seconds)
{
    if (openState_ != OpenState::Open || std::isnan(seconds))
        return;
    atEnd_ = false;
    const double held = std::clamp(seconds, 0.0, duration());
    player_->setPosition(static_cast<qint64>(std::llround(held * 1000.0)));
}

double QtMediaPlayer::duration() const
{
    if (openState_ != OpenState::Open)
        return 0;
    return static_cast<double>(std::max<qint64>(player_->duration(), 0)) / 1000.0;
}

void QtMediaPlayer::setVolume(int volume)
{
    volume_ = std::clamp(volume, 0, maxVolume);
    audio_.setVolume(static_cast<float>(volume_) / static_cast<float>(maxVolume));
}

QWidget* QtMediaPlayer::createVideoOutput(QWidget* parent)
{
    auto* output = new VideoFrameWidget(parent);
    videoOutput_ = output;
    player_->setVideoSink(output->sink());
    return output;
}

void QtMediaPlayer::onMediaStatus(QMediaPlayer::MediaStatus status)
{
    const Handling handling(*this);
    switch (status) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::StalledMedia:
        if (openState_ == OpenState::Opening) {
            const QPointer<QtMediaPlayer> alive(this);
            setOpenState(OpenState::Open);
            if (alive)
                emit durationChanged(duration());
        }
        break;
    case QMediaPlayer::EndOfMedia:
        if (openState_ == OpenState::Open) {
            const QPointer<QtMediaPlayer> alive(this);
            atEnd_ = true;
            emit positionChanged(position());
            if (alive)
                reportState();
        }
        break;
    case QMediaPlayer::InvalidMedia:
        if (openState_ == OpenState::Opening || openState_ == OpenState::Open)
            fail(Error::Format, player_->errorString());
        break;
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::LoadingMedia:
        break;
    }
}

void QtMediaPlayer::onError(QMediaPlayer::Error error, const QString& text)
{
    const Handling handling(*this);
    if (openState_ != OpenState::Opening && openState_ != OpenState::Open)
        return;
    switch (error) {
    case QMediaPlayer::NoError:
        return;
    case QMediaPlayer::ResourceError:
        fail(Error::Resource, text);
        return;
    case QMediaPlayer::FormatError:
        fail(Error::Format, text);
        return;
    case QMediaPlayer::NetworkError:
        fail(Error::Network, text);
        return;
    case QMediaPlayer::AccessDeniedError:
        fail(Error::AccessDenied, text);
        return;
    }
    fail(Error::Resource, text);
}

void QtMediaPlayer::fail(Error error, const QString& text)
{
    error_ = error;
    errorText_ = text.isEmpty() ? QStringLiteral("the document cannot be played") : text;
    atEnd_ = false;
    player_->stop();
    // Told last: a handler may destroy the player.
    const QPointer<QtMediaPlayer> alive(this);
    setOpenState(OpenState::Failed);
    if (alive)
        reportState();
    if (alive)
        emit errorOccurred(error_, errorText_);
}

void QtMediaPlayer::setOpenState(OpenState openState)
{
    if (openState_ == openState)
        return;
    openState_ = openState;
    emit openStateChanged(openState_);
}

void QtMediaPlayer::reportState()
{
    const State now = state();
    if (now == reportedState_)
        return;
    reportedState_ = now;
    emit stateChanged(now);
}

}  // namespace platform

#pragma once

#include "platform/MediaPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QPointer>

#include <memory>

namespace platform {

// True when the workstation has a sound output the media player can use.
bool workstationHasSoundOutput();

// The media player on Qt Multimedia: QMediaPlayer with a QAudioOutput for the
// sound and a widget of its own that draws the frames of the picture.
class QtMediaPlayer final : public MediaPlayer {
    Q_OBJECT
public:
    explicit QtMediaPlayer(QObject* parent = nullptr);
    ~QtMediaPlayer() override;

    void open(const QUrl& address) override;
    void close() override;
    void play() override;
    void pause() override;
    void stop() override;
    State state() const override;
    OpenState openState() const override { return openState_; }
    Error error() const override { return error_; }
    QString errorText() const override { return errorText_; }
    double position() const override;
    void setPosition(double seconds) override;
    double duration() const override;
    int volume() const override { return volume_; }
    void setVolume(int volume) override;
    bool hasSoundOutput() const override { return workstationHasSoundOutput(); }
    QWidget* createVideoOutput(QWidget* parent) override;

private:
    void onMediaStatus(QMediaPlayer::MediaStatus status);
    void onError(QMediaPlayer::Error error, const QString& text);
    void fail(Error error, const QString& text);
    void setOpenState(OpenState openState);
    void reportState();
    void makePlayer();

    // Held by every reaction to the Qt player's signals: while one runs, the
    // Qt player is on the stack and must not be deleted at once.
    class Handling {
    public:
        explicit Handling(QtMediaPlayer& player) : player_(&player) { ++player.handling_; }
        ~Handling()
        {
            if (player_)
                --player_->handling_;
        }
        Handling(const Handling&) = delete;
        Handling& operator=(const Handling&) = delete;

    private:
        QPointer<QtMediaPlayer> player_;
    };
    int handling_ = 0;

    QAudioOutput audio_;
    // A new QMediaPlayer for each document: one that has failed may report
    // its old failure again while it reads the next document.
    struct Retire {
        void operator()(QMediaPlayer* old) const;
    };
    std::unique_ptr<QMediaPlayer, Retire> player_;
    QPointer<QWidget> videoOutput_;
    OpenState openState_ = OpenState::Closed;
    Error error_ = Error::None;
    QString errorText_;
    // QMediaPlayer goes back to 0 at the end of a document; we report its end.
    bool atEnd_ = false;
    State reportedState_ = State::Stopped;
    int volume_ = maxVolume;
};

}  // namespace platform

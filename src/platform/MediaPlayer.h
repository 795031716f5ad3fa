#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QWidget;

namespace platform {

// Plays one video or sound document at a time: a local file or an address.
// The Qt implementation is QtMediaPlayer; tests use a fake whose position,
// duration, state and error they set.
//
// Opening is asynchronous: open() returns at once, and the duration, the open
// state and any error arrive later, each with its signal. Signals are emitted
// on the thread that made the player, from its event loop or from inside the
// call that caused them; a handler may call the player again or destroy it.
//
// After a failure (a document that cannot be found, read or played) the
// player holds: openState() Failed, state() Stopped, duration() 0,
// position() 0, error() and errorText() saying why; play, pause, stop and
// setPosition then do nothing until the next open() or close(). The error is
// kept until then, and an operation that does nothing changes no state and
// emits nothing. Nothing here throws.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    enum class State {
        Stopped,
        Playing,
        Paused,
    };
    enum class OpenState {
        Closed,   // no document
        Opening,  // open() called, the document not read yet
        Open,     // the document can be played; its duration is known
        Failed,   // see error()
    };
    enum class Error {
        None,
        Resource,  // not found, or cannot be read
        Format,    // read, but cannot be played
        Network,
        AccessDenied,
    };

    static constexpr int maxVolume = 65535;

    using QObject::QObject;

    // Forgets any previous document and its error, then opens this one
    // (a local file as a file: URL). The state is Stopped until play().
    virtual void open(const QUrl& address) = 0;
    // Forgets the document: openState() Closed, state() Stopped.
    virtual void close() = 0;

    // From Stopped or Paused to Playing; nothing when already playing. A
    // document still opening starts playing once it is open.
    virtual void play() = 0;
    // From Playing to Paused, the position kept; nothing otherwise.
    virtual void pause() = 0;
    // To Stopped, back at position 0.
    virtual void stop() = 0;

    virtual State state() const = 0;
    virtual OpenState openState() const = 0;
    virtual Error error() const = 0;
    // A readable reason for error(), "" without one.
    virtual QString errorText() const = 0;

    // Seconds from the start; when the document has played to its end the
    // state is Stopped and the position is the duration until the next play,
    // stop, seek or open.
    virtual double position() const = 0;
    // Moves to that many seconds, held between 0 and the duration; while the
    // document is opening, nothing. The new position may be reported a little
    // later (positionChanged).
    virtual void setPosition(double seconds) = 0;
    // Seconds; 0 until the document is open.
    virtual double duration() const = 0;

    // The output volume, 0 (silent) to maxVolume; values outside are held to
    // that range. Kept across documents.
    virtual int volume() const = 0;
    virtual void setVolume(int volume) = 0;

    // False when the workstation has no sound output: documents then play
    // their picture without sound.
    virtual bool hasSoundOutput() const = 0;

    // A new widget, owned by parent, that shows the picture of the player's
    // video; the player draws into the last one made while it lives.
    virtual QWidget* createVideoOutput(QWidget* parent) = 0;

signals:
    void stateChanged(platform::MediaPlayer::State state);
    void openStateChanged(platform::MediaPlayer::OpenState openState);
    void positionChanged(double seconds);
    void durationChanged(double seconds);
    void errorOccurred(platform::MediaPlayer::Error error, const QString& text);
};

}  // namespace platform

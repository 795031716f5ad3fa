#pragma once

#include "toolkit/SessionState.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace lumaro {
class Video;
}

namespace vidora {
class CAsfVideoKav;
struct VidoraContext;
}  // namespace vidora

namespace toolkit {
class KavReg;
}  // namespace toolkit

namespace hostsession {

class ModuleSession;

// What the video display asks of the host's question window while a lesson or
// solution video plays: hide it, show a message in its box, give it back.
class QuestionWindow {
public:
    virtual ~QuestionWindow() = default;

    virtual void CacherBarrePourVideo() = 0;
    // 1 OK, 2 Cancel.
    virtual long AfficheMessageBoxBarre(const QString& isMessage, long iMsgBoxStyle) = 0;
    virtual void RetourAfficherVideoManager() = 0;
};

// Where a playback was asked for: its end gives the question window back only
// for a question's own video.
enum class VideoOrigin { Question, Index };

// What differs between the plug-in's video display and the launcher's.
struct VideoDisplaySettings {
    // The module name of the trace lines.
    QString moduleName = QStringLiteral("clsBarreManager");
    // When set, a video read from a folder always carries this extension
    // (the launcher's ".avi"); empty: the session's ExtensionFichierVideo.
    QString localExtension;
    // Read the learner's sound settings before each question video (the
    // plug-in); otherwise the host reads them once.
    bool readSoundEachVideo = true;
    // A failure the player reports leaves the player's own step code (the
    // launcher); otherwise the display's code.
    bool keepPlayerStepCode = false;

    long codeBadCDRomVideo = 0;
    long codeBadUNCVideo = 0;
    long codeShowFrmVideo = 0;
    long codeLanceVideo = 0;
    // While the player is being made, and its unexpected error.
    long codeCreatePlayer = 0;
    long codeCreatePlayerUnexpected = 0;
    // An unexpected error while the sound settings are read.
    long codeInitSon = 0;
};

struct VideoDisplayServices {
    // The player's process state; null: the process default.
    vidora::VidoraContext* vidora = nullptr;
    // The text of a language message, "" when missing.
    std::function<QString(const QString& key)> message;
    // The registry component; null: the sound settings are neither read nor kept.
    std::function<std::shared_ptr<toolkit::KavReg>()> registry;
    // The trace level and folder the player is given when it is made.
    std::function<long()> traceLevel;
    std::function<QString()> traceFolder;
};

// The video player of a module session: it makes the player on first use with
// its texts in the course language, keeps the learner's sound settings in the
// registry between videos, builds a video's address or checks its file, and
// plays it from a sequence. The plug-in and the launcher each hold one.
//
// The player's launch waits with the event loop running, and a question
// video's failure shows a modal box: the owner may end meanwhile. Whatever
// ran then returns false and touches nothing of the display again.
class VideoDisplay : public QObject {
    Q_OBJECT

public:
    VideoDisplay(ModuleSession& session, toolkit::SessionState& state, VideoDisplaySettings settings,
                 VideoDisplayServices services);
    // Closes the player's window and lets the player go.
    ~VideoDisplay() override;

    // Null until the first video, and after releasePlayer.
    vidora::CAsfVideoKav* player() const { return player_.get(); }
    // Makes the player when there is none, with the trace settings and its
    // texts; False, with the step code and error stored, when it cannot work.
    bool createPlayer();
    // Closes the player's window, then lets the player go; nothing when there is none.
    void releasePlayer();

    // The player's captions and tooltips in the course language.
    void piInitLibellesVideo();
    // Reads the learner's sound switch and volume; a value that cannot be read
    // is treated as absent and the default written back.
    bool piInitSon();
    // The video's own wish (no silent version) or the learner's sound
    // setting, and the learner's volume, on the player.
    void applySound(const lumaro::Video& video);
    // Where a question video starts: its beginning with sound, else its first
    // sequence.
    QString questionVideoStart(const lumaro::Video& video) const;

    // Shows the player and starts the video at that sequence. False, with the
    // step code and error stored, when the video's name is not a plain file
    // name, the local file is missing or the player refuses it.
    bool piAfficheVideo(const lumaro::Video& video, const QString& isTitreFenetre, const QString& isDebut,
                        long ilNumSeqDebut, VideoOrigin origin);

    // A question's lesson or solution video, asked for by the question window:
    // played in the player with the window hidden; any failure (no such
    // video included) is shown in the window's box and the window given back.
    void VisuVideo(const std::shared_ptr<lumaro::Video>& video, const QString& isTitreFenetre, QuestionWindow& bar);

    // The origin of the playback under way or last played.
    VideoOrigin origin() const { return origin_; }

signals:
    // The learner left the player; the sound settings are already kept.
    void ExitVideo(VideoOrigin origin);

private:
    void onPlayerExit();
    // The player's failure: its error, with the display's code or its own.
    void playerFailed(long code, const tracel::TraceScope& scope);
    QString message(const QString& key) const;
    std::shared_ptr<toolkit::KavReg> registry() const;

    ModuleSession& session_;
    toolkit::SessionState& state_;
    VideoDisplaySettings settings_;
    VideoDisplayServices services_;
    std::unique_ptr<vidora::CAsfVideoKav> player_;
    VideoOrigin origin_ = VideoOrigin::Question;
    std::shared_ptr<char> alive_ = std::make_shared<char>();
};

}  // namespace hostsession

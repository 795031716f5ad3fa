#pragma once

#include "basalo/enuFunctionReturnState.h"
#include "platform/LastError.h"
#include "platform/RuntimeError.h"
#include "tracel/TraceChannel.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <chrono>
#include <functional>
#include <memory>

namespace platform {
class MediaPlayer;
class Timers;
}  // namespace platform

namespace vidora {

// The most sequences a video may be cut into.
inline constexpr int maxSequences = 20;

// Start and end, in seconds, of each sequence.
using SequenceTable = std::array<std::array<double, 2>, maxSequences>;

// The video player's process-wide state, shared by the player object and its
// window so that both see one set of values, and the services they use. One
// default instance per process; tests make a fresh one each with fakes.
struct VidoraContext {
    VidoraContext();
    VidoraContext(const VidoraContext&) = delete;
    VidoraContext& operator=(const VidoraContext&) = delete;

    static VidoraContext& processDefault();

    // Step code; 1 idle and healthy. The window's handlers act only at 1.
    long pulStateErreurEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    // The last error caught; reading it does not reset it.
    platform::LastError lastError;

    // The volume the host asks for; -1 keeps the volume in force.
    long pulVolumeInitial = -1;
    // The learner's volume, applied while the video plays with sound.
    long pulMemVolume = 0;
    // The volume found at launch, put back when the learner leaves.
    long pulMemOrigineVolume = 0;
    // Sound mode (True) or text mode (False).
    bool pubAvecSon = false;
    // Text mode forbidden: the video has no silent version.
    bool pubPasSansSon = false;
    // An audio output exists.
    bool pubWithSoundCard = false;

    // The media source being played.
    QString sUrlSource;
    // The played range, in seconds; the end is one second before the range's.
    double pudTimeDebut = 0;
    double pudTimeFin = 0;
    // The launch's sequence time strings and sequence count.
    QStringList sequenceTimes;
    long sequenceCount = 0;
    long pulSeqEnCours = 0;
    SequenceTable puaadTimeOfSequences{};

    // Trace level, folder, object and depth.
    tracel::TraceChannel trace;
    QString PathTracel;

    // The hourglass pointer is shown between ShowFrmVideo and the end of the launch.
    bool hourglassShown = false;

    // Services. The timers of the sequence timer, the volume poll and the wait
    // for the video to open.
    platform::Timers* timers;
    // Makes the media player of the window.
    std::function<std::unique_ptr<platform::MediaPlayer>()> createPlayer;
    // True when the workstation has an audio output.
    std::function<bool()> hasAudioOutput;
    // The screen's size in pixels for the window's layout: the part windows
    // may take.
    std::function<QSize()> screenSize;
    // Where each player makes the private folder of its sequence pages.
    QString temporaryRoot;
    // How long the launch waits for the video to open.
    std::chrono::milliseconds openTimeout{30000};

    // Keeps the error and writes its "erreur kav" line.
    void recordError(const platform::RuntimeError& error, tracel::eTypeModuleVB type, const QString& module);
    // Shows or takes away the hourglass pointer, once whatever the number of calls.
    void showHourglass(bool shown);
};

}  // namespace vidora

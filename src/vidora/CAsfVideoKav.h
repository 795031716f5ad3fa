#pragma once

#include "eTypeServeurDiffusion.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace vidora {

struct VidoraContext;
class frmVideo;

// The video player object: the host sets its options and texts, calls
// ShowFrmVideo, then LanceVideo, and waits for ExitVideo, raised when the
// learner leaves the player window or the video has played to its end. After
// ExitVideo, AvecSon and VolumeInitial give the learner's last mode and volume.
//
// The object's playback state lives in its context, shared with its window;
// one object per context is the working case. ExitVideo is a direct signal: a
// handler may destroy the object, and nothing of it is touched afterwards.
class CAsfVideoKav final : public QObject {
    Q_OBJECT

public:
    explicit CAsfVideoKav(VidoraContext& context, QObject* parent = nullptr);
    // Stops the video, puts the volume found at launch back and removes the
    // sequence pages; raises nothing.
    ~CAsfVideoKav() override;

    QString LastError() const;
    long StateErrorEnCours() const;
    long LastErrorNumber() const;
    void ClearError();

    eTypeServeurDiffusion TypeServeurDiffusion() const { return typeServeur_; }
    void TypeServeurDiffusion(const eTypeServeurDiffusion& value) { typeServeur_ = value; }
    long VolumeInitial() const;
    void VolumeInitial(long value);
    bool PasSansSon() const;
    void PasSansSon(bool value);
    bool AvecSon() const;
    void AvecSon(bool value);
    QString TypeDeVideo() const { return typeDeVideo_; }
    void TypeDeVideo(const QString& value) { typeDeVideo_ = value; }
    // Accepted and discarded.
    void Copyright(const QString&) {}
    // Caption of the window's help label of that index (0 to 3).
    void lblAide(short iIndex, const QString& text);
    QString TitreFenetreVideo() const;
    void TitreFenetreVideo(const QString& value);
    void PlayToolTipText(const QString& value);
    void StopToolTipText(const QString& value);
    void PauseToolTipText(const QString& value);
    void SeqArToolTipText(const QString& value);
    void SeqAvToolTipText(const QString& value);
    void SeqSlideToolTipText(const QString& value);
    void VolSlideToolTipText(const QString& value);
    void picAvecOuSansSonToolTipText(const QString& value);
    // The quit button's tooltip (the sequence counter's never changes).
    void LblNoSeqToolTipText(const QString& value);
    long LevelTracelage() const;
    void LevelTracelage(const long& value);
    QString PathTracel() const;
    void PathTracel(const QString& value);

    // Plays the video siUrlSource (a path under a share folder for
    // UNCSansServeur, an address otherwise) over the range siDebutFin, cut
    // into the sequences of asiTime with the pages of asiTexteVideo, from the
    // sequence ilNumSeqDebut. -1 when the window is ready and shown, 0 on
    // failure with the step, the error number and text kept.
    short LanceVideo(const QString& siUrlSource, const QString& siDebutFin, const QStringList& asiTime,
                     const QStringList& asiTexteVideo, short iiNbrSeq, long ilNumSeqDebut);
    // Starts the trace when its level is above 0 and shows the hourglass
    // pointer; the window is shown by LanceVideo.
    bool ShowFrmVideo();
    // Hides the window and stops the video.
    bool HideFrmVideo();
    // Always False.
    bool ErreurModal() const { return false; }

    // The player window, null when the object could not be set up.
    frmVideo* window() const { return pioFrmVideo_.get(); }

signals:
    void ExitVideo();

private:
    // Applies a property to the window; without one, error 91 is kept.
    template <typename Change>
    void withWindow(Change&& change);
    // LanceVideo's steps; each raises a run-time error on failure, and
    // returns false when the launch ends on a step code already set.
    bool loadSource();
    bool prepareVolume();
    void prepareMode();
    void readRange(const QString& siDebutFin);
    void writePages(const QStringList& asiTexteVideo);
    bool fail();

    VidoraContext& context_;
    eTypeServeurDiffusion typeServeur_ = UNCSansServeur;
    QString typeDeVideo_;
    std::unique_ptr<frmVideo> pioFrmVideo_;
};

}  // namespace vidora

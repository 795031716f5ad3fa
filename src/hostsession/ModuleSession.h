#pragma once

#include "toolkit/SessionState.h"

#include <QObject>
#include <QString>

#include <memory>

namespace lumaro {
class Appli;
class ContexteManager;
class Module;
}  // namespace lumaro

namespace toolkit {
class KavReg;
}  // namespace toolkit

namespace hostsession {

class VideoDisplay;

// The module session of a course plug-in: what the Internet plug-in's and the
// AICC launcher's session objects share. It keeps the values of the session
// and of the course that the host or the server gives before a module starts,
// the sound settings of the video player, and the course model it fills.
// Properties are plain stores unless a comment says otherwise.
class ModuleSession : public QObject {
    Q_OBJECT

public:
    explicit ModuleSession(toolkit::SessionState& state);
    ~ModuleSession() override;

    QString NomAppli() const { return nomAppli_; }
    void NomAppli(const QString& value) { nomAppli_ = value; }
    // The learner's work folder.
    QString PersonalFolder() const { return pisPersonalFolder; }
    void PersonalFolder(const QString& value) { pisPersonalFolder = value; }
    long WidthViewer() const { return widthViewer_; }
    void WidthViewer(long value) { widthViewer_ = value; }
    long HeightViewer() const { return heightViewer_; }
    void HeightViewer(long value) { heightViewer_ = value; }
    // The window of the host, an id of the system's own windows.
    long HandleAppelant() const { return pilHandleAppelant; }
    void HandleAppelant(long value) { pilHandleAppelant = value; }
    long NbQuestionReussiDuParcours() const { return nbQuestionReussiDuParcours_; }
    void NbQuestionReussiDuParcours(long value) { nbQuestionReussiDuParcours_ = value; }
    long NbQuestionReussiDuModule() const { return nbQuestionReussiDuModule_; }
    void NbQuestionReussiDuModule(long value) { nbQuestionReussiDuModule_ = value; }
    bool MediaOnCDRom() const { return pibMediaOnCDRom; }
    void MediaOnCDRom(bool value) { pibMediaOnCDRom = value; }
    // The videos come from a web server rather than a folder.
    bool ModeMediaInet() const { return modeMediaInet_; }
    void ModeMediaInet(bool value) { modeMediaInet_ = value; }
    QString ExtensionFichierVideo() const { return pisExtensionFichierVideo; }
    void ExtensionFichierVideo(const QString& value) { pisExtensionFichierVideo = value; }
    QString URLMediaAppli() const { return pisURLMediaAppli; }
    void URLMediaAppli(const QString& value) { pisURLMediaAppli = value; }
    QString PathMediaAppli() const { return pisPathMediaAppli; }
    void PathMediaAppli(const QString& value) { pisPathMediaAppli = value; }
    bool HasCorrige() const { return hasCorrige_; }
    void HasCorrige(bool value) { hasCorrige_ = value; }
    bool HasLecon() const { return hasLecon_; }
    void HasLecon(bool value) { hasLecon_ = value; }
    bool VisuNote() const { return visuNote_; }
    void VisuNote(bool value) { visuNote_ = value; }
    bool VisuResultat() const { return visuResultat_; }
    void VisuResultat(bool value) { visuResultat_ = value; }
    long TypeChrono() const { return typeChrono_; }
    void TypeChrono(long value) { typeChrono_ = value; }
    long AutoMediaPoint() const { return autoMediaPoint_; }
    void AutoMediaPoint(long value) { autoMediaPoint_ = value; }

    // The root of the first CD-ROM drive, with a final separator: the first
    // mounted iso9660 or udf file system of the mount table. False, with "",
    // when none is mounted.
    bool puFindCDRom(QString& sPathCDRom) const;

    // The number of results of the course model's current module; without a
    // current module, 0 with error 91 stored.
    long NbQuestionForm();

    // Reads the learner's sound switch and volume for the next video from the
    // registry ("InitAvecSon", "InitVolSon" under the current user's "Quelvoro
    // Inet\IHM Client"), writing the defaults (sound on, volume -1) where they
    // are absent or unreadable, so that one bad value does not spoil every
    // later video. False, with the error stored, only on an unexpected error.
    bool piInitSon(toolkit::KavReg& registry);

    // The course model, once the session has made one.
    std::shared_ptr<lumaro::ContexteManager> pioKavParc;
    // The model's application `idAppli`, and its current module; error 91
    // when there is none.
    std::shared_ptr<lumaro::Appli> modelAppli(long idAppli) const;
    std::shared_ptr<lumaro::Module> currentModule() const;

protected:
    // The video display reads and keeps the sound settings.
    friend class VideoDisplay;

    toolkit::SessionState& state_;

    // -1 while the last thing shown came from the thematic index, else 0.
    long pilLanceDepuisIndex = 0;
    long pilHandleAppelant = 0;
    // The video player's volume and sound switch, kept for the next video.
    long pilNiveauVolume = -1;
    bool pibAvecSon = true;

    QString pisPersonalFolder;
    QString pisExtensionFichierVideo;
    QString pisURLMediaAppli;
    QString pisPathMediaAppli;
    bool pibMediaOnCDRom = false;

private:
    QString nomAppli_;
    long widthViewer_ = 0;
    long heightViewer_ = 0;
    long nbQuestionReussiDuParcours_ = 0;
    long nbQuestionReussiDuModule_ = 0;
    bool modeMediaInet_ = false;
    bool hasCorrige_ = false;
    bool hasLecon_ = false;
    bool visuNote_ = false;
    bool visuResultat_ = false;
    long typeChrono_ = 0;
    long autoMediaPoint_ = 0;
};

}  // namespace hostsession

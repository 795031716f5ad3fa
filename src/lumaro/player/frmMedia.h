#pragma once

#include "lumaro/model/Enumerations.h"
#include "platform/MediaPlayer.h"
#include "platform/Timer.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QFrame;
class QSlider;
class QWebEngineView;

namespace toolkit {
class uctButton;
}

namespace platform {
class MessageBoxes;
class RuntimeError;
class Timers;
}  // namespace platform

namespace tracel {
class TraceScope;
}

namespace lumaro {

class LumaroContext;
class Video;

// The question session's media window: it covers the screen and shows one
// video of the course model, its main video in the media player, its main book
// and complementary books (the "complements") in a web view, or the help page
// alone. A bar at the bottom chooses the document and controls the video.
//
// The window never hides itself: it raises Quitter, and its session hides it
// (connectQuitter). The player, the timers and the message boxes outlive it.
class frmMedia final : public QWidget {
    Q_OBJECT

public:
    // Loads the window (Form_Load) over the primary screen, hidden.
    frmMedia(LumaroContext& context, platform::MediaPlayer& player, platform::Timers& timers,
             platform::MessageBoxes& boxes, QWidget* parent = nullptr);
    ~frmMedia() override;

    // Documents come from the two server addresses instead of pisAdresseMedia.
    bool MediaInet() const { return MediaInet_; }
    void MediaInet(bool value);
    QString URLMediaVideo() const { return URLMediaVideo_; }
    void URLMediaVideo(const QString& value);
    QString URLMediaLivre() const { return URLMediaLivre_; }
    void URLMediaLivre(const QString& value);
    // True after AfficheHelpForKavBarre, false after Affiche.
    bool MediaOpenedForHelpViewer() const { return MediaOpenedForHelpViewer_; }
    QString URLHelp() const { return URLHelp_; }
    void URLHelp(const QString& value) { URLHelp_ = value; }

    // Shows sequence ilIndexDepart of the video with the bar set up for it;
    // false with the step code in the context's pulStateEnCours on failure.
    bool Affiche(std::shared_ptr<Video> ioVideo, long ilIndexDepart, const QString& isAdresseMedia,
                 const QString& isExtensionVideo, TypeVideo ieTypeVideo);
    // Shows the help page URLHelp alone.
    void AfficheHelpForKavBarre();

    // The learner's actions; the buttons, the list and the slider call them.
    // Choice of document: 0 the main video, 1 the main book, 2 the complement
    // selected in the list.
    void OptChoix_Click(int Index);
    void cmbComplements_Click();
    // 0 play, 1 pause, 2 stop.
    void optMediaPlay_Click(int Index);
    void sldAvancement_MouseDown();
    void sldAvancement_MouseUp();
    // Shows the output volume of the player, which the learner sets there.
    void kavbtnSon_Click();
    void imgAide_Click();
    void imgQuitter_Click();
    // The position tick, every 100 ms while a video plays.
    void TimerVideo_Timer();

    // The left edge of the 800-pixel zone centred on a screen that wide.
    static int leftZoneFor(int screenWidth);
    // Covers a screen of that size and places the bar on it (Form_Load).
    void placeOnScreen(const QSize& screen);

    // What the session and the tests look at.
    QWebEngineView* HTMLViewer() const { return HTMLViewer_; }
    QWidget* MoviePlayer() const { return MoviePlayer_; }
    long pilIndexEnCours() const { return pilIndexEnCours_; }
    bool pibMediaIsPlaying() const { return pibMediaIsPlaying_; }
    bool pibAideAffichee() const { return pibAideAffichee_; }
    int pilLeftZone() const { return pilLeftZone_; }
    bool isTimerVideoActive() const { return TimerVideo_ && TimerVideo_->isActive(); }
    // The address the viewer was last asked to show, "" before any.
    QUrl viewerAddress() const { return viewerAddress_; }
    // Shows that address in the viewer ("about:blank" empties it).
    void navigateViewer(const QUrl& address);

signals:
    // The window is to be closed.
    void Quitter();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Closing the window from its frame is the quit button: the session must
    // hear of it, or its own windows would stay hidden.
    void closeEvent(QCloseEvent* event) override;

private:
    struct Busy;

    void Form_Load();
    void buildBar();
    bool piRempliCombo();
    bool piGetInfoXml(QString& iosType, QString& iosValeur, const QString& isAttribute, long ilIndexSequence);
    // The attribute when the description is of that kind and has it, else nothing.
    std::optional<QString> readAttribute(const QString& type, const QString& attribute, long index);
    bool piInitAffichage();
    bool readMainDocument(long index);
    bool piLanceAffichageEnCours();
    bool showBook(const QString& fileName);
    bool showVideo(const QString& fileName);
    void piPlaceHTMLViewer();
    void piCentreLecteur();
    void closeMainVideo();
    void showFailure();
    // The looks of the play, pause and stop buttons for one player state.
    enum class Shown { Playing, Paused, Stopped };
    void showPlayerState(Shown shown);
    // Moves the video now, or once the player has opened it.
    void seek(double seconds);
    bool isMainVideoOnDisplay() const;
    QString message(const QString& key) const;
    void playerFailed(platform::MediaPlayer::Error error, const QString& text);
    // The main video cannot be played: the display's own code, that error
    // as the last error, and its "erreur kav" line.
    void refuseVideo(const platform::RuntimeError& error);
    // An unforeseen error of an operation: its code, the last error and the
    // "erreur kav" line.
    void recordError(long code, const platform::RuntimeError& error, const tracel::TraceScope& scope);

    LumaroContext& context_;
    platform::MediaPlayer& player_;
    platform::MessageBoxes& boxes_;
    std::unique_ptr<platform::Timer> TimerVideo_;

    QWidget* imgBackground_;
    QWidget* MoviePlayer_;
    QWebEngineView* HTMLViewer_;
    QFrame* fraZoneLecteur_;
    QWidget* picMplayerControl_;
    toolkit::uctButton* kavbtnPlay_;
    toolkit::uctButton* kavbtnPause_;
    toolkit::uctButton* kavbtnStop_;
    toolkit::uctButton* kavbtnSon_;
    QSlider* sldAvancement_;
    QComboBox* cmbComplements_;
    toolkit::uctButton* kavbtnVideo_;
    toolkit::uctButton* kavbtnLivre_;
    toolkit::uctButton* kavbtnAide_;
    toolkit::uctButton* kavbtnQuitter_;
    QFrame* frmVolume_;
    QSlider* sldVolume_;

    std::shared_ptr<Video> pioVideo_;
    long pilIndexEnCours_ = 0;
    TypeVideo pieTypeVideo_ = TypeLecon;
    QString pisAdresseMedia_;
    QString pisExtensionVideo_;
    bool MediaInet_ = false;
    QString URLMediaVideo_;
    QString URLMediaLivre_;
    bool pibVideoPresente_ = false;
    long pilIndexVideo_ = -1;
    // Seconds; 0 when the description gives no usable duration.
    double pidteDureeVideo_ = 0;
    // The Duree as the description writes it.
    QString dureeText_;
    bool pibLivrePrincipalPresent_ = false;
    long pilIndexLivrePrincipal_ = -1;
    bool pibComplementsPresents_ = false;
    bool pibMediaIsPlaying_ = false;
    bool MediaOpenedForHelpViewer_ = false;
    QString URLHelp_;
    bool pibAideAffichee_ = false;
    long pilPositionAvantAide_ = 0;
    int piiEtatAvantAide_ = 0;
    int pilLeftZone_ = 0;
    QUrl viewerAddress_;
    std::optional<double> pendingSeek_;
};

}  // namespace lumaro

#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QSlider;
class QWebEngineView;

namespace toolkit {
class usrButton;
}
namespace platform {
class MediaPlayer;
class Timer;
}  // namespace platform

namespace vidora {

struct VidoraContext;
class SequencePages;

// The window in which the video plays: the picture, the remote control (play,
// pause, stop, previous and next sequence, position slider), the volume
// (slider, mute box, percentage), the sequence counter and the playing time,
// and in text mode the sequence's text and a help frame. In sound mode the
// whole range plays and the window closes itself at its end, or at the
// document's end when that comes first; in text mode each sequence ends paused
// on the next one's text, also when the document stops short of it, and the
// window closes after the last. Every way the learner or the video ends the
// window raises
// ExitFrmVideo once: the quit button, the close box, the end of the video.
//
// The player object configures it for each video (LanceVideo) through the
// launch steps below. Learner actions are the public handlers, which the
// buttons, sliders and timers call; they act only while the step code is 1.
class frmVideo final : public QWidget {
    Q_OBJECT

public:
    // The remote control's actions.
    enum TeleCommande : int {
        tcPlay = 1,
        tcSequenceArriere = 2,
        tcSequenceAvant = 3,
        tcPause = 4,
        tcStop = 5,
    };
    // The sizes of the design layout, in pixels, for a screen of 800 × 600.
    static constexpr int playerWidth = 480;
    static constexpr int playerHeight = 360;
    static constexpr int paneHeight = 200;
    static constexpr int panelWidth = 190;

    explicit frmVideo(VidoraContext& context, QWidget* parent = nullptr);
    ~frmVideo() override;

    platform::MediaPlayer& player() const { return *player_; }
    SequencePages& pages() const { return *pages_; }

    // Launch steps (LanceVideo).
    // Places the panel, the picture and the pane for a screen of that size.
    void piPositionneFenetres(QSize screen);
    // Sound mode: the switch down, no text, the sequence buttons disabled.
    void showSoundMode();
    // Text mode: the switch up, the help shown, the volume slider disabled.
    void showTextMode();
    // The volume slider shows the learner's volume; the mute box is cleared.
    void showVolume();
    // No text mode for this video: the switch disabled.
    void disableSwitch();
    // The switch down in sound mode, up in text mode.
    void showSwitch();
    // Hides the text pane, shows the page of that sequence in it and shows it again.
    void showSequencePage(long index);
    // The counter "n/N".
    void showCounter(long number, long count);
    void startVolumePoll();
    // From now until its exit, the window raises ExitFrmVideo when it ends.
    void armExit() { exitPending_ = true; }
    void setTimLunette(bool on) { timLunette_ = on; }
    // Selects a remote-control option; an option already selected does nothing.
    void selectOption(TeleCommande option);
    // The launch's last step: play selected (which starts the video) in sound
    // mode, nothing selected in text mode, where the learner presses play.
    void launchPlay(bool play);

    // The host hides the window (HideFrmVideo): playback and timers stop.
    void hideForHost();
    // The player object goes: playback stops, the volume found at launch is
    // put back, the pages are removed; nothing is raised. The window is
    // inert afterwards.
    void shutDown();
    // True while one of its handlers runs, so that it must not be deleted now.
    bool isHandling() const { return handling_ > 0; }

    // The learner's actions and the timers.
    void kavbtnPlay_MouseDown();
    void kavbtnPause_MouseDown();
    void kavbtnStop_MouseDown();
    void kavbtnPrecedent_Click();
    void kavbtnSuivant_Click();
    void kavbtnQuitter_Click();
    void kavbtnSon_Click();
    void optTelecommande_Click(TeleCommande option);
    void cmdTelecommande_Click(TeleCommande action);
    void cmdExit_Click();
    void sldTelecommande_MouseDown();
    void sldTelecommande_MouseUp();
    void sldVolume_Scroll();
    void chkVolume_Click();
    void Timer1_Timer();
    void timVolumeWindows_Timer();

    // What the window shows, for the player object and the tests.
    toolkit::usrButton* kavbtnPlay() const { return kavbtnPlay_; }
    toolkit::usrButton* kavbtnPause() const { return kavbtnPause_; }
    toolkit::usrButton* kavbtnStop() const { return kavbtnStop_; }
    toolkit::usrButton* kavbtnPrecedent() const { return kavbtnPrecedent_; }
    toolkit::usrButton* kavbtnSuivant() const { return kavbtnSuivant_; }
    toolkit::usrButton* kavbtnQuitter() const { return kavbtnQuitter_; }
    toolkit::usrButton* kavbtnSon() const { return kavbtnSon_; }
    QSlider* sldTelecommande() const { return sldTelecommande_; }
    QSlider* sldVolume() const { return sldVolume_; }
    QCheckBox* chkVolume() const { return chkVolume_; }
    QLabel* lblVolume() const { return lblVolume_; }
    QLabel* lblNoSeq() const { return lblNoSeq_; }
    QLabel* lblTime() const { return lblTime_; }
    QLabel* lblAide(int index) const;
    QFrame* fraAide() const { return fraAide_; }
    QFrame* picTelecommande() const { return picTelecommande_; }
    QWebEngineView* WbTexteVideo() const { return WbTexteVideo_; }
    QWidget* videoOutput() const { return videoOutput_; }
    // "Son" or "Texte": the picture the panel shows.
    QString panelPicture() const { return panelPicture_; }
    // The page the text pane was last sent to.
    QString shownPage() const { return shownPage_; }
    bool timLunette() const { return timLunette_; }
    bool sequenceTimerRuns() const;
    bool volumePollRuns() const;
    // The remote-control option selected, 0 for none.
    int selectedOption() const { return selected_; }
    // Always "".
    QString LastError() const { return {}; }

signals:
    void ExitFrmVideo();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Handling;
    friend class Handling;

    void buildControls();
    void connectControls();
    void showPanelPicture(const QString& name);
    void setLooks(long play, long pause, long stop);
    bool guarded(bool alsoDuringLaunch = false) const;
    // Runs a handler's body; a run-time error is kept and traced.
    template <typename Body>
    void handle(const QString& declaration, Body&& body);
    bool piStopPlayer();
    // Leaves the window: stops, removes the pages, puts the volume back, raises
    // ExitFrmVideo. Runs once per shown video.
    void piExit();
    // The output volume the mode asks for: the learner's in sound mode, none
    // in text mode or while muted.
    void applyVolume();
    void setSliderValue(QSlider* slider, int value);
    // True once that sequence has played in text mode, at that position:
    // reached its end, or, with play pressed, has no length or lies past the
    // document's end.
    bool sequencePlayed(long index, double position) const;
    // The last sequence the learner can reach.
    long lastSequence() const;
    // True once the document has played to its end.
    bool playedToEnd() const;
    double sequenceStart(long index) const;
    double sequenceEnd(long index) const;

    VidoraContext& context_;
    std::unique_ptr<platform::MediaPlayer> player_;
    std::unique_ptr<SequencePages> pages_;
    std::unique_ptr<platform::Timer> Timer1_;
    std::unique_ptr<platform::Timer> timVolumeWindows_;

    QWidget* videoOutput_ = nullptr;
    QWebEngineView* WbTexteVideo_ = nullptr;
    QFrame* picTelecommande_ = nullptr;
    QLabel* imgMode_ = nullptr;
    toolkit::usrButton* kavbtnPlay_ = nullptr;
    toolkit::usrButton* kavbtnPause_ = nullptr;
    toolkit::usrButton* kavbtnStop_ = nullptr;
    toolkit::usrButton* kavbtnPrecedent_ = nullptr;
    toolkit::usrButton* kavbtnSuivant_ = nullptr;
    toolkit::usrButton* kavbtnQuitter_ = nullptr;
    toolkit::usrButton* kavbtnSon_ = nullptr;
    QSlider* sldTelecommande_ = nullptr;
    QSlider* sldVolume_ = nullptr;
    QCheckBox* chkVolume_ = nullptr;
    QLabel* lblVolume_ = nullptr;
    QLabel* lblNoSeq_ = nullptr;
    QLabel* lblTime_ = nullptr;
    QFrame* fraAide_ = nullptr;
    QLabel* picAide_ = nullptr;
    std::array<QLabel*, 4> lblAide_{};

    QString panelPicture_;
    QString shownPage_;
    int selected_ = 0;
    // The previous and next sequence commands (text mode only).
    bool sequenceCommandsEnabled_ = false;
    // On while a text page awaits reading in text mode.
    bool timLunette_ = false;
    // Between the launch that showed the window and its exit.
    bool exitPending_ = false;
    bool shutDown_ = false;
    int handling_ = 0;
};

}  // namespace vidora

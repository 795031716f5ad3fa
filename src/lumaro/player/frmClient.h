#pragma once

#include "platform/RegisteredWindow.h"

#include <QHash>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <chrono>
#include <optional>

class QLabel;
class QWebEngineView;

namespace platform {
class MonotonicClock;
class Timers;
} // namespace platform

namespace toolkit {
class uctButton;
}

namespace lumaro {

class usrTimeBar;

// The question window of a session (the "barre"): a small window without a
// title bar beside the exercise window, with the question's labels and page,
// the feedback pane, the countdown bar and six picture buttons. It decides
// nothing: each button's click and the end of the countdown come out as the
// window's own signals, and the session fills and lays out the controls. Its
// scale is the pixel; it is dragged by its background or its title.
class frmClient final : public QWidget {
    Q_OBJECT

public:
    frmClient(platform::Timers& timers, const platform::MonotonicClock& clock, QWidget* parent = nullptr);
    ~frmClient() override;

    // The caption of the title label.
    QString Title() const;
    void Title(const QString& value);
    // The question reference, whole. Its label shows it cut short with "…"
    // when it is wider than the label.
    QString RefQuestion() const { return refQuestion_; }
    void RefQuestion(const QString& value);

    // The id under which the window system knows this window.
    platform::WindowId windowId() const { return registration_.id(); }

    usrTimeBar* timeBar() const { return usrTimeBar_; }
    toolkit::uctButton* kavbtnLecon() const { return kavbtnLecon_; }
    toolkit::uctButton* kavbtnRecom() const { return kavbtnRecom_; }
    toolkit::uctButton* kavBtnCorrige() const { return kavBtnCorrige_; }
    toolkit::uctButton* kavBtnPoursuivre() const { return kavBtnPoursuivre_; }
    toolkit::uctButton* kavbtnQuitter() const { return kavbtnQuitter_; }
    toolkit::uctButton* kavbtnAide() const { return kavbtnAide_; }
    QLabel* lblNumQuestion() const { return lblNumQuestion_; }
    QLabel* lblRefQuestion() const { return lblRefQuestion_; }
    QLabel* lblRepOk() const { return lblRepOk_; }
    QLabel* lblReponse() const { return lblReponse_; }
    QLabel* lblFond() const { return lblFond_; }
    QLabel* ImageVictory() const { return ImageVictory_; }
    QLabel* ImageCloud() const { return ImageCloud_; }
    QWebEngineView* WebBrowser() const { return WebBrowser_; }
    QWebEngineView* WebBrowserReponse() const { return WebBrowserReponse_; }

    // The Poursuivre looks by key ("Down", "Up", "Disabled"): the first list
    // goes on to the next question, the second checks the answer.
    const QHash<QString, QPixmap>& imgBtnPoursuivre1() const { return imgBtnPoursuivre1_; }
    const QHash<QString, QPixmap>& imgBtnPoursuivre2() const { return imgBtnPoursuivre2_; }
    // Shows the background of that key ("Interactif_Q", "Interactif_R",
    // "Exerva_Q", "Exerva_R"); an unknown key leaves the background as it is.
    void showBackground(const QString& key);
    QString background() const { return backgroundKey_; }

    // The learner's drag by the background or the title: the press starts it,
    // each move follows the pointer, the release ends it.
    void beginDrag(const QPoint& globalPosition);
    void dragTo(const QPoint& globalPosition);
    void endDrag();
    bool isDragging() const { return dragging_; }

signals:
    void kavBtnAideClick();
    void kavBtnVideoClick(long ieTypeVideo);
    void kavbtnQuitterClick();
    void kavbtnRecomClick();
    void kavbtnSuivClick();
    void usrTimeBarTimeFinish();

protected:
    // A close request of the window manager (Alt+F4) is the quit button's
    // action; the window stays until the session hides it.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool handleMouse(QEvent* event);
    // Whether a mouse event of Poursuivre is dropped: the learner sees the
    // reaction to an answer before a press goes on past it.
    bool dropPoursuivreEvent(const QEvent* event);

    platform::RegisteredWindow registration_ {*this};
    const platform::MonotonicClock& clock_;
    // When the reaction to the last press of Poursuivre was on screen.
    std::optional<std::chrono::milliseconds> reactionShown_;
    // The release of a dropped press is dropped too.
    bool pressDropped_ = false;
    QString refQuestion_;
    usrTimeBar* usrTimeBar_;
    toolkit::uctButton* kavbtnLecon_;
    toolkit::uctButton* kavbtnRecom_;
    toolkit::uctButton* kavBtnCorrige_;
    toolkit::uctButton* kavBtnPoursuivre_;
    toolkit::uctButton* kavbtnQuitter_;
    toolkit::uctButton* kavbtnAide_;
    QLabel* lblTitle_;
    QLabel* lblNumQuestion_;
    QLabel* lblRefQuestion_;
    QLabel* lblRepOk_;
    QWebEngineView* WebBrowser_;
    QWebEngineView* WebBrowserReponse_;
    QLabel* lblFond_;
    QLabel* lblReponse_;
    QLabel* ImageVictory_;
    QLabel* ImageCloud_;
    QHash<QString, QPixmap> imgBtnPoursuivre1_;
    QHash<QString, QPixmap> imgBtnPoursuivre2_;
    QHash<QString, QPixmap> imgFond_;
    QString backgroundKey_;
    QPoint dragOffset_;
    bool dragging_ = false;
};

} // namespace lumaro

// The media window's documents on display and its controls: the choice of
// document, the video's play, pause, stop, slider and position tick, the
// sound, help and quit buttons.

#include "frmMedia.h"

#include "API.h"
#include "MediaSequence.h"
#include "kavMsgBoxStyle.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"
#include "platform/MediaPlayer.h"
#include "toolkit/uctButton.h"
#include "tracel/ErrorLine.h"

#include <QComboBox>
#include <QFrame>
#include <QPointer>
#include <QSlider>
#include <QWebEngineView>

namespace lumaro {

namespace {

using namespace basalo;

const QString unitName = QStringLiteral("frmMedia");
constexpr std::chrono::milliseconds tickInterval{100};

QString openStateText(platform::MediaPlayer::OpenState state)
{
    switch (state) {
    case platform::MediaPlayer::OpenState::Closed:
        return QStringLiteral("0");
    case platform::MediaPlayer::OpenState::Opening:
        return QStringLiteral("1");
    case platform::MediaPlayer::OpenState::Open:
        return QStringLiteral("6");
    case platform::MediaPlayer::OpenState::Failed:
        break;
    }
    return QStringLiteral("-1");
}

// The base address of one kind of document, traced as the display traces it.
QString traceBase(tracel::TraceChannel& trace, bool inet, const QString& inetBase, const QString& localBase)
{
    trace.write(tracel::TypeForm, unitName,
                inet ? QStringLiteral("en mode inet on utilise les 2 types d'adresses différentes")
                     : QStringLiteral("en mode non inet 1 seule adresse pour tous le types de médias"));
    return inet ? inetBase : localBase;
}

}  // namespace

// While a handler works: the window is disabled and shows the hourglass; both
// come back on every way out, or earlier through release().
struct frmMedia::Busy {
    explicit Busy(frmMedia& window) : window_(&window)
    {
        window.setEnabled(false);
        window.setCursor(Qt::WaitCursor);
    }
    ~Busy() { release(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    void release()
    {
        if (!window_)
            return;
        window_->unsetCursor();
        window_->setEnabled(true);
        window_ = nullptr;
    }

private:
    QPointer<frmMedia> window_;
};

bool frmMedia::isMainVideoOnDisplay() const
{
    return pibVideoPresente_ && pilIndexEnCours_ == pilIndexVideo_;
}

bool frmMedia::showBook(const QString& fileName)
{
    auto& trace = context_.trace;
    trace.write(tracel::TypeForm, unitName, QStringLiteral("On veut afficher un livre"));
    pibMediaIsPlaying_ = false;
    const auto extension = readAttribute(QStringLiteral("LIVRE"), QStringLiteral("Extension"), pilIndexEnCours_);
    if (!extension) {
        trace.write(tracel::TypeForm, unitName, QStringLiteral("Extension du document livre non trouvé"));
        return false;
    }
    const QString base = traceBase(trace, MediaInet_, URLMediaLivre_, pisAdresseMedia_);
    const auto address = documentAddress(base, fileName + *extension);
    if (!address) {
        context_.pulStateEnCours = enuFunctionReturnState_Lumaro_frmMedia_piLanceAffichageEnCours_ErreurNoMedia;
        trace.write(tracel::TypeForm, unitName,
                    QStringLiteral("Erreur kav le nom du document sort du dossier des médias : ") + fileName + *extension);
        return false;
    }
    if (sequenceStartValue(pioVideo_->DebutDUneSeq(pilIndexEnCours_)) < 2)
        kavbtnLivre_->ButtonPosition(2);
    TimerVideo_->stop();
    MoviePlayer_->hide();
    picMplayerControl_->hide();
    trace.write(tracel::TypeForm, unitName, QStringLiteral("sAdresseFile = ") + address->toString());
    trace.write(tracel::TypeForm, unitName, QStringLiteral("Onveut afficher un livre : ") + address->toString());
    piPlaceHTMLViewer();
    HTMLViewer_->show();
    navigateViewer(*address);
    return true;
}

bool frmMedia::showVideo(const QString& fileName)
{
    auto& trace = context_.trace;
    // The position tick divides by the duration: a video without a usable one
    // is refused before anything changes on screen.
    if (pidteDureeVideo_ <= 0) {
        const bool zero = timeTextSeconds(dureeText_).has_value();
        refuseVideo(platform::RuntimeError(
            zero ? platform::InvalidProcedureCall : platform::TypeMismatch,
            (zero ? QStringLiteral("Durée de la vidéo nulle : ") : QStringLiteral("Durée de la vidéo illisible : "))
                + dureeText_));
        return false;
    }
    const QString base = traceBase(trace, MediaInet_, URLMediaVideo_, pisAdresseMedia_);
    const auto address = documentAddress(base, fileName + pisExtensionVideo_);
    if (!address) {
        context_.pulStateEnCours = enuFunctionReturnState_Lumaro_frmMedia_piLanceAffichageEnCours_ErreurNoMedia;
        trace.write(tracel::TypeForm, unitName,
                    QStringLiteral("Erreur kav le nom du document sort du dossier des médias : ") + fileName +
                        pisExtensionVideo_);
        return false;
    }
    // Width and Height are optional: their absence is no failure.
    const long code = context_.pulStateEnCours;
    const auto width = readAttribute(QStringLiteral("VIDEO"), QStringLiteral("Width"), pilIndexEnCours_);
    const auto height = readAttribute(QStringLiteral("VIDEO"), QStringLiteral("Height"), pilIndexEnCours_);
    context_.pulStateEnCours = code;

    HTMLViewer_->hide();
    picMplayerControl_->show();
    MoviePlayer_->show();
    kavbtnVideo_->ButtonPosition(2);
    showPlayerState(Shown::Playing);
    sldAvancement_->show();
    sldAvancement_->setValue(0);
    trace.write(tracel::TypeForm, unitName, QStringLiteral("sAdresseFile = ") + address->toString());
    trace.write(tracel::TypeForm, unitName, QStringLiteral("On veut afficher une video : ") + address->toString());
    MoviePlayer_->resize(playerSize(width, height));
    piCentreLecteur();
    pendingSeek_.reset();
    player_.open(*address);
    if (!player_.hasSoundOutput())
        trace.write(tracel::TypeForm, unitName, QStringLiteral("Pas de sortie son sur ce poste : la vidéo est lue sans son"));
    player_.play();
    TimerVideo_->start(tickInterval);
    pibMediaIsPlaying_ = true;
    return true;
}

void frmMedia::piPlaceHTMLViewer()
{
    HTMLViewer_->setGeometry(0, 0, width(), fraZoneLecteur_->y());
}

void frmMedia::piCentreLecteur()
{
    MoviePlayer_->move(roundHalfEven((width() - MoviePlayer_->width()) / 2.0),
                       roundHalfEven((fraZoneLecteur_->y() - MoviePlayer_->height()) / 2.0));
}

void frmMedia::navigateViewer(const QUrl& address)
{
    viewerAddress_ = address;
    HTMLViewer_->setUrl(address);
}

void frmMedia::closeMainVideo()
{
    if (pibVideoPresente_) {
        player_.close();
        pibMediaIsPlaying_ = false;
    }
}

void frmMedia::showFailure()
{
    QString text = message(QStringLiteral("FRMbarre_errReference")) + QString::number(context_.pulStateEnCours);
    if (!context_.lastError.text().isEmpty())
        text += QStringLiteral(" : ") + context_.lastError.text();
    puAfficheMessageBoxBarre(context_, boxes_, text, kavOk + kavAlert);
}

void frmMedia::showPlayerState(Shown shown)
{
    kavbtnPlay_->ButtonPosition(shown == Shown::Playing ? 2 : 1);
    kavbtnPause_->ButtonPosition(shown == Shown::Paused ? 2 : 1);
    kavbtnStop_->ButtonPosition(shown == Shown::Stopped ? 2 : 1);
    pibMediaIsPlaying_ = shown == Shown::Playing;
}

void frmMedia::seek(double seconds)
{
    if (player_.openState() == platform::MediaPlayer::OpenState::Opening)
        pendingSeek_ = seconds;
    else
        player_.setPosition(seconds);
}

void frmMedia::AfficheHelpForKavBarre()
{
    kavbtnVideo_->hide();
    kavbtnLivre_->hide();
    kavbtnAide_->hide();
    TimerVideo_->stop();
    MoviePlayer_->hide();
    picMplayerControl_->hide();
    cmbComplements_->hide();
    MediaOpenedForHelpViewer_ = true;
    piPlaceHTMLViewer();
    HTMLViewer_->show();
    navigateViewer(QUrl(URLHelp_));
    show();
    HTMLViewer_->setFocus();
}

void frmMedia::cmbComplements_Click()
{
    const int selected = cmbComplements_->currentIndex();
    if (selected >= 0 && cmbComplements_->itemData(selected).toLongLong() >= 0)
        OptChoix_Click(2);
}

void frmMedia::OptChoix_Click(int Index)
{
    context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Sub OptChoix_Click"));
    scope.value(QStringLiteral("Index"), QString::number(Index));
    const long before = pilIndexEnCours_;
    Busy busy(*this);
    bool failed = false;
    // Shows the document of that index; on failure puts the index back.
    const auto open = [&](long index) {
        pilIndexEnCours_ = index;
        if (piLanceAffichageEnCours())
            return true;
        pilIndexEnCours_ = before;
        failed = true;
        return false;
    };
    const auto error = platform::trapError(platform::AutomationError, [&] {
        switch (Index) {
        case 0:
            if (!pibVideoPresente_)
                return;
            if (pilIndexEnCours_ == pilIndexVideo_) {
                scope.line(QStringLiteral("on est déja sur la vidéo"));
            } else if (open(pilIndexVideo_)) {
                if (pibLivrePrincipalPresent_)
                    kavbtnLivre_->ButtonPosition(1);
                if (cmbComplements_->count() > 0)
                    cmbComplements_->setCurrentIndex(0);
            } else {
                kavbtnVideo_->ButtonPosition(1);
            }
            return;
        case 1:
            scope.value(QStringLiteral("pibLivrePrincipalPresent"),
                        pibLivrePrincipalPresent_ ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
            if (!pibLivrePrincipalPresent_)
                return;
            if (pilIndexEnCours_ == pilIndexLivrePrincipal_) {
                scope.line(QStringLiteral("on est déja sur le livre principal"));
            } else if (open(pilIndexLivrePrincipal_)) {
                closeMainVideo();
                kavbtnVideo_->ButtonPosition(1);
                if (cmbComplements_->count() > 0)
                    cmbComplements_->setCurrentIndex(0);
            } else {
                kavbtnLivre_->ButtonPosition(1);
            }
            return;
        case 2: {
            const int selected = cmbComplements_->currentIndex();
            const long target = selected < 0 ? -1 : long(cmbComplements_->itemData(selected).toLongLong());
            if (target < 0)
                return;
            if (target == pilIndexEnCours_) {
                scope.line(QStringLiteral("on est déja sur le même complément"));
            } else if (open(target)) {
                closeMainVideo();
                kavbtnVideo_->ButtonPosition(1);
                if (pibLivrePrincipalPresent_)
                    kavbtnLivre_->ButtonPosition(1);
            }
            return;
        }
        default:
            return;
        }
    });
    busy.release();
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_OptChoix_Click_ErreurInconnue, *error, scope);
        puAfficheMessageBoxBarre(context_, boxes_,
                                 message(QStringLiteral("FRMbarre_errReference")) +
                                     QString::number(context_.pulStateEnCours) + QStringLiteral(" : ") + error->text(),
                                 kavOk + kavAlert);
        return;
    }
    if (failed)
        showFailure();
}

void frmMedia::optMediaPlay_Click(int Index)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Private Sub optMediaPlay_Click"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        scope.value(QStringLiteral("Index"), QString::number(Index));
        scope.value(QStringLiteral("MediaPlayer.OpenState"), openStateText(player_.openState()));
        context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
        switch (Index) {
        case 0:
            if (pibMediaIsPlaying_) {
                scope.line(QStringLiteral("Play et pibMediaIsPlaying"));
                return;
            }
            if (isMainVideoOnDisplay()) {
                // After its end step the video plays again from its start, and
                // the tick, which that step stopped, follows it to its end again.
                if (player_.position() >= pidteDureeVideo_)
                    seek(0);
                TimerVideo_->start(tickInterval);
            }
            player_.play();
            showPlayerState(Shown::Playing);
            return;
        case 1:
            if (!pibMediaIsPlaying_) {
                scope.line(QStringLiteral("Pause et Not pibMediaIsPlaying"));
                return;
            }
            player_.pause();
            showPlayerState(Shown::Paused);
            return;
        case 2:
            if (!pibMediaIsPlaying_) {
                scope.line(QStringLiteral("Stop et Not pibMediaIsPlaying"));
                return;
            }
            player_.stop();
            showPlayerState(Shown::Stopped);
            player_.setPosition(0);
            return;
        default:
            return;
        }
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_optMediaPlay_Click_ErreurInconnue, *error, scope);
        unsetCursor();
        setEnabled(true);
        showFailure();
    }
}

void frmMedia::sldAvancement_MouseDown()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Private Sub sldAvancement_MouseDown"), 2);
    const auto error = platform::trapError(platform::AutomationError, [&] {
        scope.value(QStringLiteral("sldAvancement.Value / sldAvancement.Max"),
                    QString::number(double(sldAvancement_->value()) / sldAvancement_->maximum()), 2);
        TimerVideo_->stop();
        if (pibMediaIsPlaying_)
            kavbtnPause_->click();
    });
    if (error)
        scope.line(tracel::errorLine(*error));
}

void frmMedia::sldAvancement_MouseUp()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Private Sub sldAvancement_MouseUp"), 2);
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const double share = double(sldAvancement_->value()) / sldAvancement_->maximum();
        scope.value(QStringLiteral("sldAvancement.Value / sldAvancement.Max"), QString::number(share), 2);
        seek(share * pidteDureeVideo_);
        if (!pibMediaIsPlaying_)
            kavbtnPlay_->click();
        TimerVideo_->start(tickInterval);
    });
    if (error)
        scope.line(tracel::errorLine(*error));
}

void frmMedia::TimerVideo_Timer()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Sub TimerVideo_Timer"),
                             2);
    const auto error = platform::trapError(platform::AutomationError, [&] {
        scope.line(QStringLiteral("-> ") + LumaroContext::dateText(context_.localNow()), 2);
        if (pidteDureeVideo_ <= 0) {
            TimerVideo_->stop();
            return;
        }
        const double r = player_.position() / pidteDureeVideo_;
        if (r < 1) {
            scope.line(QStringLiteral("Avant la fin : ") + QString::number(r), 2);
            sldAvancement_->setValue(roundHalfEven(r * sldAvancement_->maximum()));
            return;
        }
        scope.line(QStringLiteral("On a atteind la fin de la video"));
        sldAvancement_->setValue(sldAvancement_->maximum());
        kavbtnPause_->click();
        // The end step runs once: the window either closes or stays paused at
        // the end until the learner acts.
        TimerVideo_->stop();
        if (pieTypeVideo_ == TypeCorrige || (!pibLivrePrincipalPresent_ && !pibComplementsPresents_)) {
            player_.stop();
            player_.close();
            emit Quitter();
        }
    });
    if (error)
        scope.line(tracel::errorLine(*error));
}

void frmMedia::kavbtnSon_Click()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Sub kavbtnSon_Click"));
    sldVolume_->setValue(player_.volume());
    const QPoint corner = kavbtnSon_->mapToGlobal(QPoint(0, 0));
    frmVolume_->move(corner.x() + (kavbtnSon_->width() - frmVolume_->width()) / 2, corner.y() - frmVolume_->height());
    frmVolume_->show();
}

void frmMedia::imgAide_Click()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Sub imgAide_Click"));
    context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
    Busy busy(*this);
    const auto error = platform::trapError(platform::AutomationError, [&] {
        if (!pibAideAffichee_) {
            kavbtnAide_->ButtonPosition(2);
            kavbtnLivre_->hide();
            kavbtnVideo_->hide();
            cmbComplements_->hide();
            if (isMainVideoOnDisplay()) {
                pilPositionAvantAide_ = roundHalfEven(player_.position());
                // The hidden play options are never selected by the picture
                // buttons: the video plays again when the help page is left.
                piiEtatAvantAide_ = 0;
                MoviePlayer_->hide();
                HTMLViewer_->show();
                if (pibMediaIsPlaying_) {
                    optMediaPlay_Click(2);
                    context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
                }
                TimerVideo_->stop();
                player_.close();
                picMplayerControl_->hide();
            }
            piPlaceHTMLViewer();
            HTMLViewer_->show();
            navigateViewer(QUrl(URLHelp_));
        } else {
            if (!piLanceAffichageEnCours()) {
                busy.release();
                showFailure();
                scope.line(QStringLiteral("Echec du retour de l'aide vers la situation précédente"));
                return;
            }
            if (isMainVideoOnDisplay()) {
                seek(pilPositionAvantAide_);
                optMediaPlay_Click(piiEtatAvantAide_);
                context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
            }
            kavbtnAide_->ButtonPosition(1);
            kavbtnLivre_->show();
            kavbtnVideo_->show();
            cmbComplements_->setVisible(pibComplementsPresents_);
        }
        pibAideAffichee_ = !pibAideAffichee_;
    });
    busy.release();
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_imgAide_Click_ErreurInconnue, *error, scope);
        showFailure();
    }
}

void frmMedia::imgQuitter_Click()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Sub imgQuitter_Click"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
        if (isMainVideoOnDisplay())
            player_.close();
        if (pibAideAffichee_) {
            kavbtnAide_->ButtonPosition(1);
            kavbtnLivre_->show();
            kavbtnVideo_->show();
            cmbComplements_->setVisible(pibComplementsPresents_);
            pibAideAffichee_ = false;
        }
        TimerVideo_->stop();
        emit Quitter();
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_imgQuitter_Click_ErreurInconnue, *error, scope);
        showFailure();
    }
}

}  // namespace lumaro

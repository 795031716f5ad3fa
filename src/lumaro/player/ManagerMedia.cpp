// The session's media window: the help page and the lesson and solution media
// of the question window, the media a host opens from its index, and the ways
// back to the question window when they are left.

#include "Manager.h"

#include "ManagerEvents.h"
#include "MediaSession.h"
#include "frmClient.h"
#include "frmMedia.h"
#include "usrTimeBar.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"
#include "platform/QtMediaPlayer.h"
#include "tracel/TraceChannel.h"

#include <QUrl>

namespace lumaro {

namespace {

    const QString unitName = QStringLiteral("Manager");
    constexpr long traitementOk = basalo::enuFunctionReturnState_General_Traitement_OK;
    const QUrl blankPage(QStringLiteral("about:blank"));

} // namespace

std::unique_ptr<platform::MediaPlayer> Manager::defaultMediaPlayer()
{
    return std::make_unique<platform::QtMediaPlayer>();
}

frmMedia& Manager::mediaWindowCreated()
{
    if (!piFrmMedia_) {
        if (!mediaPlayer_)
            mediaPlayer_ = makeMediaPlayer_();
        piFrmMedia_ = std::make_unique<frmMedia>(context_, platform::require(mediaPlayer_), timers_, boxes_);
        piFrmMedia_->setWindowTitle(message(QStringLiteral("GENERAL_kavlblSystemeMedia")));
        connectQuitter(*piFrmMedia_, *this);
    }
    return *piFrmMedia_;
}

void Manager::releaseMediaWindow()
{
    if (!piFrmMedia_)
        return;
    piFrmMedia_->disconnect();
    piFrmMedia_->hide();
    if (mediaReturns_ == 0) {
        piFrmMedia_.reset();
        mediaPlayer_.reset();
        return;
    }
    // Left from inside one of the ways back, which the window's own quit may
    // have started: the window goes once the event loop is back, and its
    // player, which the window still uses as it goes, after it.
    frmMedia* window = piFrmMedia_.release();
    platform::MediaPlayer* player = mediaPlayer_.release();
    QObject::connect(window, &QObject::destroyed, [player] { delete player; });
    window->deleteLater();
}

void Manager::piAfficheAide()
{
    frmMedia& media = mediaWindowCreated();
    media.URLHelp(urlServerHelpFile_ + QStringLiteral("&plug_hlp=1"));
    media.AfficheHelpForKavBarre();
}

bool Manager::piAfficheVideo(const std::shared_ptr<Video>& video, long ieTypeVideo)
{
    frmMedia& media = mediaWindowCreated();
    const Appli& appli = platform::require(platform::require(moduleEnCours()).Appli());
    QString address;
    if (!modeMediaInet_) {
        address = appli.PathVideo();
        media.MediaInet(false);
    } else {
        address = appli.URLVideo();
        media.MediaInet(true);
        media.URLMediaLivre(appli.URLLivre());
        media.URLMediaVideo(appli.URLVideo());
        media.URLHelp(urlServerHelpFile_ + QStringLiteral("&plug_hlp=2"));
    }
    if (!media.Affiche(video, 0, address, extensionVideo_, TypeVideo(ieTypeVideo)))
        return false;
    CacherBarrePourVideo();
    return true;
}

void Manager::setUrlMedias(const QString& isURLMediaLivre, const QString& isURLMediaVideo)
{
    context_.pulStateEnCours = traitementOk;
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function setUrlMedias"));
    scope.value(QStringLiteral("isURLMediaLivre"), isURLMediaLivre);
    scope.value(QStringLiteral("isURLMediaVideo"), isURLMediaVideo);
    const auto error = platform::trapError(platform::AutomationError, [&] {
        frmMedia& media = mediaWindowCreated();
        media.MediaInet(modeMediaInet_);
        media.URLMediaLivre(isURLMediaLivre);
        media.URLMediaVideo(isURLMediaVideo);
    });
    if (error)
        fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_setUrlMedias_ErreurInconnue, false);
}

bool Manager::LanceNewMedia(
    std::shared_ptr<Video> ioVideo, long ilIndexSequence, const QString& isAdresseMedia, const QString& isExtensionVideo)
{
    context_.pulStateEnCours = traitementOk;
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function LanceNewMedia"));
    scope.value(QStringLiteral("ilIndexSequence"), QString::number(ilIndexSequence));
    scope.value(QStringLiteral("isAdresseMedia"), isAdresseMedia);
    scope.value(QStringLiteral("isExtensionVideo"), isExtensionVideo);
    bool shown = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        frmMedia& media = mediaWindowCreated();
        media.URLHelp(urlServerHelpFile_ + QStringLiteral("&plug_hlp=2"));
        shown = media.Affiche(std::move(ioVideo), ilIndexSequence, isAdresseMedia, isExtensionVideo, TypeLecon);
        pibMediaDepuisIndex_ = shown;
    });
    if (error) {
        pibMediaDepuisIndex_ = false;
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_LanceNewMedia_ErreurInconnue, false);
    }
    return shown;
}

bool Manager::RetourAfficherAideManager()
{
    context_.pulStateEnCours = traitementOk;
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function RetourAfficherAideManager"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const Module* module = moduleEnCours();
        if (module && module->TypeModule() == TYPEevaluation && piFrmBarre_)
            piFrmBarre_->timeBar()->ChronoStart();
        // The question window is also the feedback window: one window to raise.
        if (piFrmBarre_)
            windows_.setTopmost(questionWindowId(), true);
        if (piFrmMedia_) {
            scope.line(QStringLiteral("Navigate(about:blank)"));
            piFrmMedia_->navigateViewer(blankPage);
        }
    });
    if (error)
        return fail(
            scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_RetourAfficherAideManager_ErreurInconnue, false);
    return true;
}

void Manager::restoreAfterMedia()
{
    setHourglass(false);
    if (piFrmBarre_) {
        const platform::WindowId window = questionWindowId();
        windows_.show(window);
        windows_.setTopmost(window, true);
        piFrmBarre_->setEnabled(true);
    }
    if (handleApplication_ > 0)
        windows_.bringToTop(handleApplication_);
}

bool Manager::RetourAfficherVideoManager()
{
    context_.pulStateEnCours = traitementOk;
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function RetourAfficherVideoManager"));
    bool alive = true;
    ++mediaReturns_;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        if (!pibMediaDepuisIndex_) {
            restoreAfterMedia();
        } else {
            scope.line(QStringLiteral("pibMediaDepuisIndex => RaiseEvent FinVideo"));
            // Cleared first: a media closed later by the learner is the question's own.
            pibMediaDepuisIndex_ = false;
            if (!raise([](ManagerEvents& events) { events.FinVideo(); })) {
                alive = false;
                return;
            }
        }
        if (piFrmMedia_) {
            scope.line(QStringLiteral("Navigate(about:blank)"));
            piFrmMedia_->navigateViewer(blankPage);
        }
    });
    // The host ended the session in FinVideo: nothing of it is left to touch.
    if (!alive)
        return true;
    --mediaReturns_;
    if (error)
        return fail(
            scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_RetourAfficherVideoManager_ErreurInconnue, false);
    return true;
}

void Manager::CacherBarrePourVideo()
{
    // The question window is also the feedback window: one window to hide.
    if (piFrmBarre_)
        windows_.hide(questionWindowId());
}

} // namespace lumaro

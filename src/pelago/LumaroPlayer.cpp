#include "LumaroPlayer.h"

#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "platform/MediaPlayer.h"

namespace pelago {

LumaroPlayer::LumaroPlayer(lumaro::LumaroContext& context, lumaro::ManagerServices services)
    : manager_(std::make_unique<lumaro::Manager>(context, std::move(services)))
{
}

LumaroPlayer::~LumaroPlayer()
{
    // No event may reach a host that is going away with its player.
    manager_->setEvents(nullptr);
}

void LumaroPlayer::setEvents(lumaro::ManagerEvents* events)
{
    manager_->setEvents(events);
}

void LumaroPlayer::LNGFilePath(const QString& path)
{
    manager_->LNGFilePath(path);
}

void LumaroPlayer::PathParent(const QString& folder)
{
    manager_->PathParent(folder);
}

void LumaroPlayer::LevelTracelage(long level)
{
    manager_->LevelTracelage(level);
}

bool LumaroPlayer::CreateManager(bool withoutFrm, const QString& langue)
{
    return manager_->CreateManager(withoutFrm ? lumaro::WithoutFrm : lumaro::WithFrm, langue);
}

long LumaroPlayer::StateEnCours()
{
    return manager_->StateEnCours();
}

QString LumaroPlayer::LastErrorString()
{
    return manager_->LastErrorString();
}

long LumaroPlayer::LastErrorNumber()
{
    return manager_->LastErrorNumber();
}

bool LumaroPlayer::Destroy()
{
    manager_->Destroy();
    return true;
}

void LumaroPlayer::PrepareFrmLoading(const QString& typeFormEval)
{
    manager_->PrepareFrmLoading(typeFormEval);
}

void LumaroPlayer::SetMessageLoading(const QString& message)
{
    manager_->SetMessageLoading(message);
}

void LumaroPlayer::SetPourcentLoading(long percent)
{
    manager_->SetPourcentLoading(percent);
}

void LumaroPlayer::TerminateFrmLoading()
{
    manager_->TerminateFrmLoading();
}

void LumaroPlayer::ModeMediaInet(bool value)
{
    manager_->ModeMediaInet(value);
}

void LumaroPlayer::ExtensionVideo(const QString& value)
{
    manager_->ExtensionVideo(value);
}

void LumaroPlayer::PersonalFolder(const QString& folder)
{
    manager_->PersonalFolder(folder);
}

void LumaroPlayer::AutoMediaPoint(long value)
{
    manager_->AutoMediaPoint(value);
}

void LumaroPlayer::URLServerHelpFile(const QString& address)
{
    manager_->URLServerHelpFile(address);
}

void LumaroPlayer::XmlCheminServeur(const QString& address)
{
    manager_->XmlCheminServeur(address);
}

void LumaroPlayer::XmlModeInet(bool value)
{
    manager_->XmlModeInet(value);
}

bool LumaroPlayer::InitManager(long questionDebut)
{
    return manager_->InitManager(questionDebut);
}

void LumaroPlayer::CacherBarrePourVideo()
{
    manager_->CacherBarrePourVideo();
}

void LumaroPlayer::RetourAfficherVideo()
{
    manager_->RetourAfficherVideo();
}

long LumaroPlayer::AfficheMessageBoxBarre(const QString& message, long style)
{
    return manager_->AfficheMessageBoxBarre(message, style);
}

}  // namespace pelago

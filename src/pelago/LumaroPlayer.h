#pragma once

#include "QuestionPlayer.h"

#include "lumaro/player/ManagerServices.h"

#include <memory>

namespace lumaro {
class LumaroContext;
class Manager;
}  // namespace lumaro

namespace pelago {

// The question player of the course model's own player (lumaro::Manager),
// behind the launcher's interface: every call goes to it unchanged.
class LumaroPlayer final : public QuestionPlayer {
public:
    explicit LumaroPlayer(lumaro::LumaroContext& context, lumaro::ManagerServices services = {});
    ~LumaroPlayer() override;

    lumaro::Manager& manager() const { return *manager_; }

    void setEvents(lumaro::ManagerEvents* events) override;
    void LNGFilePath(const QString& path) override;
    void PathParent(const QString& folder) override;
    void LevelTracelage(long level) override;
    bool CreateManager(bool withoutFrm, const QString& langue) override;
    long StateEnCours() override;
    QString LastErrorString() override;
    long LastErrorNumber() override;
    bool Destroy() override;
    void PrepareFrmLoading(const QString& typeFormEval) override;
    void SetMessageLoading(const QString& message) override;
    void SetPourcentLoading(long percent) override;
    void TerminateFrmLoading() override;
    void ModeMediaInet(bool value) override;
    void ExtensionVideo(const QString& value) override;
    void PersonalFolder(const QString& folder) override;
    void AutoMediaPoint(long value) override;
    void URLServerHelpFile(const QString& address) override;
    void XmlCheminServeur(const QString& address) override;
    void XmlModeInet(bool value) override;
    bool InitManager(long questionDebut) override;
    void CacherBarrePourVideo() override;
    void RetourAfficherVideo() override;
    long AfficheMessageBoxBarre(const QString& message, long style) override;

private:
    std::unique_ptr<lumaro::Manager> manager_;
};

}  // namespace pelago

#pragma once

#include <QString>

namespace lumaro {
class ManagerEvents;
}

namespace pelago {

// What the launcher needs of the question player and navigation bar: made in
// the learner's language, it plays the current module of the course model in
// the question window, shows the loading window while the course data load
// and while a run ends, and tells the launcher through its events what the
// learner does. The program adapts the player to this interface (LumaroPlayer);
// tests give a fake.
class QuestionPlayer {
public:
    virtual ~QuestionPlayer() = default;

    // Who hears the events; null: nobody.
    virtual void setEvents(lumaro::ManagerEvents* events) = 0;

    virtual void LNGFilePath(const QString& path) = 0;
    virtual void PathParent(const QString& folder) = 0;
    virtual void LevelTracelage(long level) = 0;
    // Builds the player, without its own form, in that language; False with
    // its step code and last error to read.
    virtual bool CreateManager(bool withoutFrm, const QString& langue) = 0;
    // Each read returns the value and puts the neutral one back.
    virtual long StateEnCours() = 0;
    virtual QString LastErrorString() = 0;
    virtual long LastErrorNumber() = 0;
    virtual bool Destroy() = 0;

    virtual void PrepareFrmLoading(const QString& typeFormEval) = 0;
    virtual void SetMessageLoading(const QString& message) = 0;
    virtual void SetPourcentLoading(long percent) = 0;
    virtual void TerminateFrmLoading() = 0;

    // The settings of a run, given before InitManager.
    virtual void ModeMediaInet(bool value) = 0;
    virtual void ExtensionVideo(const QString& value) = 0;
    virtual void PersonalFolder(const QString& folder) = 0;
    virtual void AutoMediaPoint(long value) = 0;
    virtual void URLServerHelpFile(const QString& address) = 0;
    // Where the exercise engine reads its exercise files: the server's
    // address and the switch that sends it there.
    virtual void XmlCheminServeur(const QString& address) = 0;
    virtual void XmlModeInet(bool value) = 0;
    // Shows the question window at that question of the current module.
    virtual bool InitManager(long questionDebut) = 0;

    // The question window steps aside while the launcher plays a video, and
    // comes back after it.
    virtual void CacherBarrePourVideo() = 0;
    virtual void RetourAfficherVideo() = 0;
    // The player's own message box: 1 OK, 2 Cancel.
    virtual long AfficheMessageBoxBarre(const QString& message, long style) = 0;
};

}  // namespace pelago

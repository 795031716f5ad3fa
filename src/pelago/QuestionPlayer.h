#pragma once

#include <QString>

namespace pelago {

// What the launcher needs of the question player and navigation bar: made in
// the learner's language, it shows the loading window while a run ends. The
// program adapts the player to this interface; tests give a fake.
class QuestionPlayer {
public:
    virtual ~QuestionPlayer() = default;

    virtual void LNGFilePath(const QString& path) = 0;
    virtual void PathParent(const QString& folder) = 0;
    virtual void LevelTracelage(long level) = 0;
    // Builds the player, without its own form, in that language; False with
    // its step code and last error to read.
    virtual bool CreateManager(bool withoutFrm, const QString& langue) = 0;
    virtual long StateEnCours() = 0;
    virtual QString LastErrorString() = 0;
    virtual long LastErrorNumber() = 0;
    virtual bool Destroy() = 0;

    virtual void PrepareFrmLoading(const QString& typeFormEval) = 0;
    virtual void SetMessageLoading(const QString& message) = 0;
    virtual void TerminateFrmLoading() = 0;
};

}  // namespace pelago

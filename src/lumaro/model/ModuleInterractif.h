#pragma once

#include "ModuleComplement.h"

#include <QObject>
#include <QString>
#include <QtPlugin>

#include <memory>

namespace lumaro {

// The contract of an interactive exercise component: an exercise that runs
// inside a live taught application rather than in the exercise engine. The
// course model calls the eight slots in this order for one question: 5 to
// start, then for each answer 7, 2, 3, 0 (and 1 for the feedback), then 4 to
// close; 6 once when the taught application is unloaded.
//
// A slot that cannot do what is asked throws platform::RuntimeError (438 for a
// slot the component does not offer); any other exception counts as an
// automation error. Callers trap both.
class ModuleInterractif {
public:
    virtual ~ModuleInterractif() = default;

    // Slot 0: the last scored answer earns a nuanced bravo.
    virtual bool BravoNuance() = 0;
    // Slot 1: the complements of the last scored answer (may be null: none).
    virtual std::shared_ptr<ModuleComplement> Complement() = 0;
    // Slot 2: the answer letter of the last scored answer, "" when it was right.
    virtual QString CauseErreur() = 0;
    // Slot 3: the last scored answer is a general error.
    virtual bool ErreurGenerale() = 0;
    // Slot 4: closes the current exercise.
    virtual void FermeQuestion() = 0;
    // Slot 5: starts the exercise of that instance with the files of that folder.
    // application and handle come in as the live taught application and its main
    // window (null and -1 when none is known) and go out as the ones now in use.
    // reserved is always 0.
    virtual void InitQuestion(long instance, const QString& folder, std::shared_ptr<QObject>& application,
                              long& handle, long reserved) = 0;
    // Slot 6: ends the live taught application; flag is True on the way in.
    virtual void QuitteApplication(std::shared_ptr<QObject>& application, bool& flag) = 0;
    // Slot 7: scores the learner's current answer.
    virtual void TestePoint() = 0;
};

}  // namespace lumaro

#define LumaroModuleInterractif_iid "lumaro.ModuleInterractif/1.0"
Q_DECLARE_INTERFACE(lumaro::ModuleInterractif, LumaroModuleInterractif_iid)

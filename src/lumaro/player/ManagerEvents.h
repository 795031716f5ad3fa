#pragma once

#include "lumaro/model/Enumerations.h"

#include <QString>

namespace lumaro {

// The events of a question session, which its host answers. They are raised
// synchronously: the handler runs before the session goes on, and may end the
// session (destroy its Manager) from inside; the session then touches nothing
// of itself again. Arguments are by reference, as the hosts expect. A handler
// must not throw; what it throws is dropped.
class ManagerEvents {
public:
    virtual ~ManagerEvents() = default;

    // The learner leaves the session, or the session cannot move on.
    virtual void BoutonQuitter() { }
    // Never raised.
    virtual void BoutonQuitterExoApp() { }
    // The module's last question is done; its results are in the course model.
    virtual void FinModule() { }
    // Never raised.
    virtual void AfficherAide(QString& isFichier) { (void)isFichier; }
    // Never raised.
    virtual void AfficherAideComplementaire() { }
    // The host must play the question's lesson or solution video itself.
    virtual void VisuVideo(long& ilIdQuestion, TypeVideo& ieTypeVideo, QString& isTitreFenetre)
    {
        (void)ilIdQuestion;
        (void)ieTypeVideo;
        (void)isTitreFenetre;
    }
    // A media opened from the index was closed.
    virtual void FinVideo() { }
};

} // namespace lumaro

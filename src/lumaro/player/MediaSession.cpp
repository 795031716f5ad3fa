#include "MediaSession.h"

#include "frmMedia.h"

#include <QPointer>

namespace lumaro {

void connectQuitter(frmMedia& window, MediaSession& session)
{
    QObject::connect(&window, &frmMedia::Quitter, &window, [&session, guard = QPointer<frmMedia>(&window)] {
        if (!guard)
            return;
        guard->hide();
        if (guard->MediaOpenedForHelpViewer())
            session.RetourAfficherAideManager();
        else
            session.RetourAfficherVideoManager();
    });
}

}  // namespace lumaro

#include "support/FakeVideoPlayers.h"

#include "vidora/VidoraContext.h"

#include <QDir>

namespace testsupport {

void useFakeVideoPlayers(vidora::VidoraContext& context, platform::Timers& timers,
                         QPointer<FakeMediaPlayer>& last, const QString& temporaryRoot, QSize screen)
{
    context.timers = &timers;
    context.createPlayer = fakeMediaPlayers(last);
    context.hasAudioOutput = [] { return true; };
    context.screenSize = [screen] { return screen; };
    context.temporaryRoot = temporaryRoot;
    QDir().mkpath(temporaryRoot);
}

}  // namespace testsupport

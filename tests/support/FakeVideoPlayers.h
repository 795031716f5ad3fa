#pragma once

#include "support/FakeMediaPlayer.h"

#include <QPointer>
#include <QSize>
#include <QString>

namespace platform {
class Timers;
}  // namespace platform

namespace vidora {
struct VidoraContext;
}  // namespace vidora

namespace testsupport {

// Sets the video player's context to play on `timers` and on fake media
// players, the last one made kept in `last`, with an audio output, a screen of
// `screen` and its private folders made under `temporaryRoot`, which it makes.
void useFakeVideoPlayers(vidora::VidoraContext& context, platform::Timers& timers,
                         QPointer<FakeMediaPlayer>& last, const QString& temporaryRoot, QSize screen);

}  // namespace testsupport

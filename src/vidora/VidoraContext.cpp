#include "VidoraContext.h"

#include "platform/QtMediaPlayer.h"
#include "platform/QtTimers.h"
#include "tracel/ErrorLine.h"

#include <QDir>
#include <QGuiApplication>
#include <QCursor>
#include <QScreen>

namespace vidora {

VidoraContext::VidoraContext()
    : timers(&platform::QtTimers::instance()),
      createPlayer([] { return std::make_unique<platform::QtMediaPlayer>(); }),
      hasAudioOutput(platform::workstationHasSoundOutput),
      screenSize([] {
          const QScreen* screen = QGuiApplication::primaryScreen();
          return screen ? screen->availableSize() : QSize(800, 600);
      }),
      temporaryRoot(QDir::tempPath())
{
}

VidoraContext& VidoraContext::processDefault()
{
    static VidoraContext context;
    return context;
}

void VidoraContext::recordError(const platform::RuntimeError& error, tracel::eTypeModuleVB type, const QString& module)
{
    lastError.store(error);
    trace.write(type, module, tracel::errorLine(error));
}

void VidoraContext::showHourglass(bool shown)
{
    if (shown == hourglassShown || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    hourglassShown = shown;
    if (shown)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

}  // namespace vidora

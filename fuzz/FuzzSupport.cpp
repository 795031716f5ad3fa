#include "FuzzSupport.h"

#include <QtGlobal>

namespace fuzzsupport {

void silenceQtMessages()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

}  // namespace fuzzsupport

#include "ErrorLine.h"

namespace tracel {

QString errorLine(const platform::RuntimeError& error)
{
    return QStringLiteral("erreur kav %1 : %2").arg(error.number()).arg(error.text());
}

}  // namespace tracel

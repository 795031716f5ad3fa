#include "API.h"

#include "kavMsgBoxStyle.h"

#include "lumaro/model/LumaroContext.h"
#include "platform/MessageBoxes.h"
#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"
#include "tracel/TraceChannel.h"

namespace lumaro {
namespace {

const QString unitName = QStringLiteral("API");

}  // namespace

long puAfficheMessageBoxBarre(LumaroContext& context, platform::MessageBoxes& boxes, const QString& isMessage,
                              long iMsgBoxStyle)
{
    tracel::TraceScope scope(context.trace, tracel::TypeBas, unitName,
                             QStringLiteral("Public Function puAfficheMessageBoxBarre"));
    scope.value(QStringLiteral("isMessage"), isMessage);
    scope.value(QStringLiteral("iMsgBoxStyle"), QString::number(iMsgBoxStyle));

    int buttons = 0;
    if (iMsgBoxStyle & kavAnnuler)
        buttons = platform::MessageBoxes::OkButton | platform::MessageBoxes::CancelButton;
    else if (iMsgBoxStyle & kavOk)
        buttons = platform::MessageBoxes::OkButton;
    else
        return platform::MessageBoxes::Cancel;
    const auto icon = (iMsgBoxStyle & kavAlert) ? platform::MessageBoxes::Icon::Warning
                                                : platform::MessageBoxes::Icon::Information;
    int result = platform::MessageBoxes::NoResult;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        result = boxes.show(isMessage, context.message(QStringLiteral("GENERAL_kavlblSystemeMedia")), buttons, icon);
    });
    if (error)
        scope.line(tracel::errorLine(*error));
    return result;
}

}  // namespace lumaro

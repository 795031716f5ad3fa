#include "BarreMessageBoxes.h"

#include "MessageBoxBarre.h"

#include "lumaro/model/LumaroContext.h"

namespace lumaro {

int BarreMessageBoxes::show(const QString& text, const QString& title, int buttons, Icon icon)
{
    MessageBoxBarre box(title, context_.message(QStringLiteral("GENERAL_kavbtnOk")),
                        context_.message(QStringLiteral("GENERAL_kavbtnAnnuler")));
    box.prepare(text, buttons, icon);
    return box.run();
}

}  // namespace lumaro

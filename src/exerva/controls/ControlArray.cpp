#include "ControlArray.h"

#include <QAbstractButton>

namespace exerva {

void copyElementSettings(const QWidget& lowest, QWidget& element)
{
    element.setFont(lowest.font());
    element.setPalette(lowest.palette());
    element.setAutoFillBackground(lowest.autoFillBackground());
    element.setGeometry(lowest.geometry());
    element.hide();
}

bool clickAsLearner(QAbstractButton* button)
{
    if (!button || button->isHidden() || !button->isEnabled())
        return false;
    button->click();
    return true;
}

}  // namespace exerva

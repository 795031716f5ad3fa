#include "ItemCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace exerva {

ItemCheckBox::ItemCheckBox(QWidget* parent) : QCheckBox(parent) {}

QStyleOptionButton ItemCheckBox::firstLineOption() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect.setHeight(std::min(option.rect.height(), fontMetrics().height()));
    return option;
}

QRect ItemCheckBox::indicatorRect() const
{
    const QStyleOptionButton option = firstLineOption();
    return style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
}

void ItemCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_CheckBox, firstLineOption());
}

bool ItemCheckBox::hitButton(const QPoint& pos) const
{
    const QStyleOptionButton option = firstLineOption();
    return style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, this).contains(pos);
}

}  // namespace exerva

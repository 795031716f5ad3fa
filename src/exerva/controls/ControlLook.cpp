#include "ControlLook.h"

#include "exerva/OleColor.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

namespace exerva {

QFont controlArrayFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

void applyColor(QWidget& widget, QPalette::ColorRole role, long color)
{
    QPalette palette = widget.palette();
    const QColor qcolor = oleColorToQColor(color);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, qcolor);
    widget.setPalette(palette);
}

void applyBackColor(QWidget& widget, long color)
{
    applyColor(widget, widget.backgroundRole(), color);
    widget.setAutoFillBackground(true);
}

void applyForeColor(QWidget& widget, long color)
{
    applyColor(widget, QPalette::WindowText, color);
    applyColor(widget, QPalette::ButtonText, color);
}

void applyBackStyle(QWidget& widget, long style) { widget.setAutoFillBackground(style != 0); }

void applyFontSize(QWidget& widget, long points)
{
    if (points <= 0)
        return;
    QFont font = widget.font();
    font.setPointSizeF(double(points));
    widget.setFont(font);
}

int autoSizedWidth(const QLabel& label)
{
    const QMargins margins = label.contentsMargins();
    return QFontMetrics(label.font()).horizontalAdvance(label.text()) + margins.left() + margins.right();
}

}  // namespace exerva

#pragma once

#include <QFont>
#include <QPalette>

class QLabel;
class QWidget;

namespace exerva {

// Appearance settings that the question-type controls apply to the elements of
// their control arrays. Colours are colour numbers (see oleColorToQColor).

// Arial, 9.75 points, normal weight: the font every element starts with.
QFont controlArrayFont();

void applyColor(QWidget& widget, QPalette::ColorRole role, long color);
// The background colour of a box, option button or label, painted from then on.
// Buttons fill their background from the button role, labels from the window role.
void applyBackColor(QWidget& widget, long color);
// The text colour of a box, option button or label.
void applyForeColor(QWidget& widget, long color);
// 0 transparent: the parent shows through; any other value paints the background.
void applyBackStyle(QWidget& widget, long style);
// A whole number of points; 0 or less keeps the font as it is.
void applyFontSize(QWidget& widget, long points);
// Width of a label that sizes itself to its text, in pixels.
int autoSizedWidth(const QLabel& label);

}  // namespace exerva

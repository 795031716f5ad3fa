#include "WordBox.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace exerva {

namespace {

// Below this a word can no longer be read; it is cut off instead.
constexpr int smallestPixelSize = 6;

// The tallest accented capitals and the deepest descenders of the courses'
// texts: every word leaves room for them, so that all share one baseline.
const QString tallestLetters = QStringLiteral("ÉÀÇÂgjpqy");

// How far a line of `text` reaches above and below its baseline, in pixels.
struct LineExtent {
    int above;
    int below;
    int height() const { return above + below; }
};

LineExtent lineExtent(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(tallestLetters + text);
    return {std::max(metrics.ascent(), -ink.top()), std::max(metrics.descent(), ink.bottom() + 1)};
}

}  // namespace

WordBox::WordBox(QWidget* parent) : QLabel(parent) {}

QFont WordBox::drawnFont() const
{
    QFont drawn = font();
    const int room = height() - 2 * std::max(frameWidth(), 1);
    int pixels = QFontInfo(drawn).pixelSize();
    while (lineExtent(drawn, text()).height() > room && pixels > smallestPixelSize)
        drawn.setPixelSize(--pixels);
    return drawn;
}

void WordBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);

    const QFont drawn = drawnFont();
    const QFontMetrics metrics(drawn);
    const QRect area = contentsRect();
    // The space QLabel leaves between a frame and the text.
    const int indent = this->indent() >= 0 ? this->indent()
        : frameWidth() > 0                 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2
                                           : 0;
    const int textWidth = metrics.horizontalAdvance(text());
    int x = area.left() + indent;
    if (alignment() & Qt::AlignRight)
        x = area.right() + 1 - indent - textWidth;
    else if (alignment() & Qt::AlignHCenter)
        x = area.left() + (area.width() - textWidth) / 2;

    // A whole-pixel baseline keeps the glyphs as crisp as QLabel draws them.
    const LineExtent extent = lineExtent(drawn, text());
    const int baseline = (height() - extent.height()) / 2 + extent.above;
    painter.setFont(drawn);
    painter.setPen(palette().color(foregroundRole()));
    painter.setClipRect(area);
    painter.drawText(QPoint(x, baseline), text());
}

}  // namespace exerva

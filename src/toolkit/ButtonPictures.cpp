#include "ButtonPictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace toolkit {
namespace {

struct LookColours {
    QColor top;
    QColor bottom;
    QColor border;
    QColor glyph;
};

// One palette for every button of the family.
const LookColours upColours{QColor(0xF6, 0xF9, 0xFC), QColor(0xD2, 0xDD, 0xEA), QColor(0x6E, 0x84, 0xA3),
                            QColor(0x24, 0x44, 0x6B)};
const LookColours downColours{QColor(0xB9, 0xCA, 0xDE), QColor(0xDE, 0xE7, 0xF1), QColor(0x3F, 0x59, 0x7C),
                              QColor(0x14, 0x30, 0x55)};
const LookColours disabledColours{QColor(0xEE, 0xEF, 0xF1), QColor(0xDD, 0xDF, 0xE2), QColor(0xB4, 0xB8, 0xBE),
                                  QColor(0xA6, 0xAB, 0xB2)};

// The glyph in the look's colour, rendered from its vector picture.
QImage tintedGlyph(ButtonGlyph glyph, int side, qreal ratio, const QColor& colour)
{
    QImage image(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/toolkit/buttons/%1.svg").arg(glyphName(glyph)));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, side, side));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(0, 0, side, side), colour);
    return image;
}

QPixmap drawLook(ButtonGlyph glyph, QSize size, const LookColours& colours, int shift)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF plate = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(5.0, std::min(size.width(), size.height()) / 4.0);
    QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    painter.setPen(QPen(colours.border, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(plate, radius, radius);

    if (glyph != ButtonGlyph::None) {
        const int side = std::max(8, int(std::min(size.width(), size.height()) * 0.66));
        const QPointF origin((size.width() - side) / 2.0 + shift, (size.height() - side) / 2.0 + shift);
        painter.drawImage(origin, tintedGlyph(glyph, side, ratio, colours.glyph));
    }
    return pixmap;
}

}  // namespace

QString glyphName(ButtonGlyph glyph)
{
    switch (glyph) {
    case ButtonGlyph::None: return {};
    case ButtonGlyph::Help: return QStringLiteral("help");
    case ButtonGlyph::Lesson: return QStringLiteral("lesson");
    case ButtonGlyph::Solution: return QStringLiteral("solution");
    case ButtonGlyph::Check: return QStringLiteral("check");
    case ButtonGlyph::Continue: return QStringLiteral("continue");
    case ButtonGlyph::Restart: return QStringLiteral("restart");
    case ButtonGlyph::Quit: return QStringLiteral("quit");
    case ButtonGlyph::Play: return QStringLiteral("play");
    case ButtonGlyph::Pause: return QStringLiteral("pause");
    case ButtonGlyph::Stop: return QStringLiteral("stop");
    case ButtonGlyph::Previous: return QStringLiteral("previous");
    case ButtonGlyph::Next: return QStringLiteral("next");
    case ButtonGlyph::Sound: return QStringLiteral("sound");
    case ButtonGlyph::Video: return QStringLiteral("video");
    case ButtonGlyph::Book: return QStringLiteral("book");
    }
    return {};
}

ButtonPictures buttonPictures(ButtonGlyph glyph, QSize size)
{
    if (size.isEmpty())
        return {};
    return ButtonPictures{drawLook(glyph, size, upColours, 0), drawLook(glyph, size, downColours, 1),
                          drawLook(glyph, size, disabledColours, 0)};
}

}  // namespace toolkit

#include "OleColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <cstdint>

namespace exerva {

namespace {

QColor systemColor(std::uint32_t index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0:  // scroll bars
        return palette.color(QPalette::Button);
    case 1:  // desktop
        return palette.color(QPalette::Dark);
    case 2:  // active title bar
    case 13:  // selected items
        return palette.color(QPalette::Highlight);
    case 3:  // inactive title bar
        return palette.color(QPalette::Mid);
    case 4:  // menu
    case 15:  // button face
        return palette.color(QPalette::Button);
    case 5:  // window background
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 10:  // active border
    case 11:  // inactive border
        return palette.color(QPalette::Mid);
    case 7:  // menu text
        return palette.color(QPalette::WindowText);
    case 8:  // window text
        return palette.color(QPalette::Text);
    case 9:  // title bar text
    case 14:  // selected text
        return palette.color(QPalette::HighlightedText);
    case 12:  // application workspace
        return palette.color(QPalette::Dark);
    case 16:  // button shadow
        return palette.color(QPalette::Dark);
    case 17:  // disabled text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:  // button text
        return palette.color(QPalette::ButtonText);
    case 19:  // inactive title bar text
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20:  // button highlight
        return palette.color(QPalette::Light);
    case 21:  // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 22:  // 3D light
        return palette.color(QPalette::Midlight);
    case 23:  // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24:  // tool tip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return QColor(Qt::black);
    }
}

}  // namespace

QColor oleColorToQColor(long color)
{
    const auto bits = static_cast<std::uint32_t>(color);
    if ((bits & 0x80000000u) != 0)
        return systemColor(bits & 0x00FFFFFFu);
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

}  // namespace exerva

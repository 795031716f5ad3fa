#pragma once

#include <QColor>

namespace exerva {

// Exercise files give colours as the original's colour numbers: 0x00BBGGRR for
// a plain colour, 0x800000nn for the system colour with index nn (5 window
// background, 8 window text, 15 button face, 18 button text...), which follows
// the application's palette. The number is read as 32 bits, so a negative Long
// such as -2147483643 names the same system colour as 0x80000005. An unknown
// system colour index gives black.
QColor oleColorToQColor(long color);

// The colour number of system colour `index`, as a 32-bit Long (negative).
constexpr long systemColorNumber(int index)
{
    return long(static_cast<int>(0x80000000u | static_cast<unsigned>(index)));
}

// The system colours the controls and their elements start with.
constexpr long windowColor = systemColorNumber(5);
constexpr long windowTextColor = systemColorNumber(8);
constexpr long buttonFaceColor = systemColorNumber(15);
constexpr long buttonTextColor = systemColorNumber(18);

}  // namespace exerva

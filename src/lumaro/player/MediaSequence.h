#pragma once

#include <QSize>
#include <QString>
#include <QUrl>

#include <optional>

namespace lumaro {

// The texts a media window reads from a video's sequences, each one checked.

// The number a sequence's start text stands for: its longest leading numeric
// part ("02:00:00" is 2, "1.5" is 1.5), 0 when it has none.
double sequenceStartValue(const QString& start);

// Seconds of a duration written as a time of day, "h:mm:ss" or "h:mm"; nothing
// for any other text, and for a time past the day.
std::optional<double> timeTextSeconds(const QString& text);

// The player's size from the Width and Height texts of a video description:
// both must be positive whole numbers, else the player takes its usual size.
QSize playerSize(const std::optional<QString>& width, const std::optional<QString>& height);
inline constexpr QSize defaultPlayerSize{800, 550};

// Descriptions were written with both spellings of the title attribute; the
// reader looks for "Title" and takes "title" for it, but not "TITLE".
QString withTitleSpelling(QString description);

// The whole number nearest to the value, halves to even, as positions and
// places are rounded; beyond int's range the nearest int, 0 for no number.
int roundHalfEven(double value);

// The address of a document: the base and the file name, as one text. A base
// with a scheme (http, https, file) gives an address with the name
// percent-encoded; any other base is a folder of this computer, in which the
// name is looked up without regard to case. The name must stay inside the
// base: nothing when it tries to leave it (or is empty).
std::optional<QUrl> documentAddress(const QString& base, const QString& fileName);

}  // namespace lumaro

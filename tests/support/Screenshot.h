#pragma once

#include <QString>

#include <chrono>

class QWidget;

namespace testsupport {

// How long a screenshot waits for each web view to show its page.
constexpr std::chrono::milliseconds webViewTimeout{15000};

// Saves a picture of the widget as it is drawn now (offscreen grab) under
// "screenshots/<name>.png" next to the test binary, so that a reviewer can look
// at the layouts the tests build. Returns the file written, "" when saving failed.
//
// The web engine draws a web view's page on its own schedule, after the page
// has loaded: the picture first waits, with the event loop running, until each
// shown web view inside the widget has loaded its page and draws more than one
// colour, or until webViewTimeout has passed for it (a page of one colour
// waits that long).
QString saveScreenshot(QWidget& widget, const QString& name);

// Saves the two windows side by side, as the learner sees them on one screen
// (the left one, a gap, the right one), under the same rules as saveScreenshot.
QString saveSideBySide(QWidget& left, QWidget& right, const QString& name);

}  // namespace testsupport

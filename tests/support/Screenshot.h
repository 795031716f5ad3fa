#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace testsupport {

// Saves a picture of the widget as it is drawn now (offscreen grab) under
// "screenshots/<name>.png" next to the test binary, so that a reviewer can look
// at the layouts the tests build. Returns the file written, "" when saving failed.
inline QString saveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    if (!QDir().mkpath(folder))
        return {};
    const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    widget.ensurePolished();
    return widget.grab().save(file, "PNG") ? file : QString();
}

}  // namespace testsupport

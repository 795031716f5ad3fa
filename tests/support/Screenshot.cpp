#include "Screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

#include <algorithm>

namespace testsupport {

namespace {

// How often a web view's drawing is looked at while waiting.
constexpr std::chrono::milliseconds lookAgain{25};

bool drawsMoreThanOneColour(QWidget& view)
{
    const QImage image = view.grab().toImage();
    if (image.isNull())
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

bool showsItsPage(QWebEngineView& view)
{
    const QWebEnginePage* page = view.page();
    return page && !page->isLoading() && drawsMoreThanOneColour(view);
}

// Runs the event loop until the view shows its page or the time is up.
void waitForPage(QWebEngineView& view)
{
    if (showsItsPage(view))
        return;
    QEventLoop loop;
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (showsItsPage(view) || elapsed.elapsed() >= webViewTimeout.count())
            loop.quit();
    });
    look.start(lookAgain);
    loop.exec();
}

// Lets each shown web view of the widget draw its page first.
void waitForPages(QWidget& widget)
{
    widget.ensurePolished();
    QList<QWebEngineView*> views = widget.findChildren<QWebEngineView*>();
    if (auto* view = qobject_cast<QWebEngineView*>(&widget))
        views.prepend(view);
    for (QWebEngineView* view : views) {
        if (view->isVisible() && !view->url().isEmpty())
            waitForPage(*view);
    }
}

QString screenshotFile(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    if (!QDir().mkpath(folder))
        return {};
    return folder + QLatin1Char('/') + name + QStringLiteral(".png");
}

}  // namespace

QString saveScreenshot(QWidget& widget, const QString& name)
{
    const QString file = screenshotFile(name);
    if (file.isEmpty())
        return {};
    waitForPages(widget);
    return widget.grab().save(file, "PNG") ? file : QString();
}

QString saveSideBySide(QWidget& left, QWidget& right, const QString& name)
{
    const QString file = screenshotFile(name);
    if (file.isEmpty())
        return {};
    waitForPages(left);
    waitForPages(right);
    const QPixmap leftPicture = left.grab();
    const QPixmap rightPicture = right.grab();
    constexpr int gap = 16;
    QPixmap both(leftPicture.width() + gap + rightPicture.width(), std::max(leftPicture.height(), rightPicture.height()));
    both.fill(QColor(0x60, 0x60, 0x60));
    QPainter painter(&both);
    painter.drawPixmap(0, 0, leftPicture);
    painter.drawPixmap(leftPicture.width() + gap, 0, rightPicture);
    painter.end();
    return both.save(file, "PNG") ? file : QString();
}

}  // namespace testsupport

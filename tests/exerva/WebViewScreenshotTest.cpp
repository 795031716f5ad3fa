// The screenshots the tests save show what a web view draws: the page, not
// the blank surface a view has before the web engine has drawn it.

#include "support/Screenshot.h"

#include <QColor>
#include <QImage>
#include <QSignalSpy>
#include <QWebEngineView>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(WebViewScreenshotTest, ShowsThePageOfAWebView)
{
    QWidget window;
    window.resize(300, 200);
    auto* view = new QWebEngineView(&window);
    view->setGeometry(10, 10, 280, 180);
    window.show();
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    view->setHtml(QStringLiteral("<html><body style='margin:0;background:#ff8000'>"
                                 "<div style='width:100px;height:60px;background:#0000ff'></div></body></html>"));
    // The picture is taken as soon as the page has loaded, before it is drawn.
    ASSERT_TRUE(loaded.wait(int(testsupport::webViewTimeout.count())));

    const QString file = testsupport::saveScreenshot(window, QStringLiteral("web-view"));
    ASSERT_FALSE(file.isEmpty());
    const QImage picture(file);
    EXPECT_EQ(QColor(picture.pixel(200, 150)).name().toStdString(), "#ff8000") << "the page's background";
    EXPECT_EQ(QColor(picture.pixel(50, 40)).name().toStdString(), "#0000ff") << "the page's block";
}

}  // namespace

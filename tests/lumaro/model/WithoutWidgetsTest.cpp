// The course model runs without a GUI: its tests run on a core application,
// where creating a widget aborts the whole run. This test fails if that guard
// is ever lost.

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

TEST(WithoutWidgetsTest, TheModelsTestsRunWithoutAWidgetApplication)
{
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    EXPECT_FALSE(QCoreApplication::instance()->inherits("QGuiApplication"));
}

}  // namespace

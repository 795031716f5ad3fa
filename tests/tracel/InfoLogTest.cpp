#include "TraceFile.h"

#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "tracel/Info.h"
#include "tracel/Visuel.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <memory>

using tracel::Info;
using tracel::Visuel;

namespace {

class InfoLogTest : public testsupport::TempDirTest {
protected:
    void SetUp() override
    {
        Visuel::install();
        info->PathTracel(dir());
        info->NomFichier(QStringLiteral("Prog"));
    }
    void TearDown() override { tracel::TraceWindow::setMaker({}); }

    Visuel* window() const { return dynamic_cast<Visuel*>(info->window()); }

    QStringList logLines() const { return tracetest::crlfLines(readFile(QStringLiteral("Prog.log"))); }
    QString stamped(const QString& text) const { return tracetest::dateText(clock.now()) + QStringLiteral(" -> ") + text; }

    void setInfo(QString text) { info->SetInfo(text); }

    testsupport::ManualClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 30, 5))};
    std::unique_ptr<Info> info = std::make_unique<Info>(clock);
};

TEST_F(InfoLogTest, SetInfoAppendsDateArrowAndTextLines)
{
    setInfo(QStringLiteral("démarrage"));
    const QString first = stamped(QStringLiteral("démarrage"));
    clock.advanceSeconds(61);
    setInfo(QStringLiteral("suite"));

    EXPECT_EQ(readFile(QStringLiteral("Prog.log")), (first + "\r\n" + stamped(QStringLiteral("suite")) + "\r\n").toUtf8());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Prog.htm"))));
}

TEST_F(InfoLogTest, ActiveFalseBlocksSetInfoButNotSetString)
{
    info->Active(false);
    ASSERT_TRUE(info->InitHtm(QStringLiteral("t")));
    setInfo(QStringLiteral("caché"));
    QString message = QStringLiteral("visible");
    info->SetString(message, tracel::TypeBas, QString(), QStringLiteral("m"), 0);

    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Prog.log"))));
    EXPECT_EQ(tracetest::crlfLines(readFile(QStringLiteral("Prog.htm"))).mid(14),
              QStringList{QStringLiteral("<FONT face=arial size=2 Color='Blue'>00001:&nbsp;&nbsp;&nbsp;&nbsp;visible<BR></FONT>")});

    info->Active(true);
    setInfo(QStringLiteral("repris"));
    EXPECT_EQ(logLines(), QStringList{stamped(QStringLiteral("repris"))});
}

TEST_F(InfoLogTest, UnwritableLogIsSkipped)
{
    info->PathTracel(dir() + QStringLiteral("missing"));
    EXPECT_NO_THROW(setInfo(QStringLiteral("perdu")));
    EXPECT_NO_THROW(info->StyleVisible(false));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("missing"))));
}

TEST_F(InfoLogTest, StyleVisibleFalseWritesADateOnlySeparatorLine)
{
    setInfo(QStringLiteral("avant"));
    info->StyleVisible(false);
    setInfo(QStringLiteral("après"));
    EXPECT_EQ(logLines(), (QStringList{stamped(QStringLiteral("avant")), tracetest::dateText(clock.now()),
                                       stamped(QStringLiteral("après"))}));
    EXPECT_EQ(info->window(), nullptr);
}

TEST_F(InfoLogTest, StyleVisibleSendsLinesToTheWindowShownWithTheFirstLine)
{
    info->StyleVisible(true);
    EXPECT_TRUE(info->StyleVisible());
    Visuel* window = this->window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Form1"));
    auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("TxtInfo"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box, window->txtInfo());
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_FALSE(window->isVisible());

    setInfo(QStringLiteral("un"));
    setInfo(QStringLiteral("deux"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(box->toPlainText(), stamped(QStringLiteral("un")) + "\n" + stamped(QStringLiteral("deux")) + "\n");
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Prog.log"))));

    // Setting it again keeps the same window.
    info->StyleVisible(true);
    EXPECT_EQ(this->window(), window);
}

TEST_F(InfoLogTest, WithoutATraceWindowTheVisibleStyleKeepsTheLinesInTheLog)
{
    tracel::TraceWindow::setMaker({});
    info->StyleVisible(true);
    EXPECT_EQ(info->window(), nullptr);
    setInfo(QStringLiteral("sans fenêtre"));
    EXPECT_EQ(logLines(), QStringList{stamped(QStringLiteral("sans fenêtre"))});
}

TEST_F(InfoLogTest, DroppingStyleVisibleDropsTheWindowAndReturnsToTheLog)
{
    info->StyleVisible(true);
    setInfo(QStringLiteral("fenêtre"));
    QPointer<Visuel> window = this->window();

    info->StyleVisible(false);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(info->window(), nullptr);
    setInfo(QStringLiteral("fichier"));
    EXPECT_EQ(logLines(), (QStringList{tracetest::dateText(clock.now()), stamped(QStringLiteral("fichier"))}));
}

TEST_F(InfoLogTest, ClickOnTheTextReshowsTheWindowModalThenNotModal)
{
    info->StyleVisible(true);
    setInfo(QStringLiteral("ligne"));
    Visuel* window = this->window();
    ASSERT_NE(window, nullptr);

    const Qt::WindowModality expected[] = {Qt::ApplicationModal, Qt::NonModal, Qt::ApplicationModal};
    for (const Qt::WindowModality modality : expected) {
        window->clickText();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowModality(), modality);
    }

    // A real mouse click on the text goes the same way.
    QTest::mouseClick(window->txtInfo()->viewport(), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowModality(), Qt::NonModal);
}

TEST_F(InfoLogTest, WindowRefusesEveryCloseButTheUsersOwn)
{
    info->StyleVisible(true);
    setInfo(QStringLiteral("ligne"));
    Visuel* window = this->window();
    ASSERT_NE(window, nullptr);

    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    window->closeByUser();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(info->window(), window);

    // The next line shows it again, not modal.
    setInfo(QStringLiteral("encore"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
}

TEST_F(InfoLogTest, WindowGoesWithTheObject)
{
    info->StyleVisible(true);
    setInfo(QStringLiteral("ligne"));
    QPointer<Visuel> window = this->window();
    ASSERT_FALSE(window.isNull());
    info.reset();
    EXPECT_TRUE(window.isNull());
}

}  // namespace

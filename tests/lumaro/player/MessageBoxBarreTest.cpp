// The program's message box: which buttons and icon each style shows, the
// answers, the trace, the real box driven offscreen, and two boxes at once.

#include "lumaro/model/LumaroContext.h"
#include "lumaro/player/API.h"
#include "lumaro/player/BarreMessageBoxes.h"
#include "lumaro/player/LumaroLangue.h"
#include "lumaro/player/MessageBoxBarre.h"
#include "lumaro/player/kavMsgBoxStyle.h"

#include "platform/RuntimeError.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"
#include "support/WidgetPart.h"
#include "toolkit/uctButton.h"

#include <QApplication>
#include <QLabel>
#include <QTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using testsupport::part;
using lumaro::MessageBoxBarre;
using platform::MessageBoxes;

class MessageBoxBarreTest : public testsupport::TempDirTest {
protected:
    MessageBoxBarreTest()
    {
        auto langue = std::make_shared<lumaro::LumaroLangue>();
        langue->langue().LangueID(QStringLiteral("FR"));
        langue->langue().LNGFilePath(QStringLiteral(SAMPLES_DIR "/lng/kavplugin.lng"));
        context.langue = langue;
    }

    QString trace() const { return QString::fromUtf8(readFile("Lumaro.htm")); }

    lumaro::LumaroContext context;
};

// Runs the action on the modal box once it is up.
void whenBoxIsUp(std::function<void(MessageBoxBarre&)> action)
{
    QTimer::singleShot(0, [action = std::move(action)] {
        auto* box = qobject_cast<MessageBoxBarre*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no message box is up";
        action(*box);
    });
}

TEST_F(MessageBoxBarreTest, StyleChoosesTheButtonsAndTheIcon)
{
    struct Case {
        long style;
        bool shown;
        int buttons;
        MessageBoxes::Icon icon;
    };
    using enum MessageBoxes::Icon;
    const Case cases[] = {
        {lumaro::kavOk, true, MessageBoxes::OkButton, Information},
        {lumaro::kavOk + lumaro::kavMessage, true, MessageBoxes::OkButton, Information},
        {lumaro::kavOk + lumaro::kavAlert, true, MessageBoxes::OkButton, Warning},
        {lumaro::kavOk + lumaro::kavAnnuler, true, MessageBoxes::OkButton | MessageBoxes::CancelButton, Information},
        {lumaro::kavOk + lumaro::kavAnnuler + lumaro::kavAlert, true, MessageBoxes::OkButton | MessageBoxes::CancelButton,
         Warning},
        {lumaro::kavAnnuler, true, MessageBoxes::OkButton | MessageBoxes::CancelButton, Information},
        {lumaro::kavMessage, false, 0, None},
        {lumaro::kavAlert, false, 0, None},
        {0, false, 0, None},
    };
    for (const Case& c : cases) {
        for (const int answer : {MessageBoxes::Ok, MessageBoxes::Cancel}) {
            SCOPED_TRACE(testing::Message() << "style " << c.style << ", answer " << answer);
            platform::ScriptedMessageBoxes boxes;
            boxes.answer(answer);
            const long result = lumaro::puAfficheMessageBoxBarre(context, boxes, QStringLiteral("Texte"), c.style);
            ASSERT_EQ(boxes.shown().size(), c.shown ? 1u : 0u);
            if (!c.shown) {
                EXPECT_EQ(result, MessageBoxes::Cancel) << "nothing shown answers Cancel";
                continue;
            }
            EXPECT_EQ(result, answer);
            EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Texte"));
            EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Système multimédia de formation"));
            EXPECT_EQ(boxes.shown()[0].buttons, c.buttons);
            EXPECT_EQ(boxes.shown()[0].icon, c.icon);
        }
    }
}

TEST_F(MessageBoxBarreTest, TracesTheCallAndABoxThatFailsAnswersZero)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    struct FailingBoxes final : MessageBoxes {
        int show(const QString&, const QString&, int, Icon) override { throw platform::RuntimeError(7, "Out of memory"); }
    } failing;
    EXPECT_EQ(lumaro::puAfficheMessageBoxBarre(context, failing, QStringLiteral("Quitter ?"), 11), 0);
    platform::ScriptedMessageBoxes boxes;
    EXPECT_EQ(lumaro::puAfficheMessageBoxBarre(context, boxes, QStringLiteral("Bravo"), 1), 1);
    context.levelTracelage(0);

    const QString text = trace();
    EXPECT_EQ(text.count(QStringLiteral("Public Function puAfficheMessageBoxBarre")), 4) << "entry and exit, twice";
    EXPECT_TRUE(text.contains(QStringLiteral("isMessage = Quitter ?")));
    EXPECT_TRUE(text.contains(QStringLiteral("iMsgBoxStyle = 11")));
    EXPECT_TRUE(text.contains(QStringLiteral("<B>Erreur</B></FONT> 7 : Out of memory"))) << "an error line";
}

struct BoxCase {
    const char* name;
    long style;
    bool cancelShown;
    int okLeft;
    bool alert;
};

const BoxCase boxCases[] = {
    {"ok-information", lumaro::kavOk, false, 128, false},
    {"ok-alert", lumaro::kavOk + lumaro::kavAlert, false, 128, true},
    {"ok-cancel-information", lumaro::kavOk + lumaro::kavAnnuler, true, 48, false},
    {"ok-cancel-alert", lumaro::kavOk + lumaro::kavAnnuler + lumaro::kavAlert, true, 48, true},
};

// Each style in the real box, laid out as designed, answered by clicking each
// of its buttons.
TEST_F(MessageBoxBarreTest, RealBoxShowsEachStyleAndAnswersTheButtonClicked)
{
    lumaro::BarreMessageBoxes boxes(context);
    const QString message = QStringLiteral("Voulez-vous vraiment quitter ce module ?\r\nVos réponses seront perdues.");
    for (const BoxCase& c : boxCases) {
        std::vector<const char*> buttons = {"kavbtnOk"};
        if (c.cancelShown)
            buttons.push_back("kavbtnAnnuler");
        for (const char* pressed : buttons) {
            SCOPED_TRACE(std::string(c.name) + " " + pressed);
            bool checked = false;
            whenBoxIsUp([&](MessageBoxBarre& box) {
                checked = true;
                EXPECT_EQ(box.size(), QSize(393, 188));
                EXPECT_EQ(box.windowTitle(), QStringLiteral("Système multimédia de formation"));
                EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
                EXPECT_TRUE(box.isModal());
                const QRect screen = QGuiApplication::primaryScreen()->geometry();
                EXPECT_EQ(box.pos(), QPoint((screen.width() - 393) / 2, (screen.height() - 188) / 2));
                auto* ok = part<toolkit::uctButton>(box, "kavbtnOk");
                auto* cancel = part<toolkit::uctButton>(box, "kavbtnAnnuler");
                EXPECT_EQ(ok->geometry(), QRect(c.okLeft, 144, 109, 31));
                EXPECT_EQ(ok->Caption(), QStringLiteral("OK"));
                EXPECT_EQ(cancel->isVisible(), c.cancelShown);
                if (c.cancelShown) {
                    EXPECT_EQ(cancel->geometry(), QRect(224, 144, 109, 31));
                    EXPECT_EQ(cancel->Caption(), QStringLiteral("Annuler"));
                }
                EXPECT_EQ(part<QLabel>(box, "IcoAlert")->isVisible(), c.alert);
                EXPECT_EQ(part<QLabel>(box, "IcoInfos")->isVisible(), !c.alert);
                auto* text = part<QTextEdit>(box, "txtMessage");
                EXPECT_EQ(text->geometry(), QRect(64, 8, 309, 129));
                EXPECT_EQ(text->toPlainText(), QStringLiteral("Voulez-vous vraiment quitter ce module ?\nVos réponses seront perdues."));
                if (pressed == buttons.front()) {
                    QCoreApplication::processEvents();
                    testsupport::saveScreenshot(box, QStringLiteral("MessageBoxBarre-") + QLatin1String(c.name));
                }
                QTest::mouseClick(part<toolkit::uctButton>(box, pressed), Qt::LeftButton);
            });
            const long answer = lumaro::puAfficheMessageBoxBarre(context, boxes, message, c.style);
            EXPECT_TRUE(checked);
            EXPECT_EQ(answer, std::string(pressed) == "kavbtnOk" ? 1 : 2);
        }
    }
}

TEST_F(MessageBoxBarreTest, ClosingOrEscapeAnswersCancel)
{
    const std::pair<const char*, std::function<void(MessageBoxBarre&)>> ways[] = {
        {"close box", [](MessageBoxBarre& box) { box.close(); }},
        {"escape", [](MessageBoxBarre& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
    };
    lumaro::BarreMessageBoxes boxes(context);
    for (const auto& [name, action] : ways) {
        SCOPED_TRACE(name);
        whenBoxIsUp(action);
        EXPECT_EQ(lumaro::puAfficheMessageBoxBarre(context, boxes, QStringLiteral("Texte"), lumaro::kavOk), 2);
    }
}

TEST_F(MessageBoxBarreTest, ShowsTheDefaultPointerWhileUpAndGivesTheCallersBack)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    Qt::CursorShape whileUp = Qt::BlankCursor;
    whenBoxIsUp([&](MessageBoxBarre& box) {
        whileUp = QGuiApplication::overrideCursor()->shape();
        box.pressOk();
    });
    lumaro::BarreMessageBoxes boxes(context);
    EXPECT_EQ(lumaro::puAfficheMessageBoxBarre(context, boxes, QStringLiteral("Texte"), lumaro::kavOk), 1);
    EXPECT_EQ(whileUp, Qt::ArrowCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A second box opened while the first is up is a box of its own: each keeps
// its text and gets its own answer.
TEST_F(MessageBoxBarreTest, TwoBoxesAtOnceAreTwoWindows)
{
    lumaro::BarreMessageBoxes boxes(context);
    long innerAnswer = -1;
    QPointer<MessageBoxBarre> first;
    whenBoxIsUp([&](MessageBoxBarre& outer) {
        first = &outer;
        whenBoxIsUp([&](MessageBoxBarre& inner) {
            EXPECT_NE(&inner, first.data());
            EXPECT_TRUE(first && first->isVisible());
            EXPECT_EQ(part<QTextEdit>(inner, "txtMessage")->toPlainText(), QStringLiteral("Deuxième"));
            EXPECT_EQ(part<QTextEdit>(*first, "txtMessage")->toPlainText(), QStringLiteral("Premier"));
            inner.pressCancel();
        });
        innerAnswer = lumaro::puAfficheMessageBoxBarre(context, boxes, QStringLiteral("Deuxième"), 3);
        ASSERT_TRUE(first);
        EXPECT_TRUE(first->isVisible()) << "the first box is still waiting";
        first->pressOk();
    });
    EXPECT_EQ(lumaro::puAfficheMessageBoxBarre(context, boxes, QStringLiteral("Premier"), 3), 1);
    EXPECT_EQ(innerAnswer, 2);
    EXPECT_TRUE(first.isNull()) << "each box goes once answered";
}

}  // namespace

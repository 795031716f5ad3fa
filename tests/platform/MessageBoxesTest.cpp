// Message boxes: the real ones answer with the button pressed (or Cancel/OK
// for a close), the scripted ones record every box and answer from their queue.

#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using platform::MessageBoxes;

TEST(QtMessageBoxesTest, AnswersWithTheButtonPressed)
{
    enum class Action { Ok, Cancel, Escape };
    struct Case {
        const char* label;
        int buttons;
        MessageBoxes::Icon icon;
        Action action;
        int result;
        QMessageBox::Icon shownIcon;
        int buttonCount;
    };
    const Case cases[] = {
        {"OK", MessageBoxes::OkButton, MessageBoxes::Icon::None, Action::Ok, MessageBoxes::Ok, QMessageBox::NoIcon, 1},
        {"escape without Cancel", MessageBoxes::OkButton, MessageBoxes::Icon::Information, Action::Escape,
         MessageBoxes::Ok, QMessageBox::Information, 1},
        {"Cancel", MessageBoxes::OkButton | MessageBoxes::CancelButton, MessageBoxes::Icon::Warning, Action::Cancel,
         MessageBoxes::Cancel, QMessageBox::Warning, 2},
        {"escape with Cancel", MessageBoxes::OkButton | MessageBoxes::CancelButton, MessageBoxes::Icon::None,
         Action::Escape, MessageBoxes::Cancel, QMessageBox::NoIcon, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Exerva"));
            EXPECT_EQ(box->text(), QStringLiteral("Erreur B"));
            EXPECT_EQ(box->icon(), c.shownIcon);
            EXPECT_EQ(box->buttons().size(), c.buttonCount);
            switch (c.action) {
            case Action::Ok: box->button(QMessageBox::Ok)->click(); break;
            case Action::Cancel: box->button(QMessageBox::Cancel)->click(); break;
            case Action::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
            }
        });
        platform::QtMessageBoxes boxes;
        EXPECT_EQ(boxes.show(QStringLiteral("Erreur B"), QStringLiteral("Exerva"), c.buttons, c.icon), c.result);
        EXPECT_TRUE(seen);
    }
}

// Shows a box and hands the live box to `look` before pressing its OK button.
void showAndLook(platform::QtMessageBoxes& boxes, const QString& text, const QString& title,
                 const std::function<void(const QMessageBox&)>& look)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        look(*box);
        box->button(QMessageBox::Ok)->click();
    });
    boxes.show(text, title);
    EXPECT_TRUE(seen);
}

TEST(QtMessageBoxesTest, ABoxIsWideEnoughToShowItsTitle)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    const struct {
        const char* text;
        const char* title;
    } cases[] = {
        {"Bravo", "Exerva"},
        {"Erreur B", "Exerva"},
        {"Erreur", "Un titre bien plus long que le texte de la boîte"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const QString title = QString::fromUtf8(c.title);
        // Beside the title, the window manager's icon and three buttons.
        EXPECT_GE(platform::QtMessageBoxes::minimumWidth(title), QFontMetrics(bold).horizontalAdvance(title) + 150);
        platform::QtMessageBoxes boxes;
        showAndLook(boxes, QString::fromUtf8(c.text), title, [&](const QMessageBox& box) {
            EXPECT_GE(box.width(), platform::QtMessageBoxes::minimumWidth(title));
        });
    }
}

TEST(QtMessageBoxesTest, PlacesBoxesBesideTheWindowWhenTheScreenHasRoom)
{
    const QRect screen(0, 0, 1280, 1024);
    const QSize box(220, 100);
    const struct {
        const char* label;
        QRect window;
        std::optional<QPoint> position;
    } cases[] = {
        {"room on the right", QRect(100, 200, 520, 250), QPoint(636, 200)},
        {"right edge reached exactly", QRect(100, 200, 944, 250), QPoint(1060, 200)},
        {"only the left has room", QRect(300, 200, 900, 250), QPoint(64, 200)},
        {"no room on either side", QRect(100, 200, 1100, 250), std::nullopt},
        {"kept on the screen at the bottom", QRect(10, 980, 520, 250), QPoint(546, 924)},
        {"kept on the screen at the top", QRect(10, -50, 520, 250), QPoint(546, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(platform::besidePosition(c.window, box, screen), c.position);
    }
    EXPECT_EQ(platform::besidePosition(QRect(0, 0, 100, 100), QSize(200, 1100), screen), std::nullopt)
        << "a box taller than the screen";

    QWidget window;
    window.setGeometry(20, 40, 300, 200);
    platform::QtMessageBoxes boxes;
    boxes.placeBeside([&]() -> QWidget* { return &window; });
    window.show();
    const QPoint beside(window.frameGeometry().right() + 17, window.frameGeometry().top());
    window.hide();
    showAndLook(boxes, QStringLiteral("Bravo"), QStringLiteral("Exerva"), [&](const QMessageBox& shown) {
        EXPECT_NE(shown.frameGeometry().topLeft(), beside) << "a hidden window has nothing beside it";
    });
    window.show();
    showAndLook(boxes, QStringLiteral("Bravo"), QStringLiteral("Exerva"), [&](const QMessageBox& shown) {
        EXPECT_EQ(shown.frameGeometry().topLeft(), beside);
    });
}

TEST(ScriptedMessageBoxesTest, RecordsEachBoxAndAnswersFromTheQueue)
{
    platform::ScriptedMessageBoxes boxes;
    QStringList seenByHook;
    boxes.onShow([&](const platform::ScriptedMessageBoxes::Shown& box) { seenByHook.append(box.text); });
    boxes.answer(MessageBoxes::Cancel);
    EXPECT_EQ(boxes.show(QStringLiteral("Un"), QStringLiteral("T"), MessageBoxes::OkButton | MessageBoxes::CancelButton,
                         MessageBoxes::Icon::Warning),
              MessageBoxes::Cancel);
    EXPECT_EQ(boxes.show(QStringLiteral("Deux"), QStringLiteral("T")), MessageBoxes::Ok) << "OK once the queue is empty";
    EXPECT_EQ(boxes.texts(), (QStringList{QStringLiteral("Un"), QStringLiteral("Deux")}));
    EXPECT_EQ(seenByHook, boxes.texts());
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].buttons, MessageBoxes::OkButton | MessageBoxes::CancelButton);
    EXPECT_EQ(boxes.shown()[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(boxes.shown()[1].title, QStringLiteral("T"));
    EXPECT_EQ(boxes.shown()[1].icon, MessageBoxes::Icon::None);
}

TEST(ScriptedMessageBoxesTest, AHookMayShowAnotherBox)
{
    platform::ScriptedMessageBoxes boxes;
    boxes.onShow([&](const platform::ScriptedMessageBoxes::Shown& box) {
        if (box.text == QStringLiteral("Premier"))
            boxes.show(QStringLiteral("Second"), box.title);
    });
    boxes.show(QStringLiteral("Premier"), QStringLiteral("Exerva"));
    EXPECT_EQ(boxes.texts(), (QStringList{QStringLiteral("Premier"), QStringLiteral("Second")}));
}

}  // namespace

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

#include "KavTestSupport.h"
#include "support/Screenshot.h"

#include "exerva/ControlRegistry.h"
#include "exerva/Manager.h"
#include "exerva/OleColor.h"
#include "exerva/frmCT.h"
#include "exerva/controls/ControlLook.h"
#include "exerva/controls/KavPAT.h"

#include "platform/RuntimeError.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using exerva::KavPAT;

int textWidth(const QString& text) { return QFontMetrics(exerva::controlArrayFont()).horizontalAdvance(text); }

class KavPATTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_.resize(520, 120);
        pat_ = new KavPAT(traced_.context, &window_);
        pat_->setGeometry(0, 0, 520, 120);
        window_.show();
    }

    QDomElement node(const QString& fixture, const QString& name) { return fixtures_.node(fixture, name); }

    void build()
    {
        ASSERT_EQ(pat_->InitXMLQuestion(node(QStringLiteral("question.xml"), QStringLiteral("QUESTION"))), 1);
        ASSERT_EQ(pat_->InitXMLReponse(node(QStringLiteral("question.xml"), QStringLiteral("REPONSE"))), 1);
    }

    // Types into box j as the learner does, replacing what it held.
    void type(int j, const QString& text)
    {
        QLineEdit* box = pat_->txtPAT(j);
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        // A key of the keyboard layout gives each accented letter as its text.
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(box, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }

    kavtest::TracedContext traced_;
    QWidget window_;
    KavPAT* pat_ = nullptr;
    kavtest::FixtureNodes fixtures_{"pat"};
};

TEST_F(KavPATTest, BuildsRowsOfFixedWordsAndBoxes)
{
    build();
    // Only the upper-case names count: three boxes, tagged with the nodes' texts.
    EXPECT_EQ(pat_->boxCount(), 3);
    EXPECT_EQ(pat_->txtPATCount(), 3);
    EXPECT_EQ(pat_->txtPATTag(1), QStringLiteral("5"));

    const QLabel* first = pat_->lblPAT(0);
    EXPECT_EQ(first->text(), QStringLiteral("L'"));
    EXPECT_EQ(first->geometry(), QRect(10, 10, textWidth(QStringLiteral("L'")), 18));
    const QLineEdit* box = pat_->txtPAT(0);
    EXPECT_FALSE(box->isHidden());
    EXPECT_EQ(box->geometry(), QRect(10 + first->width() + 5, 10, 100, 18));
    EXPECT_EQ(box->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 9.75);

    // Double spaces give no empty word; the line break opens row 1 at 10 + 28.
    QStringList words;
    for (int k = 0; k < pat_->lblPATCount(); ++k)
        words << pat_->lblPAT(k)->text();
    EXPECT_EQ(words, QStringList({"L'", "est", "grand,", "la", "est", "petite", ";", "le", "dort."}));
    EXPECT_EQ(pat_->lblPAT(4)->pos(), QPoint(10, 38));
    EXPECT_EQ(pat_->txtPAT(2)->y(), 38);

    const QString trace = traced_.traceText();
    for (const char* line : {"Public Function InitXMLQuestion", "LBL", "FEEDLINE", "txtPAT(2).Tag = 7",
                             "sTexteReponse = est  grand,  la", "Fin Public Function InitXMLQuestion"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
}

TEST_F(KavPATTest, ShowsWordsThatLookLikeMarkupAsWritten)
{
    const QDomDocument question =
        kavtest::xmlDocument(QStringLiteral("<Q><LBL>&lt;i&gt;a&lt;/i&gt;</LBL><TXT>1</TXT><LBL>&lt;br&gt;</LBL></Q>"));
    ASSERT_EQ(pat_->InitXMLQuestion(question.documentElement()), 1);
    const char* texts[] = {"<i>a</i>", "<br>"};
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(texts[k]);
        EXPECT_EQ(pat_->lblPAT(k)->text(), QString::fromLatin1(texts[k]));
        EXPECT_EQ(pat_->lblPAT(k)->textFormat(), Qt::PlainText);
    }
}

TEST_F(KavPATTest, WrapsOnlyWhatWouldPassTheWidthAtAFixedRowPitch)
{
    struct Case {
        int controlWidth;
        long textHeight;
        QPoint secondBox;
        int finRow;
    };
    const Case cases[] = {
        {215, 18, {115, 10}, 2},
        {214, 18, {10, 38}, 3},
        // Rows stay 28 pixels apart whatever the boxes' height.
        {214, 30, {10, 38}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.controlWidth);
        KavPAT pat(traced_.context, &window_);
        pat.resize(c.controlWidth, 200);
        pat.TextHeight(c.textHeight);
        ASSERT_EQ(pat.InitXMLQuestion(node(QStringLiteral("wrap.xml"), QStringLiteral("QUESTION"))), 1);
        EXPECT_EQ(pat.txtPAT(1)->geometry(), QRect(c.secondBox, QSize(100, int(c.textHeight))));
        // Two line breaks leave one empty row.
        EXPECT_EQ(pat.lblPAT(0)->pos(), QPoint(10, 28 * c.finRow + 10));
    }
}

TEST_F(KavPATTest, PropertiesThroughTheMemberTable)
{
    QVariantList none;
    const auto get = [&](const char* name) {
        return pat_->callByName(QString::fromLatin1(name), exerva::VbGet, none).value<long>();
    };
    EXPECT_EQ(get("TextHeight"), 18);
    EXPECT_EQ(get("TextWidth"), 100);
    EXPECT_EQ(get("TextBackColor"), get("BackColor"));
    EXPECT_EQ(get("TextBorderStyle"), 0);
    EXPECT_EQ(get("LabelFontSize"), 0);

    kavtest::letProperties(*pat_, {{"TextWidth", 60},
                                   {"TextHeight", 22},
                                   {"TextForeColor", 0xFF0000},
                                   {"TextBackColor", 0x00FFFF},
                                   {"TextBorderStyle", 0},
                                   {"TextFontSize", 11},
                                   {"LabelForeColor", 0x0000FF},
                                   {"LabelFontSize", 14},
                                   {"LabelBackStyle", 0}});
    build();
    const QLineEdit* box = pat_->txtPAT(2);
    EXPECT_EQ(box->size(), QSize(60, 22));
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_FALSE(box->hasFrame());
    EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 11.0);
    const QLabel* word = pat_->lblPAT(5);
    EXPECT_EQ(word->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(word->font().pointSizeF(), 14.0);
    EXPECT_FALSE(word->autoFillBackground());
    QFont large = exerva::controlArrayFont();
    large.setPointSizeF(14);
    EXPECT_EQ(word->width(), QFontMetrics(large).horizontalAdvance(word->text()));

    QVariantList negative{-5};
    try {
        pat_->callByName(QStringLiteral("TextHeight"), exerva::VbLet, negative);
        ADD_FAILURE() << "no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 380);
    }
    EXPECT_FALSE(pat_->hasMember(QStringLiteral("TextBackStyle"), exerva::VbLet));
}

TEST_F(KavPATTest, ScoresWhatTheLearnerTyped)
{
    build();
    struct Case {
        const char* name;
        QStringList typed;
        bool bravo;
        const char* letter;
    };
    const Case cases[] = {
        {"right, in capitals with spaces around", {"  ÉLÉPHANT ", "Souris", "chat"}, true, ""},
        {"right with the other accepted answer", {"Elephant", "souris", "CHAT"}, true, ""},
        {"wrong, with its pattern", {"souris", "éléphant", "chat"}, false, "B"},
        {"a pattern that does not name box 5 fails whatever it holds", {"lion", "lion", "chat"}, false, "E"},
        {"a box holding only spaces", {"éléphant", "   ", "chat"}, false, "N"},
        {"every box filled, no pattern matching", {"a", "b", "c"}, false, "E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int j = 0; j < 3; ++j)
            type(j, c.typed.at(j));
        EXPECT_EQ(pat_->txtPAT(0)->text(), c.typed.at(0));
        bool bravo = !c.bravo;
        QString letter = QStringLiteral("stale");
        EXPECT_EQ(pat_->TestePoint(bravo, letter), 1);
        EXPECT_EQ(bravo, c.bravo);
        EXPECT_EQ(letter, QString::fromLatin1(c.letter));
    }
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("Bravo = False ; LettreReponse = B")));
}

TEST_F(KavPATTest, BlankBoxesAreComparedWhenThereIsNoNoCheckLetter)
{
    QDomDocument document = kavtest::xmlDocument(QStringLiteral(
        "<K><R><L>0</L><CHECKED><E><C>3</C><V>éléphant</V></E><E><C>5</C><V> </V></E><E><C>7</C><V>chat</V></E>"
        "</CHECKED></R><R><L>E</L><CHECKED/></R></K>"));
    ASSERT_EQ(pat_->InitXMLQuestion(node(QStringLiteral("question.xml"), QStringLiteral("QUESTION"))), 1);
    ASSERT_EQ(pat_->InitXMLReponse(document.documentElement()), 1);
    type(0, QStringLiteral("Éléphant"));
    type(2, QStringLiteral("chat"));
    bool bravo = false;
    QString letter;
    EXPECT_EQ(pat_->TestePoint(bravo, letter), 1);
    EXPECT_TRUE(bravo);
    type(1, QStringLiteral("x"));
    EXPECT_EQ(pat_->TestePoint(bravo, letter), 1);
    EXPECT_EQ(letter, QStringLiteral("E"));
}

TEST_F(KavPATTest, FailuresGiveTheirCodes)
{
    // A tag that is no number fails scoring.
    ASSERT_EQ(pat_->InitXMLQuestion(node(QStringLiteral("faults.xml"), QStringLiteral("TAG-NOT-A-NUMBER"))), 1);
    ASSERT_EQ(pat_->InitXMLReponse(node(QStringLiteral("faults.xml"), QStringLiteral("KEY"))), 1);
    type(0, QStringLiteral("oui"));
    bool bravo = true;
    QString letter;
    EXPECT_EQ(pat_->TestePoint(bravo, letter), 23034);
    EXPECT_TRUE(bravo) << "left as it was";
    EXPECT_TRUE(traced_.hasErrorLine(platform::TypeMismatch));

    for (const char* key : {"BOX-NOT-A-NUMBER", "SHORT-RESPONSE"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(pat_->InitXMLReponse(node(QStringLiteral("faults.xml"), QString::fromLatin1(key))), 23033);
        EXPECT_EQ(traced_.context.pulStateEnCours, 23033);
    }

    KavPAT empty(traced_.context, &window_);
    EXPECT_EQ(empty.InitXMLQuestion(QDomNode()), 23032);
    EXPECT_EQ(traced_.context.lastError.number(), platform::ObjectNotSet);
}

TEST_F(KavPATTest, ScrambledFixedWordsAreDescrambled)
{
    traced_.context.scrambledTexts = true;
    ASSERT_EQ(pat_->InitXMLQuestion(node(QStringLiteral("faults.xml"), QStringLiteral("SCRAMBLED"))), 1);
    EXPECT_EQ(pat_->lblPAT(0)->text(), QStringLiteral("Le"));
    EXPECT_EQ(pat_->txtPATTag(0), QStringLiteral("1")) << "box identifiers are never scrambled";

    struct Case {
        const char* question;
        long state;
        int boxes;
    };
    for (const Case& c : {Case{"SCRAMBLED-NOT-HEXADECIMAL", 23020, 1}, Case{"SCRAMBLED-TOO-SHORT", 23021, 0}}) {
        SCOPED_TRACE(c.question);
        KavPAT pat(traced_.context, &window_);
        EXPECT_EQ(pat.InitXMLQuestion(node(QStringLiteral("faults.xml"), QString::fromLatin1(c.question))), c.state);
        EXPECT_EQ(pat.boxCount(), c.boxes) << "the layout stops where the text failed";
    }
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("pulStateEnCours = 23020")));
}

TEST_F(KavPATTest, SavesAScreenshotOfAFilledInExercise)
{
    kavtest::letProperties(*pat_, {{"BackColor", 0xFFFFFF}, {"LabelBackStyle", 0}, {"BorderStyle", 1}});
    build();
    type(0, QStringLiteral("éléphant"));
    type(1, QStringLiteral("souris"));
    EXPECT_FALSE(testsupport::saveScreenshot(*pat_, QStringLiteral("KavPAT")).isEmpty());
}

class KavPATThroughTheEngine : public kavtest::ControlThroughEngineTest<KavPAT> {
protected:
    KavPATThroughTheEngine() : ControlThroughEngineTest("Exerva.KavPAT", "pat", 32) {}
};

TEST_F(KavPATThroughTheEngine, LoadsAndScoresAnExerciseFile)
{
    ASSERT_EQ(load("PAT1.xml"), 1);
    KavPAT* pat = control("Saisie");
    ASSERT_NE(pat, nullptr);
    ASSERT_EQ(pat->boxCount(), 2);

    struct Case {
        const char* first;
        const char* second;
        bool bravo;
        const char* letter;
    };
    const Case cases[] = {
        {"", "", false, "N"},
        {" paris", "Vingt ", true, ""},
        {"PARIS", "20", true, ""},
        {"lyon", "20", false, "D"},
        {"Marseille", "20", false, "E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        pat->txtPAT(0)->clear();
        pat->txtPAT(1)->clear();
        QTest::keyClicks(pat->txtPAT(0), QString::fromLatin1(c.first));
        QTest::keyClicks(pat->txtPAT(1), QString::fromLatin1(c.second));
        EXPECT_EQ(manager.TestePoint(), 1);
        EXPECT_EQ(manager.Bravo(), c.bravo);
        EXPECT_EQ(manager.LettreReponse(), QString::fromLatin1(c.letter));
    }
    EXPECT_FALSE(testsupport::saveScreenshot(*manager.window(), QStringLiteral("KavPAT-window")).isEmpty());
    EXPECT_EQ(manager.Quitter(), 1);
}

}  // namespace

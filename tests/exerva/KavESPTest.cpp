#include "KavTestSupport.h"
#include "support/Screenshot.h"

#include "exerva/ControlRegistry.h"
#include "exerva/Manager.h"
#include "exerva/OleColor.h"
#include "exerva/frmCT.h"
#include "exerva/controls/ControlLook.h"
#include "exerva/controls/KavESP.h"
#include "exerva/controls/WordBox.h"

#include "platform/RuntimeError.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using exerva::KavESP;

int textWidth(const QString& text) { return QFontMetrics(exerva::controlArrayFont()).horizontalAdvance(text); }

// Press on `from`, move with the button held and release over `target` (the
// control's coordinates): the events go to the pressed word, as the mouse grab
// delivers them.
void dragAndDrop(KavESP& esp, QLabel* from, const QPoint& target)
{
    ASSERT_NE(from, nullptr);
    QTest::mousePress(from, Qt::LeftButton, {}, from->rect().center());
    const QPoint local = from->mapFrom(&esp, target);
    QTest::mouseMove(from, local);
    QTest::mouseRelease(from, Qt::LeftButton, {}, local);
}

void dragToGap(KavESP& esp, QLabel* from, int gap) { dragAndDrop(esp, from, esp.lblDrop(gap)->geometry().center()); }

class KavESPTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_.resize(520, 240);
        esp_ = new KavESP(traced_.context, &window_);
        esp_->setGeometry(0, 0, 520, 240);
        window_.show();
    }

    QDomElement node(const QString& fixture, const QString& name) { return fixtures_.node(fixture, name); }

    void build(const QString& fixture = QStringLiteral("question.xml"))
    {
        ASSERT_EQ(esp_->InitXMLQuestion(node(fixture, QStringLiteral("QUESTION"))), 1);
        ASSERT_EQ(esp_->InitXMLReponse(node(fixture, QStringLiteral("REPONSE"))), 1);
    }

    void dragAndDrop(QLabel* from, const QPoint& target) { ::dragAndDrop(*esp_, from, target); }
    void dragToGap(QLabel* from, int gap) { ::dragToGap(*esp_, from, gap); }

    void doubleClick(QLabel* gap)
    {
        QTest::mouseClick(gap, Qt::LeftButton);
        QTest::mouseDClick(gap, Qt::LeftButton);
        QTest::mouseRelease(gap, Qt::LeftButton);
    }

    long score(bool& bravo, QString& letter) { return esp_->TestePoint(bravo, letter); }

    kavtest::TracedContext traced_;
    QWidget window_;
    KavESP* esp_ = nullptr;
    kavtest::FixtureNodes fixtures_{"esp"};
};

TEST_F(KavESPTest, BuildsTheBankAboveTheTextInRows)
{
    build();
    // The bank: three words on row 0, 100 x 18 pixels, 5 pixels apart.
    for (int i = 0; i < 3; ++i) {
        const QLabel* word = esp_->lblDrag(i);
        EXPECT_FALSE(word->isHidden());
        EXPECT_EQ(word->geometry(), QRect(10 + 105 * i, 10, 100, 18)) << i;
        EXPECT_EQ(word->frameShape(), QFrame::Box);
    }
    EXPECT_EQ(esp_->lblDrag(2)->text(), QStringLiteral("oiseau"));
    EXPECT_EQ(esp_->lblDragTag(2), QStringLiteral("3"));

    // The text starts two rows down: row 2 at (18 + 10) * 2 + 10.
    const QLabel* le = esp_->lblESP(0);
    EXPECT_EQ(le->text(), QStringLiteral("Le"));
    EXPECT_EQ(le->geometry(), QRect(10, 66, textWidth(QStringLiteral("Le")), 18));
    EXPECT_EQ(le->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(esp_->lblDrop(0)->geometry(), QRect(10 + le->width() + 5, 66, 100, 18));
    EXPECT_EQ(esp_->lblESP(1)->x(), esp_->lblDrop(0)->geometry().right() + 1 + 5);

    // The double space yields no empty word; the line break starts row 3 at the left.
    QStringList words;
    for (int k = 0; k < esp_->lblESPCount(); ++k)
        words << esp_->lblESP(k)->text();
    EXPECT_EQ(words, QStringList({"Le", "miaule,", "le", "aboie", "et", "l'", "chante."}));
    EXPECT_EQ(esp_->lblESP(3)->pos(), QPoint(10, 94));
    EXPECT_EQ(esp_->lblDrop(2)->y(), 94);

    // Gaps show no word, whatever tag the file gave them, and count as empty.
    EXPECT_EQ(esp_->lblDropCount(), 3);
    EXPECT_TRUE(esp_->lblDrop(0)->text().isEmpty());
    EXPECT_EQ(esp_->lblDropTag(0), QStringLiteral("g0"));
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"", "", ""}));
}

TEST_F(KavESPTest, WrapsOnlyWhatWouldPassTheWidth)
{
    struct Case {
        int controlWidth;
        QPoint thirdWord;
        int textRow;
    };
    // The third bank word spans 220 to 320.
    const Case cases[] = {{320, {220, 10}, 2}, {319, {10, 38}, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.controlWidth);
        KavESP esp(traced_.context, &window_);
        esp.resize(c.controlWidth, 200);
        ASSERT_EQ(esp.InitXMLQuestion(node(QStringLiteral("layout.xml"), QStringLiteral("QUESTION"))), 1);
        EXPECT_EQ(esp.lblDrag(2)->pos(), c.thirdWord);
        // The text opens one empty row after the bank; two line breaks leave one empty row.
        EXPECT_EQ(esp.lblDrop(0)->pos(), QPoint(10, 28 * c.textRow + 10));
        EXPECT_EQ(esp.lblESP(0)->pos(), QPoint(10, 28 * (c.textRow + 2) + 10));
        EXPECT_EQ(esp.lblDrop(1)->pos(), QPoint(10 + esp.lblESP(0)->width() + 5, 28 * (c.textRow + 2) + 10));
    }
}

TEST_F(KavESPTest, WrapsAFixedWordOnlyWhenItWouldPassTheWidth)
{
    // The fixed word follows the gap at 115.
    const int fin = textWidth(QStringLiteral("Fin"));
    struct Case {
        int controlWidth;
        QPoint word;
    };
    const Case cases[] = {{115 + fin, {115, 66}}, {115 + fin - 1, {10, 94}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.controlWidth);
        KavESP esp(traced_.context, &window_);
        esp.resize(c.controlWidth, 200);
        ASSERT_EQ(esp.InitXMLQuestion(node(QStringLiteral("fixed-word.xml"), QStringLiteral("QUESTION"))), 1);
        EXPECT_EQ(esp.lblESP(0)->geometry(), QRect(c.word, QSize(fin, 18)));
    }
}

TEST_F(KavESPTest, ShowsWordsThatLookLikeMarkupAsWritten)
{
    const QDomDocument question = kavtest::xmlDocument(QStringLiteral(
        "<Q><B><W><T>&lt;b&gt;gras&lt;/b&gt;</T><I>1</I></W></B><X><lbl>&lt;i&gt;a&lt;/i&gt; &lt;br&gt;</lbl><txt/></X></Q>"));
    ASSERT_EQ(esp_->InitXMLQuestion(question.documentElement()), 1);
    ASSERT_TRUE(esp_->beginDragFromBank(0));
    ASSERT_TRUE(esp_->dropOnGap(0));
    ASSERT_TRUE(esp_->beginDragFromGap(0));
    const QLabel* shown[] = {esp_->lblDrag(0), esp_->lblDrop(0), esp_->lblESP(0), esp_->lblESP(1), esp_->dragImage()};
    const char* texts[] = {"<b>gras</b>", "<b>gras</b>", "<i>a</i>", "<br>", "<b>gras</b>"};
    for (std::size_t n = 0; n < std::size(shown); ++n) {
        SCOPED_TRACE(texts[n]);
        EXPECT_EQ(shown[n]->text(), QString::fromLatin1(texts[n]));
        EXPECT_EQ(shown[n]->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(esp_->lblESP(1)->width(), textWidth(QStringLiteral("<br>")));
    esp_->cancelDrag();
}

TEST_F(KavESPTest, SizesSetBeforeTheQuestionDriveTheLayout)
{
    QVariantList width{120};
    QVariantList height{QStringLiteral("24")};
    esp_->callByName(QStringLiteral("TextWidth"), exerva::VbLet, width);
    esp_->callByName(QStringLiteral("textheight"), exerva::VbLet, height);
    ASSERT_EQ(esp_->InitXMLQuestion(node(QStringLiteral("layout.xml"), QStringLiteral("QUESTION"))), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(esp_->lblDrag(i)->geometry(), QRect(10 + 125 * i, 10, 120, 24)) << i;
    // Rows are 24 + 10 pixels apart: the text's row 2 is at 78.
    EXPECT_EQ(esp_->lblDrop(0)->geometry(), QRect(10, 78, 120, 24));
    EXPECT_EQ(esp_->lblESP(0)->height(), 24);
}

// The rows of `area` that hold ink (dark pixels), as first and last row.
std::pair<int, int> inkRows(const QImage& image, const QRect& area)
{
    int first = -1;
    int last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

// How many rows of ink the text has, drawn whole in that font.
int wholeInkHeight(const QString& text, const QFont& font)
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(10, 50 + QFontMetrics(font).ascent()), text);
    painter.end();
    const auto [first, last] = inkRows(image, image.rect());
    return last - first + 1;
}

TEST_F(KavESPTest, WordsShowWholeInTheirBoxes)
{
    struct Case {
        const char* label;
        int fontSize;  // 0 leaves the starting font
        int textHeight;
        bool fontKept;
    };
    const Case cases[] = {
        {"the starting font in the default height", 0, 18, true},
        {"a font one size up", 11, 18, false},
        {"a font far too large for the box", 16, 18, false},
        {"a tall box", 11, 40, true},
    };
    const QString words = QStringLiteral("Équipage");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QWidget window;
        window.resize(520, 240);
        auto* esp = new KavESP(traced_.context, &window);
        esp->setGeometry(0, 0, 520, 240);
        if (c.fontSize > 0)
            kavtest::letProperties(*esp, {{"TextFontSize", c.fontSize}});
        kavtest::letProperties(*esp, {{"TextHeight", c.textHeight}, {"TextWidth", 150}});
        const QDomDocument document = kavtest::xmlDocument(
            QStringLiteral("<QUESTION><BANK><WORD><T>%1</T><ID>1</ID></WORD></BANK>"
                           "<TEXT><lbl>%1</lbl><txt/></TEXT></QUESTION>")
                .arg(words));
        ASSERT_EQ(esp->InitXMLQuestion(document.documentElement()), 1);
        window.show();
        ASSERT_TRUE(esp->beginDragFromBank(0));
        ASSERT_TRUE(esp->dropOnGap(0));

        const std::pair<const char*, QLabel*> shown[] = {
            {"bank word", esp->lblDrag(0)}, {"gap", esp->lblDrop(0)}, {"fixed word", esp->lblESP(0)}};
        for (const auto& [name, label] : shown) {
            SCOPED_TRACE(name);
            auto* box = qobject_cast<exerva::WordBox*>(label);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->height(), c.textHeight) << "the box keeps its size";
            const QFont drawn = box->drawnFont();
            if (c.fontKept)
                EXPECT_EQ(drawn, box->font());
            else
                EXPECT_LT(QFontInfo(drawn).pixelSize(), QFontInfo(box->font()).pixelSize());
            const QImage image = box->grab().toImage();
            const auto [first, last] = inkRows(image, box->contentsRect());
            EXPECT_EQ(last - first + 1, wholeInkHeight(words, drawn)) << "rows " << first << "-" << last;
            EXPECT_NEAR((first + last) / 2.0, (c.textHeight - 1) / 2.0, 2.0) << "centred";
        }
    }
}

TEST_F(KavESPTest, PropertiesThroughTheMemberTable)
{
    QVariantList none;
    const auto get = [&](const char* name) {
        return esp_->callByName(QString::fromLatin1(name), exerva::VbGet, none).value<long>();
    };
    EXPECT_EQ(get("TextHeight"), 18);
    EXPECT_EQ(get("TextWidth"), 100);
    EXPECT_EQ(get("TextBackColor"), get("BackColor"));
    EXPECT_EQ(get("BackColor"), exerva::systemColorNumber(15));
    EXPECT_EQ(get("TextFontSize"), 0);
    EXPECT_EQ(get("BackStyle"), 1);
    EXPECT_EQ(get("LabelBackStyle"), 0);
    EXPECT_EQ(esp_->lblDrag(0)->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(esp_->lblDrag(0)->font().pointSizeF(), 9.75);

    // Lets made before the question reach the elements the question loads later.
    kavtest::letProperties(*esp_, {{"TextForeColor", 0x0000FF},
                                   {"TextBackColor", 0xFFFFFF},
                                   {"LabelForeColor", 0x008000},
                                   {"LabelBackColor", qlonglong(2147483653LL)},
                                   {"TextFontSize", 12},
                                   {"LabelBackStyle", 1}});
    build();
    EXPECT_EQ(get("LabelBackColor"), exerva::systemColorNumber(5));
    const QLabel* gap = esp_->lblDrop(2);
    EXPECT_EQ(gap->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(gap->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_DOUBLE_EQ(gap->font().pointSizeF(), 12.0);
    const QLabel* fixed = esp_->lblESP(4);
    EXPECT_EQ(fixed->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(fixed->palette().color(QPalette::Window), exerva::oleColorToQColor(exerva::systemColorNumber(5)));
    EXPECT_TRUE(fixed->autoFillBackground());

    // TextWidth set later resizes every bank word and gap but lays nothing out again.
    QVariantList width{80};
    esp_->callByName(QStringLiteral("TextWidth"), exerva::VbLet, width);
    EXPECT_EQ(esp_->lblDrop(1)->size(), QSize(80, 18));
    EXPECT_EQ(esp_->lblDrag(1)->pos(), QPoint(115, 10));
}

TEST_F(KavESPTest, TheMemberTableRefusesWhatItDoesNotOffer)
{
    struct Call {
        const char* member;
        long callType;
        QVariantList arguments;
        long error;
    };
    const Call calls[] = {
        {"Caption", exerva::VbGet, {}, platform::MemberNotSupported},
        {"TextWidth", exerva::VbMethod, {}, platform::MemberNotSupported},
        {"TextWidth", exerva::VbLet, {-1}, 380},
        {"TextForeColor", exerva::VbLet, {QStringLiteral("rouge")}, platform::TypeMismatch},
    };
    for (const Call& call : calls) {
        SCOPED_TRACE(call.member);
        QVariantList arguments = call.arguments;
        try {
            esp_->callByName(QString::fromLatin1(call.member), call.callType, arguments);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), call.error);
        }
    }
    EXPECT_EQ(esp_->TextWidth(), 100);
}

TEST_F(KavESPTest, DraggingABankWordFillsTheGapAndKeepsTheWord)
{
    build();
    QLabel* chat = esp_->lblDrag(0);
    const QPoint grip = chat->rect().center();
    QTest::mousePress(chat, Qt::LeftButton, {}, grip);
    ASSERT_TRUE(esp_->isDragging());
    // The dragged word follows the pointer, held where it was pressed.
    const QPoint target = esp_->lblDrop(1)->geometry().center();
    QTest::mouseMove(chat, chat->mapFrom(esp_, target));
    EXPECT_TRUE(esp_->dragImage()->isVisible());
    EXPECT_EQ(esp_->dragImage()->text(), QStringLiteral("chat"));
    EXPECT_EQ(esp_->dragImage()->pos(), target - grip);
    QTest::mouseRelease(chat, Qt::LeftButton, {}, chat->mapFrom(esp_, target));

    EXPECT_FALSE(esp_->isDragging());
    EXPECT_FALSE(esp_->dragImage()->isVisible());
    EXPECT_EQ(esp_->lblDrop(1)->text(), QStringLiteral("chat"));
    EXPECT_EQ(esp_->lblDropTag(1), QStringLiteral("1"));
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"", "1", ""}));

    // The same word goes into a second gap; the bank still shows it.
    dragToGap(chat, 2);
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"", "1", "1"}));
    EXPECT_EQ(chat->text(), QStringLiteral("chat"));
    EXPECT_FALSE(chat->isHidden());

    // A word already in a gap is replaced.
    dragToGap(esp_->lblDrag(1), 2);
    EXPECT_EQ(esp_->lblDrop(2)->text(), QStringLiteral("chien"));
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"", "1", "2"}));

    const QString trace = traced_.traceText();
    for (const char* line : {"Index = 2", "Source.Name = lblDrag", "Source.Caption = chien", "Source.Index = 1",
                             "Source.Tag = 2", "lblDrop(2).Tag = 2"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
}

TEST_F(KavESPTest, MovingAWordBetweenGaps)
{
    build();
    dragToGap(esp_->lblDrag(2), 2);
    // From gap 2 to gap 0: gap 2 is emptied.
    dragToGap(esp_->lblDrop(2), 0);
    EXPECT_EQ(esp_->lblDrop(0)->text(), QStringLiteral("oiseau"));
    EXPECT_TRUE(esp_->lblDrop(2)->text().isEmpty());
    EXPECT_TRUE(esp_->lblDropTag(2).isEmpty());
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"3", "", ""}));
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("Source.Name = lblDrop")));

    // Onto its own gap: nothing changes.
    dragToGap(esp_->lblDrop(0), 0);
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"3", "", ""}));
    EXPECT_EQ(esp_->lblDrop(0)->text(), QStringLiteral("oiseau"));

    // Dropped anywhere but on a gap: a gap keeps its word, a bank word goes nowhere.
    dragAndDrop(esp_->lblDrop(0), esp_->lblESP(0)->geometry().center());
    dragAndDrop(esp_->lblDrag(0), QPoint(500, 200));
    dragAndDrop(esp_->lblDrag(0), esp_->lblDrag(1)->geometry().center());
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"3", "", ""}));
    EXPECT_FALSE(esp_->isDragging());
}

TEST_F(KavESPTest, AnEmptyGapDragsNothing)
{
    build();
    // Gap 0 carries a tag from the file but shows no word.
    QTest::mousePress(esp_->lblDrop(0), Qt::LeftButton);
    EXPECT_FALSE(esp_->isDragging());
    QTest::mouseRelease(esp_->lblDrop(0), Qt::LeftButton);
    EXPECT_FALSE(esp_->beginDragFromGap(1));
    EXPECT_FALSE(esp_->beginDragFromBank(3)) << "no such word";
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"", "", ""}));
}

TEST_F(KavESPTest, DoubleClickEmptiesAGap)
{
    build();
    dragToGap(esp_->lblDrag(1), 1);
    doubleClick(esp_->lblDrop(1));
    EXPECT_TRUE(esp_->lblDrop(1)->text().isEmpty());
    EXPECT_TRUE(esp_->lblDropTag(1).isEmpty());
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"", "", ""}));
    doubleClick(esp_->lblDrop(1));
    EXPECT_EQ(esp_->asTagCibleSource(), QStringList({"", "", ""}));
}

TEST_F(KavESPTest, ScoresTheWordsInTheGaps)
{
    build();
    struct Case {
        const char* name;
        std::vector<int> wordInGap;  // bank word per gap, -1 for none
        bool bravo;
        const char* letter;
    };
    const Case cases[] = {
        {"right", {0, 1, 2}, true, ""},
        {"a wrong answer with its pattern", {1, 0, 2}, false, "B"},
        {"a wrong answer no pattern names", {2, 2, 2}, false, "E"},
        {"a gap left empty", {0, 1, -1}, false, "N"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int gap = 0; gap < 3; ++gap) {
            if (c.wordInGap[std::size_t(gap)] < 0)
                esp_->emptyGap(gap);
            else
                dragToGap(esp_->lblDrag(c.wordInGap[std::size_t(gap)]), gap);
        }
        bool bravo = !c.bravo;
        QString letter = QStringLiteral("stale");
        EXPECT_EQ(score(bravo, letter), 1);
        EXPECT_EQ(bravo, c.bravo);
        EXPECT_EQ(letter, QString::fromLatin1(c.letter));
    }
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("Bravo = False ; LettreReponse = N")));
}

TEST_F(KavESPTest, AnEmptyGapWithoutNoCheckLetterIsAnOrdinaryAnswer)
{
    build(QStringLiteral("no-nocheck.xml"));
    dragToGap(esp_->lblDrag(0), 0);
    bool bravo = true;
    QString letter;
    EXPECT_EQ(score(bravo, letter), 1);
    EXPECT_FALSE(bravo);
    EXPECT_EQ(letter, QStringLiteral("E"));
    dragToGap(esp_->lblDrag(1), 1);
    EXPECT_EQ(score(bravo, letter), 1);
    EXPECT_TRUE(bravo);
}

TEST_F(KavESPTest, ScoringFailuresGive23031)
{
    struct Case {
        const char* key;
        int word;  // bank word placed in gaps 0 and 1
        long error;
    };
    const Case cases[] = {
        {"GAP-OUT-OF-RANGE", 0, platform::SubscriptOutOfRange},
        {"PLAIN", 1, platform::TypeMismatch},  // word "mot" has the identifier "x"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        KavESP esp(traced_.context, &window_);
        esp.resize(400, 200);
        ASSERT_EQ(esp.InitXMLQuestion(node(QStringLiteral("bad-keys.xml"), QStringLiteral("QUESTION"))), 1);
        ASSERT_EQ(esp.InitXMLReponse(node(QStringLiteral("bad-keys.xml"), QString::fromLatin1(c.key))), 1);
        for (int gap = 0; gap < 2; ++gap) {
            ASSERT_TRUE(esp.beginDragFromBank(c.word));
            ASSERT_TRUE(esp.dropOnGap(gap));
        }
        bool bravo = true;
        QString letter;
        EXPECT_EQ(esp.TestePoint(bravo, letter), 23031);
        EXPECT_EQ(traced_.context.pulStateEnCours, 23031);
        EXPECT_TRUE(bravo) << "left as it was";
        EXPECT_EQ(traced_.context.lastError.number(), c.error);
        EXPECT_TRUE(traced_.hasErrorLine(c.error));
    }
}

TEST_F(KavESPTest, ReadingFailuresGive23030)
{
    for (const char* key : {"WORD-NOT-A-NUMBER", "SHORT-RESPONSE"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(esp_->InitXMLReponse(node(QStringLiteral("bad-keys.xml"), QString::fromLatin1(key))), 23030);
        EXPECT_EQ(traced_.context.pulStateEnCours, 23030);
    }
}

TEST_F(KavESPTest, BuildingFailuresGive23029)
{
    for (const char* question : {"WORD-WITHOUT-IDENTIFIER", "NO-TEXT", "NO-GAP"}) {
        SCOPED_TRACE(question);
        KavESP esp(traced_.context, &window_);
        EXPECT_EQ(esp.InitXMLQuestion(node(QStringLiteral("bad-questions.xml"), QString::fromLatin1(question))),
                  23029);
        EXPECT_EQ(traced_.context.pulStateEnCours, 23029);
        EXPECT_NE(traced_.context.lastError.number(), 0);
        EXPECT_TRUE(esp.asTagCibleSource().isEmpty());
    }
    EXPECT_TRUE(traced_.hasErrorLine(platform::SubscriptOutOfRange));
    EXPECT_EQ(esp_->InitXMLQuestion(QDomNode()), 23029);
}

TEST_F(KavESPTest, ScrambledTextsAreDescrambled)
{
    traced_.context.scrambledTexts = true;
    ASSERT_EQ(esp_->InitXMLQuestion(node(QStringLiteral("scrambled.xml"), QStringLiteral("QUESTION"))), 1);
    EXPECT_EQ(esp_->lblDrag(0)->text(), QStringLiteral("chat"));
    EXPECT_EQ(esp_->lblDragTag(0), QStringLiteral("1"));
    EXPECT_EQ(esp_->lblESP(0)->text(), QStringLiteral("Le"));

    struct Case {
        const char* question;
        long state;
    };
    for (const Case& c : {Case{"BAD-WORD", 23020}, Case{"SHORT-TEXT", 23021}}) {
        SCOPED_TRACE(c.question);
        KavESP esp(traced_.context, &window_);
        EXPECT_EQ(esp.InitXMLQuestion(node(QStringLiteral("scrambled.xml"), QString::fromLatin1(c.question))),
                  c.state);
        EXPECT_TRUE(esp.asTagCibleSource().isEmpty()) << "the gap array stays unsized";
    }
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("pulStateEnCours = 23021")));
}

TEST_F(KavESPTest, TracesTheBank)
{
    build();
    const QString trace = traced_.traceText();
    for (const char* line : {"Public Function InitXMLQuestion", "lblDrag(0).Caption = chat", "lblDrag(0).Tag = 1",
                             "Fin Public Function InitXMLQuestion", "Public Function InitXMLReponse"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
}

TEST_F(KavESPTest, SavesAScreenshotOfAFilledInExercise)
{
    kavtest::letProperties(*esp_, {{"BackColor", 0xFFFFFF},
                                   {"BorderStyle", 1},
                                   {"LabelBackStyle", 0},
                                   {"TextBackColor", 0xCCFFFF}});
    build();
    dragToGap(esp_->lblDrag(0), 0);
    dragToGap(esp_->lblDrag(1), 1);
    EXPECT_FALSE(testsupport::saveScreenshot(*esp_, QStringLiteral("KavESP")).isEmpty());
}

class KavESPThroughTheEngine : public kavtest::ControlThroughEngineTest<KavESP> {
protected:
    KavESPThroughTheEngine() : ControlThroughEngineTest("Exerva.KavESP", "esp", 31) {}
};

TEST_F(KavESPThroughTheEngine, LoadsAndScoresAnExerciseFile)
{
    ASSERT_EQ(load("ESP1.xml"), 1);
    KavESP* esp = control("Trous");
    ASSERT_NE(esp, nullptr);
    EXPECT_EQ(esp->TextWidth(), 90);
    EXPECT_EQ(esp->lblDrag(1)->geometry(), QRect(105, 10, 90, 18));

    EXPECT_EQ(manager.TestePoint(), 1);
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("N"));

    dragToGap(*esp, esp->lblDrag(2), 0);
    dragToGap(*esp, esp->lblDrag(1), 1);
    EXPECT_EQ(manager.TestePoint(), 1);
    EXPECT_TRUE(manager.Bravo());
    EXPECT_TRUE(manager.LettreReponse().isEmpty());
    EXPECT_FALSE(testsupport::saveScreenshot(*manager.window(), QStringLiteral("KavESP-window")).isEmpty());

    // The learner swaps the words: the moved word leaves its gap empty first.
    dragToGap(*esp, esp->lblDrop(0), 1);
    EXPECT_EQ(manager.TestePoint(), 1);
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("N"));
    dragToGap(*esp, esp->lblDrag(1), 0);
    EXPECT_EQ(manager.TestePoint(), 1);
    EXPECT_FALSE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("C"));
    EXPECT_EQ(manager.Quitter(), 1);
}

}  // namespace

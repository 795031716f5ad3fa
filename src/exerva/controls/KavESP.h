#pragma once

#include "GapTextControl.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <vector>

class QLabel;

namespace exerva {

// Gap text filled by drag and drop: a bank of words above a text with gaps.
// The learner drags a word from the bank (it stays there) or from a gap (the
// gap is emptied) onto a gap, and double-clicks a gap to empty it. Scoring
// compares, gap by gap, the identifier of the word placed there with the
// answer key.
//
// Member table (call by name): the methods InitXMLQuestion, InitXMLReponse and
// TestePoint; the Long properties BackStyle, BackColor, ForeColor, BorderStyle,
// TextForeColor, TextBackColor, TextBackStyle, LabelForeColor, LabelBackColor,
// LabelBackStyle, TextHeight, TextWidth and TextFontSize, each get and let.
//
// Question node: child 0 the bank (each word: child 0 the text, child 1 its
// identifier), child 1 the text ("feedline" a line break, "txt" a gap, "lbl"
// fixed words; other names skipped).
class KavESP : public GapTextControl {
    Q_OBJECT
public:
    explicit KavESP(ExervaContext& context, QWidget* parent = nullptr);

    long InitXMLQuestion(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // Appearance of the bank words and gaps, as GapTextControl's (colour
    // numbers, back styles 0 or 1, applied to the elements loaded at that
    // moment). TextHeight sizes every element, TextWidth the bank words and gaps.
    long TextForeColor() const;
    void TextForeColor(long value);
    long TextBackColor() const;
    void TextBackColor(long value);
    long TextBackStyle() const;
    void TextBackStyle(long value);
    // Points, for every element; 0 until written although the elements show 9.75 pt.
    long TextFontSize() const;
    void TextFontSize(long value);

    // Learner actions: the mouse handlers of the words and gaps call these.
    // Starts dragging bank word i, held at `grip` in the word's coordinates
    // (its middle when null); false when there is no such word on show.
    bool beginDragFromBank(int i, const QPoint& grip = QPoint());
    // Starts dragging the word in gap j; false when the gap holds no word.
    bool beginDragFromGap(int j, const QPoint& grip = QPoint());
    // Moves the dragged word so that the pointer, in this control's
    // coordinates, keeps holding it where it was pressed.
    void dragTo(const QPoint& position);
    // Ends the drag with the pointer at `position` (this control's
    // coordinates): the word goes to the gap there, if any. True when placed.
    bool dropAt(const QPoint& position);
    // Ends the drag on gap j. True when placed.
    bool dropOnGap(int j);
    void cancelDrag();
    bool isDragging() const { return drag_.active; }
    // Empties gap j, as a double click on it does.
    void emptyGap(int j);

    // What the learner sees. Element 0 of each array exists from the start.
    int lblDragCount() const { return int(lblDrag_.size()); }
    int lblDropCount() const { return int(lblDrop_.size()); }
    int lblESPCount() const { return int(lblESP_.size()); }
    QLabel* lblDrag(int i) const;
    QLabel* lblDrop(int j) const;
    QLabel* lblESP(int k) const;
    QString lblDragTag(int i) const;
    QString lblDropTag(int j) const;
    // The identifier of the word in each gap, "" when empty: what scoring reads.
    const QStringList& asTagCibleSource() const { return asTagCibleSource_; }
    // The image of the dragged word that follows the pointer, hidden otherwise.
    QLabel* dragImage() const { return dragImage_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Source { Bank, Gap };
    struct Drag {
        bool active = false;
        Source source = Source::Bank;
        int index = 0;
        // Where the word was pressed, in the word's own coordinates.
        QPoint hotSpot;
    };

    QLabel* loadElement(std::vector<QLabel*>& array, QStringList* tags);
    QLabel* elementFor(std::vector<QLabel*>& array, QStringList* tags, int index);
    QLabel* sourceLabel() const;
    bool startDrag(Source source, int index, const QPoint& grip);
    const std::vector<QLabel*>& fixedWords() const override { return lblESP_; }
    void applyTextHeight(int pixels) override;
    void applyTextWidth(int pixels) override;

    std::vector<QLabel*> lblDrag_;
    std::vector<QLabel*> lblDrop_;
    std::vector<QLabel*> lblESP_;
    QStringList dragTags_;
    QStringList dropTags_;
    QStringList asTagCibleSource_;
    QLabel* dragImage_ = nullptr;
    Drag drag_;

    long textForeColor_ = 0;
    long textBackColor_;
    long textBackStyle_ = 0;
    long textFontSize_ = 0;
};

}  // namespace exerva

#pragma once

#include "GapTextControl.h"

#include <QString>
#include <QStringList>

#include <vector>

class QLabel;
class QLineEdit;

namespace exerva {

// Gap text filled by typing: rows of fixed words and text boxes. Scoring
// accepts, per box, any answer the key allows for the box's identifier,
// ignoring case and the spaces around it.
//
// Member table (call by name): the methods InitXMLQuestion, InitXMLReponse and
// TestePoint; the Long properties BackStyle, BackColor, ForeColor, BorderStyle,
// TextBorderStyle, TextForeColor, TextBackColor, TextHeight, TextWidth,
// TextFontSize, LabelForeColor, LabelBackStyle, LabelBackColor and
// LabelFontSize, each get and let.
//
// Question node: its children "FEEDLINE" (a line break), "TXT" (a text box whose
// identifier is the node's text) and "LBL" (fixed words), names in upper case
// exactly; other children are skipped.
class KavPAT : public GapTextControl {
    Q_OBJECT
public:
    explicit KavPAT(ExervaContext& context, QWidget* parent = nullptr);

    long InitXMLQuestion(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // Appearance of the text boxes, as GapTextControl's (colour numbers,
    // borders 0 or 1, applied to the boxes loaded at that moment). TextHeight
    // and TextWidth size the boxes.
    long TextBorderStyle() const;
    void TextBorderStyle(long value);
    long TextForeColor() const;
    void TextForeColor(long value);
    long TextBackColor() const;
    void TextBackColor(long value);
    // Points; 0 until written although the boxes show 9.75 pt.
    long TextFontSize() const;
    void TextFontSize(long value);
    // Points, for the fixed words, which then size themselves to their text.
    long LabelFontSize() const;
    void LabelFontSize(long value);

    // What the learner sees and types into. Element 0 of each array exists from
    // the start; the boxes of the question are the first boxCount() elements.
    int txtPATCount() const { return int(txtPAT_.size()); }
    int lblPATCount() const { return int(lblPAT_.size()); }
    QLineEdit* txtPAT(int j) const;
    QLabel* lblPAT(int k) const;
    QString txtPATTag(int j) const { return boxTags_.value(j); }
    int boxCount() const { return boxCount_; }

private:
    QLineEdit* boxFor(int index);
    QLabel* labelFor(int index);
    const std::vector<QLabel*>& fixedWords() const override { return lblPAT_; }
    void applyTextHeight(int pixels) override;
    void applyTextWidth(int pixels) override;

    std::vector<QLineEdit*> txtPAT_;
    std::vector<QLabel*> lblPAT_;
    QStringList boxTags_;
    // Boxes placed by the question, from element 0.
    int boxCount_ = 0;

    long textBorderStyle_ = 0;
    long textForeColor_ = 0;
    long textBackColor_;
    long textFontSize_ = 0;
    long labelFontSize_ = 0;
};

}  // namespace exerva

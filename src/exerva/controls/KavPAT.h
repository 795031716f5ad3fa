#pragma once

#include "exerva/AnswerKey.h"
#include "exerva/ExerciseControl.h"

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
class KavPAT : public QuestionControl {
    Q_OBJECT
public:
    explicit KavPAT(ExervaContext& context, QWidget* parent = nullptr);

    long InitXMLQuestion(const QDomNode& node) override;
    long InitXMLReponse(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // Appearance. Colours are colour numbers (0x00BBGGRR, or a system colour
    // 0x800000nn); back styles 0 transparent, 1 opaque; borders 0 none, 1 fixed
    // single. A Let applies to the elements loaded at that moment.
    long BackStyle() const;
    void BackStyle(long value);
    long BackColor() const;
    void BackColor(long value);
    long ForeColor() const;
    void ForeColor(long value);
    long BorderStyle() const;
    void BorderStyle(long value);
    // Text boxes.
    long TextBorderStyle() const;
    void TextBorderStyle(long value);
    long TextForeColor() const;
    void TextForeColor(long value);
    long TextBackColor() const;
    void TextBackColor(long value);
    // Pixels; they also drive the layout, so they are set before InitXMLQuestion.
    // Negative: error 380.
    long TextHeight() const;
    void TextHeight(long value);
    long TextWidth() const;
    void TextWidth(long value);
    // Points; 0 until written although the boxes show 9.75 pt.
    long TextFontSize() const;
    void TextFontSize(long value);
    // Fixed words.
    long LabelForeColor() const;
    void LabelForeColor(long value);
    long LabelBackStyle() const;
    void LabelBackStyle(long value);
    long LabelBackColor() const;
    void LabelBackColor(long value);
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* boxFor(int index);
    QLabel* labelFor(int index);
    void addLongProperty(const QString& name, long (KavPAT::*get)() const, void (KavPAT::*let)(long));
    long failQuestion(long number, const QString& text);

    AnswerKey answerKey_;
    std::vector<QLineEdit*> txtPAT_;
    std::vector<QLabel*> lblPAT_;
    QStringList boxTags_;
    // Boxes placed by the question, from element 0.
    int boxCount_ = 0;

    long backStyle_ = 1;
    long backColor_;
    long foreColor_;
    long borderStyle_ = 0;
    long textBorderStyle_ = 0;
    long textForeColor_ = 0;
    long textBackColor_;
    // Twips.
    long textHeight_;
    long textWidth_;
    long textFontSize_ = 0;
    long labelForeColor_ = 0;
    long labelBackStyle_ = 0;
    long labelBackColor_ = 0;
    long labelFontSize_ = 0;
};

}  // namespace exerva

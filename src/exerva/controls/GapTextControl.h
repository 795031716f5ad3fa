#pragma once

#include "exerva/AnswerKey.h"
#include "exerva/ExerciseControl.h"

#include <QString>

#include <vector>

class QLabel;

namespace exerva {

// What the two gap-text controls share: the answer key they read and score
// with, the control's own appearance, the colours of the fixed words, the size
// of the text elements and the report of a failed question build.
//
// Member table entries it adds: the Long properties BackStyle, BackColor,
// ForeColor, BorderStyle, LabelForeColor, LabelBackColor, LabelBackStyle,
// TextHeight and TextWidth, each get and let.
class GapTextControl : public QuestionControl {
    Q_OBJECT
public:
    long InitXMLReponse(const QDomNode& node) override;

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
    // Fixed words.
    long LabelForeColor() const;
    void LabelForeColor(long value);
    long LabelBackColor() const;
    void LabelBackColor(long value);
    long LabelBackStyle() const;
    void LabelBackStyle(long value);
    // Pixels; they also drive the layout, so they are set before InitXMLQuestion.
    // A negative value counts as 0; through a call by name it throws
    // platform::RuntimeError 380.
    long TextHeight() const;
    void TextHeight(long value);
    long TextWidth() const;
    void TextWidth(long value);

protected:
    // `layout` names the control's trace module; `questionFailureState` is its
    // InitXMLQuestion code for an unexpected error.
    GapTextControl(ExervaContext& context, QWidget* parent, const AnswerKeyLayout& layout, long questionFailureState);

    AnswerKey& answerKey() { return answerKey_; }
    // Twips.
    long textHeightTwips() const { return textHeight_; }
    long textWidthTwips() const { return textWidth_; }

    // The labels of the fixed words, element 0 first.
    virtual const std::vector<QLabel*>& fixedWords() const = 0;
    // Gives the elements that TextHeight (TextWidth) sizes that height (width) in pixels.
    virtual void applyTextHeight(int pixels) = 0;
    virtual void applyTextWidth(int pixels) = 0;

    // The error handler of InitXMLQuestion: keeps the caught error as the last
    // one, writes its "erreur kav" line and, while the state is 1, sets the
    // control's code. Returns the state.
    long failQuestion(const platform::RuntimeError& error);

    void paintEvent(QPaintEvent* event) override;

private:
    AnswerKey answerKey_;
    QString unitName_;
    long questionFailureState_;

    long backStyle_ = 1;
    long backColor_;
    long foreColor_;
    long borderStyle_ = 0;
    long labelForeColor_ = 0;
    long labelBackColor_ = 0;
    long labelBackStyle_ = 0;
    // Twips.
    long textHeight_;
    long textWidth_;
};

}  // namespace exerva

#pragma once

#include <QFont>
#include <QLabel>

namespace exerva {

// A word of a gap text: a label of fixed height (the exercise's text height)
// that shows its one line of text whole. The line is centred in the box's
// height, and drawn in a smaller font when the label's own font would not
// fit, so that neither accents nor descenders are cut off.
//
// Every word, framed or not, gets the room inside the frame of a framed box
// of its height, so that the fixed words and the framed words of a row share
// one size and one baseline.
class WordBox : public QLabel {
    Q_OBJECT
public:
    explicit WordBox(QWidget* parent = nullptr);

    // The label's font, made smaller as far as needed for the line to fit.
    QFont drawnFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace exerva

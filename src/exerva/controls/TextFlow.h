#pragma once

class QLabel;
class QWidget;

namespace exerva {

// Lays out the elements of a gap text in rows, left to right: from 10 pixels in
// and 10 pixels down, 5 pixels apart, each row a fixed pitch below the last,
// wrapping where an element would pass the control's right edge. It works in
// twips, as the sizes the controls keep.
class TextFlow {
public:
    // `control` gives the right edge; every element is `elementHeightTwips` high.
    TextFlow(const QWidget& control, long rowPitchPixels, long elementHeightTwips);

    // Places the element at the cursor, or at the start of the next row when it
    // would pass the right edge, shows it and moves the cursor past it.
    void place(QWidget& element, long widthTwips);
    // Places a fixed word, which takes the width of its text.
    void placeSizedToText(QLabel& label);
    // Goes to the start of the row `rows` rows down.
    void newRow(long rows = 1);

private:
    long twipsPerPixelX_;
    long twipsPerPixelY_;
    long controlWidth_;
    long rowPitch_;
    long elementHeight_;
    long startLeft_;
    long left_;
    long row_ = 0;
};

}  // namespace exerva

#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace toolkit {

// The three looks of a picture button: up, down (pressed or chosen) and disabled.
struct ButtonPictures {
    QPixmap up;
    QPixmap down;
    QPixmap disabled;
};

// The pictograms drawn on the buttons of the question window, the media window
// and the video player. `None` gives a plain plate for a button with a caption.
enum class ButtonGlyph {
    None,
    Help,
    Lesson,
    Solution,
    Check,
    Continue,
    Restart,
    Quit,
    Play,
    Pause,
    Stop,
    Previous,
    Next,
    Sound,
    Video,
    Book,
};

// The name of the glyph's picture among the compiled-in resources, "" for None.
QString glyphName(ButtonGlyph glyph);

// The three looks of a button of that size with that pictogram, all in one
// style: a rounded plate, raised when up, sunk when down, greyed when disabled.
// No pixel is pure white, the default mask colour, so nothing of the look
// turns transparent on a button whose back is transparent.
ButtonPictures buttonPictures(ButtonGlyph glyph, QSize size);

}  // namespace toolkit

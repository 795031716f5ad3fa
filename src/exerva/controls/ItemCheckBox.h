#pragma once

#include <QCheckBox>
#include <QRect>

class QStyleOptionButton;

namespace exerva {

// The check box of an item: as high as the item, with its label beside it.
// Its box is drawn, and clicked, level with the label's first line of text
// rather than in the middle of the item's height, so that it stays beside the
// text it answers however tall the item is or however the label wraps. The
// label uses the same font as the box.
class ItemCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit ItemCheckBox(QWidget* parent = nullptr);

    // Where the box is drawn, in this widget's coordinates.
    QRect indicatorRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    // The style's description of this check box, confined to the first line.
    QStyleOptionButton firstLineOption() const;
};

}  // namespace exerva

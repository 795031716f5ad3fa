#pragma once

#include <QPoint>
#include <QWidget>

class QFrame;
class QLabel;

namespace lumaro {

// The loading window the host shows while it fetches a module: a message, a
// waiting animation and a percentage bar, above other windows, without a title
// bar. The learner may drag it but not close it; its owner ends it by
// destroying it.
class frmLoading final : public QWidget {
    Q_OBJECT

public:
    explicit frmLoading(QWidget* parent = nullptr);

    // White background, above other windows, in the screen's top-left corner.
    // "E" (an evaluation) gives the bar the evaluation colour; anything else
    // the training colour.
    void Prepare(const QString& isTypeFormEval);
    // Below 1: no percentage and no bar. Else the text "n%" and a bar of n
    // hundredths of the frame; values above 100 fill the frame and no more.
    void SetPourcentLoading(long ilPourcent);
    // The message line.
    void setMessage(const QString& message);
    QString message() const;

    // The learner's drag: the press starts it, each move follows the pointer,
    // the release ends it.
    void beginDrag(const QPoint& globalPosition);
    void dragTo(const QPoint& globalPosition);
    void endDrag();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* lblMessage_;
    QWidget* imgAnime_;
    QLabel* lblPourcent_;
    QFrame* Shape1_;
    QWidget* imgAvancement_;
    QPoint dragOffset_;
    bool dragging_ = false;
};

}  // namespace lumaro

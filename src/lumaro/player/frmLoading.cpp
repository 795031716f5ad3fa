#include "frmLoading.h"

#include "platform/Twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgWidget>

#include <algorithm>

namespace lumaro {
namespace {

// The window is laid out in twips, as it was designed.
QRect twips(int left, int top, int width, int height)
{
    const int x = platform::twipsPerPixelX();
    const int y = platform::twipsPerPixelY();
    return QRect(left / x, top / y, width / x, height / y);
}

constexpr int frameTwips = 4000;

const QColor lineColour(0x6E, 0x84, 0xA3);
const QColor trainingBar(0x2F, 0x7F, 0xC1);
const QColor evaluationBar(0xE0, 0x7A, 0x2E);

QPalette barPalette(const QColor& colour)
{
    QPalette palette;
    QLinearGradient fill(0, 0, 0, 1);
    fill.setCoordinateMode(QGradient::ObjectMode);
    fill.setColorAt(0, colour.lighter(135));
    fill.setColorAt(1, colour);
    palette.setBrush(QPalette::Window, fill);
    return palette;
}

}  // namespace

frmLoading::frmLoading(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      lblMessage_(new QLabel(this)), imgAnime_(new QSvgWidget(QStringLiteral(":/lumaro/player/loading.svg"), this)),
      lblPourcent_(new QLabel(this)), Shape1_(new QFrame(this)), imgAvancement_(new QWidget(this))
{
    setFixedSize(twips(0, 0, 5595, 1485).size());
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    lblMessage_->setGeometry(twips(1260, 240, 3975, 675));
    lblMessage_->setFont(QFont(QStringLiteral("Arial"), 9.75));
    lblMessage_->setTextFormat(Qt::PlainText);
    lblMessage_->setWordWrap(true);
    lblMessage_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    imgAnime_->setObjectName(QStringLiteral("imgAnime"));
    imgAnime_->setGeometry(twips(360, 240, 750, 810));
    lblPourcent_->setObjectName(QStringLiteral("lblPourcent"));
    lblPourcent_->setGeometry(twips(240, 1140, 975, 195));
    QFont bold(QStringLiteral("Arial"), 8);
    bold.setBold(true);
    lblPourcent_->setFont(bold);
    lblPourcent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Shape1_->setObjectName(QStringLiteral("Shape1"));
    Shape1_->setGeometry(twips(1320, 1140, frameTwips, 195));
    Shape1_->setFrameShape(QFrame::Box);
    Shape1_->setLineWidth(1);
    QPalette outline = Shape1_->palette();
    outline.setColor(QPalette::WindowText, lineColour);
    Shape1_->setPalette(outline);
    imgAvancement_->setObjectName(QStringLiteral("imgAvancement"));
    imgAvancement_->setAutoFillBackground(true);
    imgAvancement_->setPalette(barPalette(trainingBar));
    imgAvancement_->hide();
    Shape1_->raise();
    // A press anywhere on the window, its animation or its message drags it.
    for (QWidget* child : findChildren<QWidget*>())
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void frmLoading::Prepare(const QString& isTypeFormEval)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xFF));
    setPalette(white);
    setAutoFillBackground(true);
    imgAvancement_->setPalette(barPalette(isTypeFormEval == QLatin1String("E") ? evaluationBar : trainingBar));
    move(0, 0);
}

void frmLoading::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // Without a title bar, an outline keeps the window apart from what lies behind.
    QPainter painter(this);
    painter.setPen(lineColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void frmLoading::SetPourcentLoading(long ilPourcent)
{
    if (ilPourcent < 1) {
        lblPourcent_->clear();
        imgAvancement_->hide();
        return;
    }
    const long shown = std::min(ilPourcent, 100L);
    lblPourcent_->setText(QString::number(shown) + QLatin1Char('%'));
    const QRect frame = Shape1_->geometry();
    imgAvancement_->setGeometry(frame.x(), frame.y(), int(frame.width() * shown / 100), frame.height());
    imgAvancement_->show();
}

void frmLoading::setMessage(const QString& message) { lblMessage_->setText(message); }

QString frmLoading::message() const { return lblMessage_->text(); }

void frmLoading::beginDrag(const QPoint& globalPosition)
{
    dragOffset_ = globalPosition - pos();
    dragging_ = true;
    setCursor(Qt::SizeAllCursor);
}

void frmLoading::dragTo(const QPoint& globalPosition)
{
    if (dragging_)
        move(globalPosition - dragOffset_);
}

void frmLoading::endDrag()
{
    dragging_ = false;
    unsetCursor();
}

void frmLoading::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        beginDrag(event->globalPosition().toPoint());
}

void frmLoading::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        dragTo(event->globalPosition().toPoint());
    else
        endDrag();
}

void frmLoading::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        endDrag();
}

void frmLoading::closeEvent(QCloseEvent* event)
{
    // Only the owner ends the window, by destroying it.
    event->ignore();
}

}  // namespace lumaro

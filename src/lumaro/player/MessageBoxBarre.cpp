#include "MessageBoxBarre.h"

#include "toolkit/ButtonPictures.h"
#include "toolkit/uctButton.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QTextEdit>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace lumaro {
namespace {

constexpr QSize clientSize(393, 188);
constexpr QSize buttonSize(109, 31);
constexpr int buttonTop = 144;

QPixmap iconPicture(const QString& name)
{
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QStringLiteral(":/lumaro/player/%1.svg").arg(name)).render(&painter, QRectF(0, 0, 32, 32));
    return pixmap;
}

QLabel* icon(QWidget* parent, const QString& objectName, const QString& picture)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setGeometry(8, 16, 32, 32);
    label->setPixmap(iconPicture(picture));
    return label;
}

toolkit::uctButton* button(QWidget* parent, const QString& objectName, const QString& caption)
{
    auto* made = new toolkit::uctButton(parent);
    made->setObjectName(objectName);
    made->setPictures(toolkit::buttonPictures(toolkit::ButtonGlyph::None, buttonSize));
    made->Caption(caption);
    made->move(0, buttonTop);
    return made;
}

}  // namespace

MessageBoxBarre::MessageBoxBarre(const QString& caption, const QString& okCaption, const QString& cancelCaption,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      txtMessage_(new QTextEdit(this)), IcoInfos_(icon(this, QStringLiteral("IcoInfos"), QStringLiteral("information"))),
      IcoAlert_(icon(this, QStringLiteral("IcoAlert"), QStringLiteral("alert"))),
      kavbtnOk_(button(this, QStringLiteral("kavbtnOk"), okCaption)),
      kavbtnAnnuler_(button(this, QStringLiteral("kavbtnAnnuler"), cancelCaption))
{
    setModal(true);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    txtMessage_->setObjectName(QStringLiteral("txtMessage"));
    txtMessage_->setGeometry(64, 8, 309, 129);
    txtMessage_->setReadOnly(true);
    txtMessage_->setAcceptRichText(false);
    txtMessage_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtMessage_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtMessage_->setFont(QFont(QStringLiteral("Arial"), 10));
    // The buttons answer; the text is only read.
    txtMessage_->setFocusPolicy(Qt::NoFocus);
    connect(kavbtnOk_, &toolkit::uctButton::Click, this, &MessageBoxBarre::pressOk);
    connect(kavbtnAnnuler_, &toolkit::uctButton::Click, this, &MessageBoxBarre::pressCancel);
}

void MessageBoxBarre::prepare(const QString& message, int buttons, platform::MessageBoxes::Icon icon)
{
    const bool withCancel = buttons & platform::MessageBoxes::CancelButton;
    kavbtnAnnuler_->setVisible(withCancel);
    kavbtnAnnuler_->move(224, buttonTop);
    kavbtnOk_->move(withCancel ? 48 : 128, buttonTop);
    const bool alert = icon == platform::MessageBoxes::Icon::Warning;
    IcoAlert_->setVisible(alert);
    IcoInfos_->setVisible(!alert);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->geometry();
        move(available.x() + (available.width() - width()) / 2, available.y() + (available.height() - height()) / 2);
    }
    txtMessage_->setPlainText(message);
}

int MessageBoxBarre::run()
{
    // The caller's pointer (often the hourglass) comes back once answered.
    const bool pointerSet = QGuiApplication::overrideCursor() != nullptr;
    if (pointerSet)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    exec();
    if (pointerSet)
        QGuiApplication::restoreOverrideCursor();
    return answer_;
}

void MessageBoxBarre::finish(int answer)
{
    answer_ = answer;
    done(answer);
}

void MessageBoxBarre::reject() { finish(platform::MessageBoxes::Cancel); }

void MessageBoxBarre::closeEvent(QCloseEvent* event)
{
    // Closing answers Cancel and hides the box; the caller then lets it go.
    event->ignore();
    finish(platform::MessageBoxes::Cancel);
}

}  // namespace lumaro

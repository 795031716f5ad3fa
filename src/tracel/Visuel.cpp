#include "Visuel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace tracel {

Visuel::Visuel(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Form1"));
    resize(480, 320);

    txtInfo_ = new QPlainTextEdit(this);
    txtInfo_->setObjectName(QStringLiteral("TxtInfo"));
    txtInfo_->setReadOnly(true);
    txtInfo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtInfo_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtInfo_);
}

Visuel::~Visuel() = default;

void Visuel::install()
{
    TraceWindow::setMaker([]() -> std::unique_ptr<TraceWindow> {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return nullptr;
        return std::make_unique<Visuel>();
    });
}

void Visuel::showLine(const QString& line)
{
    appendLine(line);
    if (isVisible())
        return;
    setWindowModality(Qt::NonModal);
    show();
}

void Visuel::appendLine(const QString& line)
{
    QTextCursor cursor(txtInfo_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line + QLatin1Char('\n'));
}

void Visuel::clickText()
{
    hide();
    // The modality of a window only takes effect when it is shown again.
    setWindowModality(nextShowModal_ ? Qt::ApplicationModal : Qt::NonModal);
    nextShowModal_ = !nextShowModal_;
    show();
}

void Visuel::closeByUser()
{
    closingByUser_ = true;
    close();
    closingByUser_ = false;
}

void Visuel::closeEvent(QCloseEvent* event)
{
    // A close from the window system is the user's; the program's own requests are refused.
    if (event->spontaneous() || closingByUser_)
        event->accept();
    else
        event->ignore();
}

bool Visuel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtInfo_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && txtInfo_->viewport()->rect().contains(mouse->position().toPoint()))
            clickText();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tracel

#include "frmClient.h"

#include "usrTimeBar.h"

#include "platform/MonotonicClock.h"
#include "toolkit/ButtonPictures.h"
#include "toolkit/uctButton.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWebEngineView>

namespace lumaro {
namespace {

    constexpr QSize clientSize(334, 367);
    // How long the reaction to an answer is on screen before Poursuivre takes a press again.
    constexpr std::chrono::milliseconds reactionMoment(500);

    const QColor bandColour(0x1F, 0x3A, 0x63);
    const QColor bodyTop(0x2E, 0x55, 0x8C);
    const QColor bodyBottom(0x22, 0x41, 0x6E);
    const QColor feedbackPane(0xF3, 0xF6, 0xFA);

    QFont arial(qreal points, bool bold)
    {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(points);
        font.setBold(bold);
        return font;
    }

    // Plain, not the window's bold.
    QFont tahoma(qreal points)
    {
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSizeF(points);
        font.setBold(false);
        return font;
    }

    QLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry, const QFont& font, const QColor& colour)
    {
        auto* label = new QLabel(parent);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(geometry);
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        return label;
    }

    toolkit::uctButton* makeButton(QWidget* parent, const char* name, const QRect& geometry, toolkit::ButtonGlyph glyph)
    {
        auto* button = new toolkit::uctButton(parent);
        button->setObjectName(QString::fromLatin1(name));
        button->setPictures(toolkit::buttonPictures(glyph, geometry.size()));
        button->setGeometry(geometry);
        return button;
    }

    QHash<QString, QPixmap> pictureList(toolkit::ButtonGlyph glyph, QSize size)
    {
        const toolkit::ButtonPictures looks = toolkit::buttonPictures(glyph, size);
        return {{QStringLiteral("Down"), looks.down}, {QStringLiteral("Up"), looks.up},
            {QStringLiteral("Disabled"), looks.disabled}};
    }

    // A window background: the title band, the body, and for the two feedback
    // states (keys ending in "_R") a light pane where the feedback appears.
    QPixmap backgroundPicture(int feedbackTop)
    {
        QPixmap picture(clientSize);
        QPainter painter(&picture);
        QLinearGradient body(0, 0, 0, clientSize.height());
        body.setColorAt(0, bodyTop);
        body.setColorAt(1, bodyBottom);
        painter.fillRect(picture.rect(), body);
        painter.fillRect(QRect(0, 0, clientSize.width(), 24), bandColour);
        painter.setPen(QColor(0x8F, 0xA9, 0xCF));
        painter.drawLine(0, 24, clientSize.width(), 24);
        if (feedbackTop > 0)
            painter.fillRect(QRect(6, feedbackTop - 4, clientSize.width() - 12, 124), feedbackPane);
        return picture;
    }

    // The pictures beside the feedback: a green disc with a tick for a right
    // answer, a red one with a cross for a wrong one. Drawn at twice their size
    // so that they stay smooth once the label scales them down.
    QPixmap feedbackPicture(bool success)
    {
        QPixmap picture(64, 64);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient disc(QPointF(26, 22), 40);
        disc.setColorAt(0, success ? QColor(0x6C, 0xC2, 0x5A) : QColor(0xE8, 0x6A, 0x5C));
        disc.setColorAt(1, success ? QColor(0x2E, 0x86, 0x2A) : QColor(0xB3, 0x2A, 0x22));
        painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 0xC0), 2));
        painter.setBrush(disc);
        painter.drawEllipse(QRectF(3, 3, 58, 58));
        painter.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (success) {
            const QPointF tick[] = {{18, 33}, {28, 43}, {46, 22}};
            painter.drawPolyline(tick, 3);
        } else {
            painter.drawLine(QPointF(22, 22), QPointF(42, 42));
            painter.drawLine(QPointF(42, 22), QPointF(22, 42));
        }
        return picture;
    }

} // namespace

frmClient::frmClient(platform::Timers& timers, const platform::MonotonicClock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , clock_(clock)
    , usrTimeBar_(new usrTimeBar(timers, clock, this))
    , kavbtnLecon_(makeButton(this, "kavbtnLecon", QRect(60, 200, 30, 26), toolkit::ButtonGlyph::Lesson))
    , kavbtnRecom_(makeButton(this, "kavbtnRecom", QRect(96, 200, 30, 26), toolkit::ButtonGlyph::Restart))
    , kavBtnCorrige_(makeButton(this, "kavBtnCorrige", QRect(60, 200, 30, 26), toolkit::ButtonGlyph::Solution))
    , kavBtnPoursuivre_(makeButton(this, "kavBtnPoursuivre", QRect(132, 200, 30, 26), toolkit::ButtonGlyph::Check))
    , kavbtnQuitter_(makeButton(this, "kavbtnQuitter", QRect(268, 214, 25, 29), toolkit::ButtonGlyph::Quit))
    , kavbtnAide_(makeButton(this, "kavbtnAide", QRect(296, 214, 25, 29), toolkit::ButtonGlyph::Help))
    , lblTitle_(makeLabel(this, "lblTitle", QRect(36, 4, 151, 15), arial(9, true), Qt::white))
    , lblNumQuestion_(makeLabel(this, "lblNumQuestion", QRect(10, 205, 31, 15), arial(9, true), Qt::white))
    , lblRefQuestion_(
          makeLabel(this, "lblRefQuestion", QRect(10, 232, 45, 12), arial(6.75, false), QColor(0xCA, 0xFF, 0xFF)))
    , lblRepOk_(makeLabel(this, "lblRepOk", QRect(208, 198, 112, 11), arial(6.75, true), Qt::white))
    , WebBrowser_(new QWebEngineView(this))
    , WebBrowserReponse_(new QWebEngineView(this))
    , lblFond_(makeLabel(this, "lblFond", QRect(52, 246, 273, 114), arial(9, false), Qt::black))
    , lblReponse_(makeLabel(this, "lblReponse", QRect(56, 248, 266, 108), tahoma(9), Qt::black))
    , ImageVictory_(makeLabel(this, "ImageVictory", QRect(12, 252, 32, 32), QFont(), Qt::black))
    , ImageCloud_(makeLabel(this, "ImageCloud", QRect(12, 252, 32, 32), QFont(), Qt::black))
    , imgBtnPoursuivre1_(pictureList(toolkit::ButtonGlyph::Next, QSize(30, 26)))
    , imgBtnPoursuivre2_(pictureList(toolkit::ButtonGlyph::Check, QSize(30, 26)))
    , imgFond_({{QStringLiteral("Interactif_Q"), backgroundPicture(0)},
          {QStringLiteral("Interactif_R"), backgroundPicture(245)}, {QStringLiteral("Exerva_Q"), backgroundPicture(0)},
          {QStringLiteral("Exerva_R"), backgroundPicture(93)}})
{
    setWindowTitle(QString());
    // The learner works in the exercise window beside it, which has the focus.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    setFont(font);
    setFixedWidth(clientSize.width());
    resize(clientSize);

    usrTimeBar_->setObjectName(QStringLiteral("usrTimeBar"));
    usrTimeBar_->setGeometry(174, 200, 16, 28);
    lblTitle_->setText(QStringLiteral("Titre"));
    lblNumQuestion_->setText(QStringLiteral("1/1"));
    lblRefQuestion_->setText(QStringLiteral("Réf."));
    lblRepOk_->setText(QString());
    WebBrowser_->setObjectName(QStringLiteral("WebBrowser"));
    WebBrowser_->setGeometry(8, 28, 317, 165);
    WebBrowserReponse_->setObjectName(QStringLiteral("WebBrowserReponse"));
    WebBrowserReponse_->setGeometry(52, 248, 273, 114);
    lblFond_->setAutoFillBackground(true);
    QPalette white = lblFond_->palette();
    white.setColor(QPalette::Window, Qt::white);
    lblFond_->setPalette(white);
    lblReponse_->setWordWrap(true);
    lblReponse_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblReponse_->setAutoFillBackground(true);
    lblReponse_->setPalette(white);
    ImageVictory_->setScaledContents(true);
    ImageVictory_->setPixmap(feedbackPicture(true));
    ImageCloud_->setScaledContents(true);
    ImageCloud_->setPixmap(feedbackPicture(false));
    lblFond_->lower();
    for (QWidget* feedback : {static_cast<QWidget*>(WebBrowser_), static_cast<QWidget*>(WebBrowserReponse_),
             static_cast<QWidget*>(lblFond_), static_cast<QWidget*>(lblReponse_), static_cast<QWidget*>(ImageVictory_),
             static_cast<QWidget*>(ImageCloud_)})
        feedback->hide();
    showBackground(QStringLiteral("Exerva_Q"));

    // The title label is a handle for dragging too; the other labels let the
    // press through to the background.
    lblTitle_->installEventFilter(this);
    setMouseTracking(true);
    lblTitle_->setMouseTracking(true);
    for (QLabel* label : {lblNumQuestion_, lblRefQuestion_, lblRepOk_})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(kavbtnAide_, &toolkit::uctButton::Click, this, &frmClient::kavBtnAideClick);
    connect(kavBtnCorrige_, &toolkit::uctButton::Click, this, [this] { emit kavBtnVideoClick(1); });
    connect(kavbtnLecon_, &toolkit::uctButton::Click, this, [this] { emit kavBtnVideoClick(2); });
    connect(kavbtnQuitter_, &toolkit::uctButton::Click, this, &frmClient::kavbtnQuitterClick);
    connect(kavbtnRecom_, &toolkit::uctButton::Click, this, &frmClient::kavbtnRecomClick);
    connect(kavBtnPoursuivre_, &toolkit::uctButton::Click, this, &frmClient::kavbtnSuivClick);
    // Connected after the click's own event: the session's reaction is on screen by then.
    connect(kavBtnPoursuivre_, &toolkit::uctButton::Click, this, [this] { reactionShown_ = clock_.elapsed(); });
    kavBtnPoursuivre_->installEventFilter(this);
    connect(usrTimeBar_, &usrTimeBar::TimeFinish, this, &frmClient::usrTimeBarTimeFinish);
}

frmClient::~frmClient() = default;

QString frmClient::Title() const
{
    return lblTitle_->text();
}

void frmClient::Title(const QString& value)
{
    lblTitle_->setText(value);
}

void frmClient::RefQuestion(const QString& value)
{
    refQuestion_ = value;
    lblRefQuestion_->setText(
        lblRefQuestion_->fontMetrics().elidedText(value, Qt::ElideRight, lblRefQuestion_->width()));
}

void frmClient::closeEvent(QCloseEvent* event)
{
    if (!isVisible()) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    // A request while a step of the session is at work is dropped: the learner can ask again.
    if (isEnabled() && kavbtnQuitter_->isVisible())
        kavbtnQuitter_->click();
}

bool frmClient::dropPoursuivreEvent(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // The second press of a double click comes before the first one's reaction was seen.
        pressDropped_ = true;
        return true;
    case QEvent::MouseButtonPress:
        if (reactionShown_ && clock_.elapsed() - *reactionShown_ < reactionMoment) {
            pressDropped_ = true;
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (!pressDropped_)
            return false;
        pressDropped_ = false;
        return true;
    default:
        return false;
    }
}

void frmClient::showBackground(const QString& key)
{
    if (!imgFond_.contains(key))
        return;
    backgroundKey_ = key;
    update();
}

void frmClient::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, imgFond_.value(backgroundKey_));
}

void frmClient::beginDrag(const QPoint& globalPosition)
{
    dragOffset_ = globalPosition - pos();
    dragging_ = true;
}

void frmClient::dragTo(const QPoint& globalPosition)
{
    if (!dragging_)
        return;
    setCursor(Qt::SizeAllCursor);
    move(globalPosition - dragOffset_);
}

void frmClient::endDrag()
{
    dragging_ = false;
}

bool frmClient::handleMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton)
            return false;
        beginDrag(global);
        return true;
    case QEvent::MouseMove:
        if (mouse->buttons() & Qt::LeftButton) {
            dragTo(global);
        } else {
            endDrag();
            unsetCursor();
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton)
            endDrag();
        return true;
    default:
        return false;
    }
}

bool frmClient::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == kavBtnPoursuivre_)
        return dropPoursuivreEvent(event);
    if (watched == lblTitle_
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove
            || event->type() == QEvent::MouseButtonRelease))
        return handleMouse(event);
    return QWidget::eventFilter(watched, event);
}

void frmClient::mousePressEvent(QMouseEvent* event)
{
    if (!handleMouse(event))
        QWidget::mousePressEvent(event);
}

void frmClient::mouseMoveEvent(QMouseEvent* event)
{
    handleMouse(event);
}

void frmClient::mouseReleaseEvent(QMouseEvent* event)
{
    handleMouse(event);
}

} // namespace lumaro

#include "usrTimeBar.h"

#include "platform/RuntimeError.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace lumaro {
namespace {

using std::chrono::milliseconds;

constexpr QSize controlSize(16, 28);
constexpr int barLeft = 3;
constexpr int barWidth = 10;
constexpr int barBottom = 25;
constexpr int fullHeight = 22;
// TimeFinish comes this long after the time set is used up, as it always has.
constexpr milliseconds finishDelay(2000);

const QColor trackColour(0xE4, 0xE9, 0xF0);
const QColor trackBorder(0x9A, 0xA8, 0xBB);
const QColor barLight(0xF4, 0xB2, 0x6E);
const QColor barDark(0xCF, 0x5E, 0x22);

}  // namespace

usrTimeBar::usrTimeBar(platform::Timers& timers, const platform::MonotonicClock& clock, QWidget* parent)
    : QWidget(parent), clock_(clock),
      timer_(timers.create(platform::Timer::Kind::SingleShot, [this] { tick(); })), imgTimebarre_(new QWidget(this))
{
    setFixedSize(controlSize);
    imgTimebarre_->setObjectName(QStringLiteral("imgTimebarre"));
    QLinearGradient fill(0, 0, 1, 0);
    fill.setCoordinateMode(QGradient::ObjectMode);
    fill.setColorAt(0, barLight);
    fill.setColorAt(1, barDark);
    QPalette palette = imgTimebarre_->palette();
    palette.setBrush(QPalette::Window, fill);
    imgTimebarre_->setPalette(palette);
    imgTimebarre_->setAutoFillBackground(true);
    showBar();
}

void usrTimeBar::SetTimeBar(long seconds)
{
    if (seconds < 0)
        throw platform::RuntimeError(platform::InvalidPropertyValue);
    seconds_ = seconds;
    lengthSet_ = true;
    usedBefore_ = milliseconds(0);
    runStart_ = clock_.elapsed();
    finishAt_ = milliseconds(qint64(seconds) * 1000) + finishDelay;
    showBar();
    if (counting_)
        scheduleNext();
}

void usrTimeBar::Reset()
{
    ChronoStop();
    lengthSet_ = false;
}

void usrTimeBar::ChronoStop()
{
    if (!counting_)
        return;
    usedBefore_ = usedTime();
    counting_ = false;
    timer_->stop();
    showBar();
}

void usrTimeBar::ChronoStart()
{
    if (!lengthSet_ || counting_)
        return;
    counting_ = true;
    runStart_ = clock_.elapsed();
    showBar();
    scheduleNext();
}

milliseconds usrTimeBar::usedTime() const
{
    return counting_ ? usedBefore_ + (clock_.elapsed() - runStart_) : usedBefore_;
}

int usrTimeBar::barHeight() const
{
    const qint64 used = usedTime().count();
    if (seconds_ == 0)
        return counting_ || used > 0 ? fullHeight : 0;
    return int(std::min<qint64>(fullHeight, used * fullHeight / (qint64(seconds_) * 1000)));
}

void usrTimeBar::tick()
{
    showBar();
    if (usedTime() < finishAt_) {
        scheduleNext();
        return;
    }
    ChronoStop();
    // Started again, the countdown ends again one second later.
    finishAt_ = usedBefore_ + milliseconds(1000);
    const QPointer<usrTimeBar> alive(this);
    emit TimeFinish();
    if (alive)
        showBar();
}

void usrTimeBar::scheduleNext()
{
    const milliseconds used = usedTime();
    milliseconds next = finishAt_ - used;
    const int height = barHeight();
    if (seconds_ > 0 && height < fullHeight) {
        // The moment the bar grows by the next pixel, rounded up.
        const qint64 total = qint64(seconds_) * 1000;
        const milliseconds grows((qint64(height + 1) * total + fullHeight - 1) / fullHeight);
        next = std::min(next, grows - used);
    }
    timer_->start(std::max(next, milliseconds(1)));
}

void usrTimeBar::showBar()
{
    const int height = barHeight();
    imgTimebarre_->setGeometry(barLeft, barBottom - height, barWidth, height);
    imgTimebarre_->setVisible(height > 0);
}

void usrTimeBar::paintEvent(QPaintEvent*)
{
    // The empty track shows where the bar will grow.
    QPainter painter(this);
    painter.setPen(trackBorder);
    painter.setBrush(trackColour);
    painter.drawRect(QRect(barLeft - 1, barBottom - fullHeight - 1, barWidth + 1, fullHeight + 1));
}

}  // namespace lumaro

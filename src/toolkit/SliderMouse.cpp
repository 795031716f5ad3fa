#include "SliderMouse.h"

#include <QEvent>
#include <QSlider>

namespace toolkit {

namespace {

class SliderMouseFilter final : public QObject {
public:
    SliderMouseFilter(QSlider& slider, std::function<void()> press, std::function<void()> release)
        : QObject(&slider), press_(std::move(press)), release_(std::move(release))
    {
        slider.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && press_)
            press_();
        else if (event->type() == QEvent::MouseButtonRelease && release_)
            release_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> press_;
    std::function<void()> release_;
};

}  // namespace

void onSliderMouse(QSlider& slider, std::function<void()> press, std::function<void()> release)
{
    new SliderMouseFilter(slider, std::move(press), std::move(release));
}

}  // namespace toolkit

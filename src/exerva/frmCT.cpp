#include "frmCT.h"

#include "ErrorRecording.h"
#include "ExerciseControl.h"

#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <algorithm>

namespace exerva {

namespace {

// Sizes beyond this many pixels are mistakes in the file, not exercises; they
// are refused before they can make the window system allocate for them.
constexpr long maxPixels = 32767;

void checkPixels(long value, long minimum)
{
    if (value < minimum || value > maxPixels)
        throw platform::RuntimeError(platform::InvalidPropertyValue);
}

// Pixels of the file to twips, then back to the widget's pixels: the twips
// are what the original placed, the pixels what the window system wants.
int throughTwips(long pixels, int twipsPerPixel)
{
    const long twips = pixels * twipsPerPixel;
    return int(twips / twipsPerPixel);
}

}  // namespace

frmCT::frmCT(QWidget* parent) : QWidget(parent, Qt::Window), registration_(*this)
{
    setWindowTitle(QStringLiteral("Exerva"));
}

frmCT::~frmCT() = default;

frmCT* frmCT::fromWindowId(long windowId)
{
    return qobject_cast<frmCT*>(platform::RegisteredWindow::find(windowId));
}

void frmCT::applyForm(const QString& caption, long heightPixels, long widthPixels,
                      const std::optional<QColor>& backColor)
{
    checkPixels(heightPixels, 0);
    checkPixels(widthPixels, 0);
    setWindowTitle(caption);
    int height = throughTwips(heightPixels, platform::twipsPerPixelY());
    int width = throughTwips(widthPixels, platform::twipsPerPixelX());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        // The window system never made a window larger than the desktop; held
        // to it, a file's huge size costs no gigabytes of window surface.
        width = std::min(width, screen->virtualSize().width());
        height = std::min(height, screen->virtualSize().height());
    }
    resize(width, height);
    if (backColor) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, *backColor);
        setPalette(colours);
        setAutoFillBackground(true);
    }
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2);
}

int frmCT::indexOf(const QString& name) const
{
    for (int i = 0; i < controls_.size(); ++i) {
        if (controls_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool frmCT::addControl(const QString& name, std::unique_ptr<ExerciseControl> control)
{
    if (!control || name.isEmpty() || indexOf(name) >= 0 || controls_.size() >= maxControls)
        return false;
    control->setParent(this);
    // Hidden until the file says otherwise, even when the window is shown later.
    control->setVisible(false);
    control->setObjectName(name);
    controls_.append(Entry{name, control.release()});
    return true;
}

ExerciseControl* frmCT::control(const QString& name) const
{
    const int index = indexOf(name);
    return index < 0 ? nullptr : controls_[index].control.data();
}

ExerciseControl* frmCT::controlAt(int index) const
{
    if (index < 0 || index >= controls_.size())
        return nullptr;
    return controls_[index].control.data();
}

int frmCT::controlCount() const
{
    return int(controls_.size());
}

QStringList frmCT::controlNames() const
{
    QStringList names;
    for (const Entry& entry : controls_)
        names.append(entry.name);
    return names;
}

bool frmCT::removeControl(int index)
{
    if (index < 0 || index >= controls_.size())
        return false;
    const Entry entry = controls_.takeAt(index);
    delete entry.control.data();
    return true;
}

void frmCT::placeControl(QWidget& control, long heightPixels, long widthPixels, long topPixels, long leftPixels)
{
    checkPixels(heightPixels, 0);
    checkPixels(widthPixels, 0);
    checkPixels(topPixels, -maxPixels);
    checkPixels(leftPixels, -maxPixels);
    control.setGeometry(throughTwips(leftPixels, platform::twipsPerPixelX()),
                        throughTwips(topPixels, platform::twipsPerPixelY()),
                        throughTwips(widthPixels, platform::twipsPerPixelX()),
                        throughTwips(heightPixels, platform::twipsPerPixelY()));
}

void frmCT::zOrder(QWidget& control, long position)
{
    if (position == 0)
        control.raise();
    else if (position == 1)
        control.lower();
    else
        throw platform::RuntimeError(platform::InvalidProcedureCall);
}

void frmCT::closeByProgram()
{
    closingByProgram_ = true;
    close();
}

void frmCT::closeEvent(QCloseEvent* event)
{
    if (closingByProgram_) {
        event->accept();
        return;
    }
    event->ignore();
    const QPointer<frmCT> alive(this);
    // A copy, so that a handler that replaces itself does not run destroyed code.
    const std::function<void()> handler = learnerCloseHandler_;
    // An event handler lets nothing through to the event loop; the close stays refused.
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (handler)
            handler();
    });
    if (error)
        qWarning("exerva: the handler of a refused close failed: %s", error->what());
    if (alive)
        emit learnerCloseRefused();
}

}  // namespace exerva

#pragma once

#include "platform/RegisteredWindow.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace exerva {

class ExerciseControl;

// The exercise window: a top-level window that the exercise file titles, sizes,
// centres and paints, holding the question-type controls the file adds under
// their names. The learner cannot close it; only the program can
// (closeByProgram, or destroying it).
class frmCT : public QWidget {
    Q_OBJECT
public:
    explicit frmCT(QWidget* parent = nullptr);
    ~frmCT() override;

    // The window's own opaque id, unique in the process and never 0: the id
    // the window system knows it by.
    long windowId() const { return registration_.id(); }
    // The live exercise window with that id, or null.
    static frmCT* fromWindowId(long windowId);

    // Caption, client size in pixels and, when given, the background colour;
    // then the window is centred on the primary screen. Sizes go through twips
    // with the screen's factors, as the exercise files were written for, and
    // are held to the size of the desktop.
    void applyForm(const QString& caption, long heightPixels, long widthPixels, const std::optional<QColor>& backColor);

    // No exercise comes near this many controls; a file that asks for more
    // would only make the window allocate for them.
    static constexpr int maxControls = 1024;

    // The controls collection. Names are compared without regard to case.
    // Takes the control as a hidden child of the window; false, and the
    // control destroyed, when the name is empty or already used, or when the
    // window already holds maxControls.
    bool addControl(const QString& name, std::unique_ptr<ExerciseControl> control);
    ExerciseControl* control(const QString& name) const;
    ExerciseControl* controlAt(int index) const;
    int controlCount() const;
    // The names in the order the controls were added.
    QStringList controlNames() const;
    // Destroys the control at that position; false when there is none.
    bool removeControl(int index);

    // Places a child of the window: pixels through twips, as above.
    static void placeControl(QWidget& control, long heightPixels, long widthPixels, long topPixels, long leftPixels);
    // 0 brings the control in front of its siblings, 1 sends it behind them.
    // Throws platform::RuntimeError 5 for another position.
    static void zOrder(QWidget& control, long position);

    // Closes the window for good: the program's own close, which the window
    // accepts.
    void closeByProgram();

    // Called when a close that the program did not order (the close box, the
    // system menu) has been refused; the stand-alone mode scores the question
    // there. The handler runs inside the close event: it may not destroy the
    // window directly (defer that with a queued call).
    void setLearnerCloseHandler(std::function<void()> handler) { learnerCloseHandler_ = std::move(handler); }

signals:
    // Emitted after the learner's close has been refused, after the handler.
    void learnerCloseRefused();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Entry {
        QString name;
        QPointer<ExerciseControl> control;
    };
    int indexOf(const QString& name) const;

    platform::RegisteredWindow registration_;
    bool closingByProgram_ = false;
    QList<Entry> controls_;
    std::function<void()> learnerCloseHandler_;
};

}  // namespace exerva

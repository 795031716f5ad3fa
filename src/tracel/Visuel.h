#pragma once

#include "tracel/TraceWindow.h"

#include <QWidget>

class QPlainTextEdit;

namespace tracel {

// The trace window of a program with a GUI: one read-only text box, TxtInfo.
// It only lets the user close it (which hides it); every close the program
// asks for is refused.
class Visuel : public QWidget, public TraceWindow {
    Q_OBJECT

public:
    explicit Visuel(QWidget* parent = nullptr);
    ~Visuel() override;

    // Makes trace objects show their visible style in a Visuel, as long as
    // the program runs a widget application.
    static void install();

    void showLine(const QString& line) override;

    QPlainTextEdit* txtInfo() const { return txtInfo_; }

    // Adds the line, with its line break, at the end of the text.
    void appendLine(const QString& line);

    // What a click on the text does: hides the window and shows it again,
    // modal on the first click, not modal on the second, and so on.
    void clickText();

    // The user's own close from the window's control menu, the one close accepted.
    void closeByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* txtInfo_ = nullptr;
    bool nextShowModal_ = true;
    bool closingByUser_ = false;
};

}  // namespace tracel

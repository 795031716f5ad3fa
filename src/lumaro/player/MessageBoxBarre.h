#pragma once

#include "platform/MessageBoxes.h"

#include <QDialog>
#include <QString>

class QLabel;
class QTextEdit;

namespace toolkit {
class uctButton;
}

namespace lumaro {

// The program's own modal message box: a text, an information or an alert
// icon, OK and optionally Cancel. One box per message: a second box opened
// while the first is up is a window of its own.
class MessageBoxBarre final : public QDialog {
    Q_OBJECT

public:
    // The window caption and the button captions, as the language file gives them.
    MessageBoxBarre(const QString& caption, const QString& okCaption, const QString& cancelCaption,
                    QWidget* parent = nullptr);

    // Shows the text with the buttons and icon asked (MessageBoxes flags and
    // icon), centred on the screen and above other windows.
    void prepare(const QString& message, int buttons, platform::MessageBoxes::Icon icon);
    // Shows the box modally and returns the answer: 1 OK, 2 Cancel or closed,
    // 0 when the box was ended without either. The default mouse pointer is
    // shown meanwhile, whatever the caller had set.
    int run();
    // The answer so far (0 until a button is pressed or the box closed).
    int answer() const { return answer_; }

    // The learner's actions.
    void pressOk() { finish(platform::MessageBoxes::Ok); }
    void pressCancel() { finish(platform::MessageBoxes::Cancel); }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void finish(int answer);

    QTextEdit* txtMessage_;
    QLabel* IcoInfos_;
    QLabel* IcoAlert_;
    toolkit::uctButton* kavbtnOk_;
    toolkit::uctButton* kavbtnAnnuler_;
    int answer_ = platform::MessageBoxes::NoResult;
};

}  // namespace lumaro

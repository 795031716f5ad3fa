#pragma once

#include "usrButton.h"

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;

namespace toolkit {

// The picture button of the question player's windows: the picture button with
// an optional caption across its middle.
class uctButton final : public usrButton {
    Q_OBJECT

public:
    explicit uctButton(QWidget* parent = nullptr);

    // The caption without the spaces around it; shown only when not empty.
    QString Caption() const;
    void Caption(const QString& value);
    QFont Font() const;
    void Font(const QFont& value);
    QColor ForeColor() const;
    void ForeColor(const QColor& value);

protected:
    void layoutOverPicture() override;

private:
    QLabel* lblText_;
};

}  // namespace toolkit

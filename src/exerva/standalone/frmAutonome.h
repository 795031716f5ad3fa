#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace exerva {

// The stand-alone mode's dialog "Mode Autonome": the application, a list
// ("1;3;7") or a range (De 4 à 6) of question instances, the question kind
// (Base, Bis, ExoApp), the path mode (UNC, Inet) and the root folder. It opens
// with the values of "Param.ini" in the settings folder and writes them back
// when OK is accepted.
//
// The controls keep the names the mode has always used: txtAppli,
// txtListeQuestions, optChoix (0 list, 1 range), txtLow, txtUp, optBaseBis
// (0, 1, 2), optModeInet (0, 1), txtPath, cmdOK, cmdEnd. Option buttons of one
// array share their object name and carry their position as the property "Index".
class frmAutonome : public QDialog {
    Q_OBJECT
public:
    // programFolder is the default root folder; settingsFolder holds "Param.ini".
    frmAutonome(const QString& programFolder, const QString& settingsFolder, QWidget* parent = nullptr);

    // True once OK was accepted; Annuler and closing the dialog leave it False.
    bool okFlag() const { return okFlag_; }
    // The application identifier accepted with OK.
    long applicationId() const { return applicationId_; }

    QString paramIniPath() const;

    QLineEdit* txtAppli() const { return txtAppli_; }
    QLineEdit* txtListeQuestions() const { return txtListeQuestions_; }
    QLineEdit* txtLow() const { return txtLow_; }
    QLineEdit* txtUp() const { return txtUp_; }
    QLineEdit* txtPath() const { return txtPath_; }
    QRadioButton* optChoix(int index) const;
    QRadioButton* optBaseBis(int index) const;
    QRadioButton* optModeInet(int index) const;
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdEnd() const { return cmdEnd_; }

public slots:
    // The learner closing the dialog (close box, Escape) is an Annuler.
    void reject() override;

protected:
    // A text box of the list or of the range taking the focus chooses that form.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdEnd_Click();
    void writeParamIni() const;

    QString programFolder_;
    QString settingsFolder_;
    bool okFlag_ = false;
    long applicationId_ = 0;

    QLineEdit* txtAppli_ = nullptr;
    QLineEdit* txtListeQuestions_ = nullptr;
    QLineEdit* txtLow_ = nullptr;
    QLineEdit* txtUp_ = nullptr;
    QLineEdit* txtPath_ = nullptr;
    std::array<QRadioButton*, 2> optChoix_{};
    std::array<QRadioButton*, 3> optBaseBis_{};
    std::array<QRadioButton*, 2> optModeInet_{};
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdEnd_ = nullptr;
    QButtonGroup* baseBisGroup_ = nullptr;
};

}  // namespace exerva

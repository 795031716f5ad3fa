#include "frmAutonome.h"

#include "ParamIni.h"

#include "exerva/ErrorRecording.h"
#include "exerva/NumberText.h"

#include "platform/ErrorTrap.h"

#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace exerva {

namespace {

QLabel* label(const QString& name, const QString& caption, QWidget* parent)
{
    auto* made = new QLabel(caption, parent);
    made->setObjectName(name);
    return made;
}

QLineEdit* textBox(const QString& name, QWidget* parent)
{
    auto* made = new QLineEdit(parent);
    made->setObjectName(name);
    return made;
}

QRadioButton* option(const QString& name, int index, const QString& caption, QWidget* parent)
{
    auto* made = new QRadioButton(caption, parent);
    made->setObjectName(name);
    made->setProperty("Index", index);
    return made;
}

template <std::size_t N>
QRadioButton* element(const std::array<QRadioButton*, N>& array, int index)
{
    return index >= 0 && std::size_t(index) < N ? array[std::size_t(index)] : nullptr;
}

}  // namespace

frmAutonome::frmAutonome(const QString& programFolder, const QString& settingsFolder, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), settingsFolder_(settingsFolder)
{
    setObjectName(QStringLiteral("frmAutonome"));
    setWindowTitle(QStringLiteral("Mode Autonome"));

    // Created in tab order: the application comes first and takes the focus.
    auto* lblApplication = label(QStringLiteral("lblApplication"), QStringLiteral("Application"), this);
    txtAppli_ = textBox(QStringLiteral("txtAppli"), this);
    auto* lblQuestion = label(QStringLiteral("lblQuestion"), QStringLiteral("Questions"), this);
    optChoix_[0] = option(QStringLiteral("optChoix"), 0, QString(), this);
    txtListeQuestions_ = textBox(QStringLiteral("txtListeQuestions"), this);
    optChoix_[1] = option(QStringLiteral("optChoix"), 1, QString(), this);
    auto* lblDe = label(QStringLiteral("lblDe"), QStringLiteral("De"), this);
    txtLow_ = textBox(QStringLiteral("txtLow"), this);
    auto* lblA = label(QStringLiteral("lblA"), QStringLiteral("à"), this);
    txtUp_ = textBox(QStringLiteral("txtUp"), this);

    auto* frameBaseBis = new QGroupBox(this);
    frameBaseBis->setObjectName(QStringLiteral("frameBaseBis"));
    const QString kinds[] = {QStringLiteral("Base"), QStringLiteral("Bis"), QStringLiteral("ExoApp")};
    auto* baseBisLayout = new QHBoxLayout(frameBaseBis);
    for (int i = 0; i < 3; ++i) {
        optBaseBis_[std::size_t(i)] = option(QStringLiteral("optBaseBis"), i, kinds[i], frameBaseBis);
        baseBisLayout->addWidget(optBaseBis_[std::size_t(i)]);
    }

    auto* frameModeInet = new QGroupBox(this);
    frameModeInet->setObjectName(QStringLiteral("frameModeInet"));
    const QString modes[] = {QStringLiteral("UNC"), QStringLiteral("Inet")};
    auto* modeLayout = new QHBoxLayout(frameModeInet);
    for (int i = 0; i < 2; ++i) {
        optModeInet_[std::size_t(i)] = option(QStringLiteral("optModeInet"), i, modes[i], frameModeInet);
        modeLayout->addWidget(optModeInet_[std::size_t(i)]);
    }

    txtPath_ = textBox(QStringLiteral("txtPath"), this);
    txtPath_->setMinimumWidth(360);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdEnd_ = new QPushButton(QStringLiteral("Annuler"), this);
    cmdEnd_->setObjectName(QStringLiteral("cmdEnd"));

    auto* grid = new QGridLayout;
    grid->addWidget(lblApplication, 0, 0);
    grid->addWidget(txtAppli_, 0, 1, 1, 4);
    grid->addWidget(lblQuestion, 1, 0, 1, 5);
    grid->addWidget(optChoix_[0], 2, 0);
    grid->addWidget(txtListeQuestions_, 2, 1, 1, 4);
    grid->addWidget(optChoix_[1], 3, 0);
    grid->addWidget(lblDe, 3, 1);
    grid->addWidget(txtLow_, 3, 2);
    grid->addWidget(lblA, 3, 3);
    grid->addWidget(txtUp_, 3, 4);

    auto* frames = new QHBoxLayout;
    frames->addWidget(frameBaseBis);
    frames->addWidget(frameModeInet);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdEnd_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(frames);
    layout->addWidget(txtPath_);
    layout->addLayout(buttons);

    // One exclusive group per option array: the arrays do not affect each other.
    const auto group = [this](auto& options) {
        auto* made = new QButtonGroup(this);
        for (QRadioButton* button : options)
            made->addButton(button);
        return made;
    };
    group(optChoix_);
    baseBisGroup_ = group(optBaseBis_);
    group(optModeInet_);

    for (QLineEdit* box : {txtListeQuestions_, txtLow_, txtUp_})
        box->installEventFilter(this);
    connect(cmdOK_, &QPushButton::clicked, this, &frmAutonome::cmdOK_Click);
    connect(cmdEnd_, &QPushButton::clicked, this, &frmAutonome::cmdEnd_Click);

    Form_Load();
}

QString frmAutonome::paramIniPath() const
{
    return QDir(settingsFolder_).filePath(ParamIni::fileName());
}

QRadioButton* frmAutonome::optChoix(int index) const
{
    return element(optChoix_, index);
}

QRadioButton* frmAutonome::optBaseBis(int index) const
{
    return element(optBaseBis_, index);
}

QRadioButton* frmAutonome::optModeInet(int index) const
{
    return element(optModeInet_, index);
}

void frmAutonome::Form_Load()
{
    okFlag_ = false;
    // The values without a settings file; a file's missing lines keep them.
    txtPath_->setText(programFolder_);
    optBaseBis_[0]->setChecked(true);
    optModeInet_[0]->setChecked(true);

    const std::optional<ParamIni::ReadValues> values = ParamIni::read(paramIniPath());
    if (!values)
        return;
    const auto apply = [&](ParamIni::Line line, QLineEdit* box) {
        if (const std::optional<QString>& value = (*values)[std::size_t(line)])
            box->setText(*value);
    };
    apply(ParamIni::Appli, txtAppli_);
    apply(ParamIni::ListePoint, txtListeQuestions_);
    apply(ParamIni::LLow, txtLow_);
    apply(ParamIni::LUp, txtUp_);
    apply(ParamIni::Path, txtPath_);

    if (const std::optional<QString>& kind = (*values)[ParamIni::BaseBis]) {
        // A kind the mode does not know selects none of the three.
        baseBisGroup_->setExclusive(false);
        const QString digit = kind->trimmed();
        for (int i = 0; i < 3; ++i)
            optBaseBis_[std::size_t(i)]->setChecked(digit == QString::number(i + 1));
        baseBisGroup_->setExclusive(true);
    }
    if (!txtListeQuestions_->text().isEmpty())
        optChoix_[0]->setChecked(true);
    else if (!txtLow_->text().isEmpty())
        optChoix_[1]->setChecked(true);
    if (const std::optional<QString>& mode = (*values)[ParamIni::ModeInet]) {
        if (mode->trimmed() == QStringLiteral("0"))
            optModeInet_[0]->setChecked(true);
        else
            optModeInet_[1]->setChecked(true);
    }
}

void frmAutonome::cmdOK_Click()
{
    const QString text = txtAppli_->text();
    long identifier = 0;
    bool valid = !text.trimmed().isEmpty();
    // Not a number, or one too large for an identifier: the learner types it again.
    if (valid)
        valid = !platform::trapError(unknownErrorNumber, [&] { identifier = wholeNumberFromText(text); });
    if (!valid) {
        txtAppli_->setFocus(Qt::OtherFocusReason);
        return;
    }
    applicationId_ = identifier;
    writeParamIni();
    okFlag_ = true;
    accept();
}

void frmAutonome::writeParamIni() const
{
    ParamIni::Values values;
    values[ParamIni::Appli] = QString::number(applicationId_);
    values[ParamIni::ListePoint] = txtListeQuestions_->text();
    values[ParamIni::LLow] = txtLow_->text();
    values[ParamIni::LUp] = txtUp_->text();
    values[ParamIni::BaseBis] = optBaseBis_[0]->isChecked()   ? QStringLiteral("1")
                                : optBaseBis_[1]->isChecked() ? QStringLiteral("2")
                                                              : QStringLiteral("3");
    values[ParamIni::ModeInet] = optModeInet_[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1");
    values[ParamIni::Path] = txtPath_->text();
    // The settings only spare the next run some typing: a file that cannot be
    // written does not stop this one.
    if (!ParamIni::write(paramIniPath(), values))
        qWarning("Exerva: cannot write %s", qUtf8Printable(paramIniPath()));
}

void frmAutonome::cmdEnd_Click()
{
    reject();
}

void frmAutonome::reject()
{
    okFlag_ = false;
    QDialog::reject();
}

bool frmAutonome::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == txtListeQuestions_)
            optChoix_[0]->setChecked(true);
        else if (watched == txtLow_ || watched == txtUp_)
            optChoix_[1]->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace exerva

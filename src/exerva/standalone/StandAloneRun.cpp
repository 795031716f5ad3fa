#include "StandAloneRun.h"

#include "QuestionList.h"
#include "frmAutonome.h"

#include "exerva/ErrorRecording.h"
#include "exerva/Manager.h"
#include "exerva/frmCT.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMetaObject>
#include <QRadioButton>
#include <QStandardPaths>

namespace exerva {

namespace {

// Clears a flag on every way out of the scope that set it.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

StandAloneRun::StandAloneRun(QString programFolder, QString settingsFolder, platform::MessageBoxes& messageBoxes,
                             ExervaContext& context, const ControlRegistry& registry, const platform::Clock& clock)
    : programFolder_(std::move(programFolder)),
      settingsFolder_(std::move(settingsFolder)),
      messageBoxes_(messageBoxes),
      context_(context),
      registry_(registry),
      clock_(clock),
      runDialog_([](frmAutonome& dialog) { dialog.exec(); })
{
}

StandAloneRun::~StandAloneRun() = default;

bool StandAloneRun::isStandAloneCommand(const QStringList& arguments)
{
    return arguments.size() == 1 && arguments.front() == QStringLiteral("qol");
}

QString StandAloneRun::settingsFolderFor(const QString& programFolder)
{
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable())
        return programFolder;
    const QString config =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Exerva");
    QDir().mkpath(config);
    return config;
}

void StandAloneRun::showMessage(const QString& text)
{
    messageBoxes_.show(text, title(), platform::MessageBoxes::OkButton, platform::MessageBoxes::Icon::None);
}

void StandAloneRun::showError(const QString& text)
{
    errorShown_ = true;
    showMessage(text);
}

void StandAloneRun::endRun()
{
    if (finished_)
        return;
    finished_ = true;
    std::shared_ptr<Manager> engine(std::move(manager_));
    if (!correcting_) {
        emit finished(exitStatus());
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, engine]() mutable {
            engine.reset();
            emit finished(exitStatus());
        },
        Qt::QueuedConnection);
}

void StandAloneRun::unexpectedError(const platform::RuntimeError& error)
{
    showError(QStringLiteral("Erreur Main %1 : %2").arg(error.number()).arg(error.text()));
    endRun();
}

void StandAloneRun::Main()
{
    if (manager_ || finished_)
        return;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        manager_ = std::make_unique<Manager>(context_, registry_, clock_);
        context_.standAlone = true;
        // The trace always runs in this mode, next to the settings.
        manager_->LevelTracelage(1);
        manager_->PathTracel(settingsFolder_);

        const auto dialog = std::make_unique<frmAutonome>(programFolder_, settingsFolder_);
        runDialog_(*dialog);
        if (!dialog->okFlag()) {
            endRun();
            return;
        }
        idAppli_ = dialog->applicationId();
        if (dialog->optChoix(0)->isChecked())
            questions_ = questionlist::fromList(dialog->txtListeQuestions()->text());
        else
            questions_ = questionlist::fromRange(dialog->txtLow()->text(), dialog->txtUp()->text());
        typeBaseBis_ = dialog->optBaseBis(0)->isChecked() ? 1 : dialog->optBaseBis(1)->isChecked() ? 2 : 3;
        modeInet_ = !dialog->optModeInet(0)->isChecked();
        root_ = dialog->txtPath()->text().trimmed();

        const long prepared = manager_->Prepare(root_, modeInet_, idAppli_);
        if (prepared != basalo::enuFunctionReturnState_General_Traitement_OK) {
            showError(QStringLiteral("erreur référencée %1").arg(prepared));
            endRun();
            return;
        }
        platform::require(manager_->window()).setLearnerCloseHandler([this] {
            if (context_.standAlone)
                puCorrigeQuestion();
        });
        currentIndex_ = 0;
        launchQuestion();
    });
    if (error)
        unexpectedError(*error);
}

void StandAloneRun::launchQuestion()
{
    if (currentIndex_ < 0 || std::size_t(currentIndex_) >= questions_.size())
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    const long instance = questions_[std::size_t(currentIndex_)];
    QString file = QStringLiteral("X%1%2%3.xml").arg(idAppli_).arg(typeBaseBis_).arg(instance);
    const long loaded = platform::require(manager_).InitQuestion(file, instance, typeBaseBis_);
    if (loaded != basalo::enuFunctionReturnState_General_Traitement_OK) {
        showError(QStringLiteral("erreur référencée %1").arg(context_.pulStateEnCours));
        endRun();
    }
}

void StandAloneRun::piLanceQuestion()
{
    if (finished_)
        return;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        launchQuestion();
    });
    if (error)
        unexpectedError(*error);
}

void StandAloneRun::puCorrigeQuestion()
{
    // A close while the outcome of the last one is still on screen scores nothing.
    if (finished_ || correcting_ || !manager_)
        return;
    const FlagScope correcting(correcting_);
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (typeBaseBis_ < 3) {
            const long scored = manager_->TestePoint();
            if (scored != basalo::enuFunctionReturnState_General_Traitement_OK)
                showError(QStringLiteral("Erreur référencée %1").arg(scored));
            else if (manager_->Bravo())
                showMessage(QStringLiteral("Bravo"));
            else
                showMessage(QStringLiteral("Erreur ") + manager_->LettreReponse());
        }
        manager_->FermePoint();
        ++currentIndex_;
        if (std::size_t(currentIndex_) >= questions_.size()) {
            endRun();
            return;
        }
        launchQuestion();
    });
    if (error)
        unexpectedError(*error);
}

}  // namespace exerva

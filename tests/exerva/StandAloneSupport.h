#pragma once

#include "exerva/ExervaContext.h"
#include "exerva/Manager.h"
#include "exerva/frmCT.h"
#include "exerva/standalone/StandAloneRun.h"
#include "exerva/standalone/frmAutonome.h"

#include "platform/MessageBoxes.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include <memory>
#include <string>
#include <optional>
#include <utility>

namespace standalone_test {

// Texts compared as one readable string, so that a failure shows them.
inline std::string joined(const QStringList& texts)
{
    return texts.join(QStringLiteral(" | ")).toStdString();
}

// What the learner types and chooses in the dialog before pressing OK or Annuler.
// Fields left empty keep what the dialog opened with.
struct DialogAnswers {
    std::optional<QString> appli = QStringLiteral("12");
    std::optional<QString> list;
    std::optional<std::pair<QString, QString>> range;
    // optBaseBis: 0 Base, 1 Bis, 2 ExoApp.
    std::optional<int> kind;
    // optModeInet: 0 UNC, 1 Inet.
    std::optional<int> mode;
    std::optional<QString> path;
    bool pressOk = true;
};

inline void answerDialog(exerva::frmAutonome& dialog, const DialogAnswers& answers)
{
    if (answers.appli)
        dialog.txtAppli()->setText(*answers.appli);
    if (answers.list) {
        dialog.txtListeQuestions()->setText(*answers.list);
        dialog.optChoix(0)->click();
    }
    if (answers.range) {
        dialog.txtLow()->setText(answers.range->first);
        dialog.txtUp()->setText(answers.range->second);
        dialog.optChoix(1)->click();
    }
    if (answers.kind)
        dialog.optBaseBis(*answers.kind)->click();
    if (answers.mode)
        dialog.optModeInet(*answers.mode)->click();
    if (answers.path)
        dialog.txtPath()->setText(*answers.path);
    (answers.pressOk ? dialog.cmdOK() : dialog.cmdEnd())->click();
}

// A stand-alone run whose program and settings folder is a fresh temporary
// folder, with its own engine state, message boxes answered by script and the
// dialog answered from DialogAnswers.
class StandAloneFixture : public testsupport::TempDirTest {
protected:
    exerva::ExervaContext context;
    platform::ScriptedMessageBoxes messageBoxes;

    std::unique_ptr<exerva::StandAloneRun> makeRun(const exerva::ControlRegistry& registry)
    {
        auto run = std::make_unique<exerva::StandAloneRun>(folder(), folder(), messageBoxes, context, registry);
        run->setDialogRunner([this](exerva::frmAutonome& dialog) { answerDialog(dialog, answers); });
        return run;
    }

    // The folder without its trailing "/", as the program gives its own.
    QString folder() const { return dir().chopped(1); }

    // The learner closes the exercise window with its close box.
    static void closeExerciseWindow(const exerva::StandAloneRun& run)
    {
        ASSERT_NE(run.manager(), nullptr);
        ASSERT_NE(run.manager()->window(), nullptr);
        run.manager()->window()->close();
    }

    // Lets the end of the run, deferred until the close event is over, happen.
    static void settle(exerva::StandAloneRun& run) { QCoreApplication::sendPostedEvents(&run, QEvent::MetaCall); }

    QString traceText() const { return QString::fromUtf8(readFile(QStringLiteral("Exerva.htm"))); }

    DialogAnswers answers;
};

}  // namespace standalone_test

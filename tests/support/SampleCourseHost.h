#pragma once

#include "support/FakeTimers.h"
#include "support/ManualClock.h"
#include "support/ModuleLearner.h"
#include "support/RecordingManagerEvents.h"

#include "exerva/ExervaContext.h"
#include "lumaro/model/Enumerations.h"
#include "lumaro/model/LumaroContext.h"
#include "platform/MessageBoxes.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace lumaro {
class Appli;
class ContexteManager;
class Manager;
class Module;
class Question;
} // namespace lumaro

namespace testsupport {

// A host that plays one module of the sample course (application 12, its
// exercise files under samples/) in a question session, as the plug-ins do:
// the course model in simplified mode on the real exercise engine, the
// language file of the programs, a manual clock with fake timers, message
// boxes answered by script, and every event of the session written down. The
// learner works the exercises and presses the buttons.
class SampleCourseHost {
public:
    // The module is of that kind; the clock of the course model is the local one.
    explicit SampleCourseHost(lumaro::ETypeParcoursModule typeModule = lumaro::TYPEformation);
    ~SampleCourseHost();
    SampleCourseHost(const SampleCourseHost&) = delete;
    SampleCourseHost& operator=(const SampleCourseHost&) = delete;

    // A question of the module on the exercise engine: the exercise of that
    // instance of the sample course, its base version or its bis one (on the
    // second set's own engine). Its
    // identifier is 120000 + instance for a base question and 12000 + instance
    // for a bis one, and its title "Question " and that identifier. Its result
    // is loaded as the plug-ins load one: no outcome of this session yet
    // (TypeReponse PasDeResultat), shown as `shown` (a question never played:
    // PasDeResultat).
    std::shared_ptr<lumaro::Question> addQuestion(long instance, lumaro::TypeBaseBis kind = lumaro::QuestionBase,
        long shown = lumaro::PasDeResultat);

    // Creates the session without a host window and starts it at that question.
    bool start(long first = 1);

    ManualClock clock;
    FakeTimers timers {clock};
    platform::ScriptedMessageBoxes boxes;
    RecordingManagerEvents events;
    exerva::ExervaContext engine;
    lumaro::LumaroContext context {clock};
    QTemporaryDir learnerFolder;
    std::unique_ptr<lumaro::ContexteManager> root;
    std::shared_ptr<lumaro::Appli> appli;
    std::shared_ptr<lumaro::Module> module;
    std::unique_ptr<lumaro::Manager> manager;
    std::unique_ptr<ModuleLearner> learner;
};

// The folder of the sample course.
QString samplesFolder();

} // namespace testsupport

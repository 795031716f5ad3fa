#include "support/SampleCourseHost.h"

#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/player/ExervaEngine.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "platform/OleDate.h"

namespace testsupport {

namespace {

    constexpr long application = 12;
    // The exercise engine for the base questions, and a second one for the
    // second set (the bis questions), as the course server describes them.
    constexpr long engineDll = 1;
    constexpr long engineBisDll = 2;

} // namespace

QString samplesFolder()
{
    return QStringLiteral(SAMPLES_DIR) + QLatin1Char('/');
}

SampleCourseHost::SampleCourseHost(lumaro::ETypeParcoursModule typeModule)
{
    lumaro::ExervaEngine::install(context, engine, exerva::systemControlRegistry());
    context.components.setFolders({});
    context.xmlCheminServeur = samplesFolder();

    root = std::make_unique<lumaro::ContexteManager>(context);
    root->CreateManager(lumaro::TypeSimplifie, *platform::OleDate::fromDateTime(clock.now()));
    root->AddAppli(application);
    appli = root->Appli(application);
    appli->Logiciel(QStringLiteral("Traitement de texte"));
    appli->Version(QStringLiteral("1"));
    for (const long dll : {engineDll, engineBisDll}) {
        appli->AddDll(dll);
        appli->Dll(dll)->Nom(QStringLiteral("Exerva"));
        appli->Dll(dll)->Bis(dll == engineBisDll);
    }
    root->CreateModule();
    module = root->ModuleEnCours();
    module->Appli(appli);
    module->TypeModule(typeModule);

    lumaro::ManagerServices services;
    services.timers = &timers;
    services.clock = &clock;
    services.boxes = &boxes;
    services.screenSize = [] { return QSize(1024, 768); };
    manager = std::make_unique<lumaro::Manager>(context, services);
    manager->setEvents(&events);
    manager->LNGFilePath(samplesFolder() + QStringLiteral("lng/kavplugin.lng"));
    manager->PersonalFolder(learnerFolder.path() + QLatin1Char('/'));
    learner = std::make_unique<ModuleLearner>(*manager, context);
}

SampleCourseHost::~SampleCourseHost()
{
    learner.reset();
    manager.reset();
    if (root)
        root->Destroy();
    context.puoModuleEnCours.reset();
}

std::shared_ptr<lumaro::Question> SampleCourseHost::addQuestion(long instance, lumaro::TypeBaseBis kind, long shown)
{
    const long id = (kind == lumaro::QuestionBase ? 120000 : 12000) + instance;
    appli->AddQuestion(id);
    const auto question = appli->Question(id);
    question->Instance(instance);
    question->BaseBis(kind);
    question->Dll(appli->Dll(kind == lumaro::QuestionBase ? engineDll : engineBisDll));
    question->Intitule(QStringLiteral("Question %1").arg(id));
    const auto result = module->ResultQuestions(module->AddResultQuestion(id));
    result->TypeAffichage(shown);
    result->TypeReponse(lumaro::PasDeResultat);
    return question;
}

bool SampleCourseHost::start(long first)
{
    return manager->CreateManager(lumaro::WithoutFrm, QStringLiteral("FR")) && manager->InitManager(first);
}

} // namespace testsupport

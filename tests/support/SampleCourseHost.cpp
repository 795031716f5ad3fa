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
    constexpr long engineDll = 1;

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
    appli->AddDll(engineDll);
    appli->Dll(engineDll)->Nom(QStringLiteral("Exerva"));
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
    question->Dll(appli->Dll(engineDll));
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

#include "ContexteManager.h"

#include "Appli.h"
#include "Module.h"
#include "Parcours.h"
#include "User.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

namespace lumaro {

namespace {

const QString unitName = QStringLiteral("ContexteManager");

}  // namespace

ContexteManager::ContexteManager(LumaroContext& context) : context_(context)
{
    context_.contexteManagerStarted();
}

ContexteManager::~ContexteManager()
{
    applis_.reset();
    // A host may still hold the path collections it was handed: they end empty.
    for (const auto& collection : {parcoursEval_, parcoursForm_}) {
        if (collection)
            collection->clear();
    }
    parcoursEval_.reset();
    parcoursForm_.reset();
    context_.contexteManagerEnded();
}

bool ContexteManager::CreateManager(TypeManagment ieTypeManagment, platform::OleDate idteDateServeur)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName,
                             QStringLiteral("Public Function CreateManager"));
    scope.value(QStringLiteral("ieTypeManagment"), QString::number(ieTypeManagment));
    scope.value(QStringLiteral("idteDateServeur"), LumaroContext::dateText(idteDateServeur));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        context_.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
        // A date that is no date would carry into every date the model records.
        if (!idteDateServeur.isValid())
            throw platform::RuntimeError(platform::Overflow);
        typeManagment_ = ieTypeManagment;
        const platform::OleDate now = context_.localNow();
        context_.pudteDiffDateServeur = now.serial() - idteDateServeur.serial();
        applis_ = std::make_shared<platform::KeyedCollection<lumaro::Appli>>();
        if (typeManagment_ == TypeQuelvoro) {
            utilisateur_ = std::make_shared<User>();
            nbParcoursEval_ = 0;
            nbParcoursForm_ = 0;
            parcoursEval_ = std::make_shared<ParcoursCollection>();
            parcoursForm_ = std::make_shared<ParcoursCollection>();
        }
        scope.value(QStringLiteral("Now"), LumaroContext::dateText(now));
        scope.value(QStringLiteral("pudteDiffDateServeur"), QString::number(context_.pudteDiffDateServeur, 'f', 8));
    });
    if (!error)
        return true;
    if (context_.pulStateEnCours == basalo::enuFunctionReturnState_General_Traitement_OK)
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateManager_ErreurInconnue;
    context_.lastError.store(*error);
    scope.line(tracel::errorLine(*error));
    return false;
}

std::optional<platform::RuntimeError> ContexteManager::Create(TypeManagment ieTypeManagment,
                                                              platform::OleDate idteDateServeur)
{
    if (CreateManager(ieTypeManagment, idteDateServeur))
        return std::nullopt;
    return platform::RuntimeError(context_.lastError.number(), context_.lastError.text());
}

bool ContexteManager::Destroy()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function Destroy"));
    bool destroyed = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const bool fullMode = typeManagment_ == TypeQuelvoro;
        if (fullMode) {
            scope.line(QStringLiteral("Case TypeManagment.TypeQuelvoro"));
            context_.parcoursEnCours.reset();
            utilisateur_.reset();
            if (parcoursForm_)
                parcoursForm_->clear();
            if (parcoursEval_)
                parcoursEval_->clear();
        } else {
            scope.line(QStringLiteral("Case Else"));
        }
        // The collection and each application are held here, and an application
        // is removed by its own key: a component ending its application may call
        // back into the root while it is being emptied.
        const auto applis = applis_;
        while (applis && !applis->isEmpty()) {
            const int last = applis->count();
            const QString key = applis->keyAt(last);
            const auto appli = applis->at(last);
            if (!fullMode)
                appli->DechargerAppliInterractive();
            appli->Destroy();
            if (applis->item(key) == appli)
                applis->remove(key);
        }
        destroyed = fullMode || DestroyModule();
    });
    if (!error)
        return destroyed;
    context_.lastError.store(*error);
    scope.line(tracel::errorLine(*error));
    return false;
}

bool ContexteManager::DestroyModule()
{
    if (typeManagment_ != TypeSimplifie)
        return false;
    if (const auto module = context_.puoModuleEnCours)
        module->Destroy();
    context_.puoModuleEnCours.reset();
    return true;
}

bool ContexteManager::CreateModule()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function CreateModule"));
    bool created = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        context_.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
        if (typeManagment_ == TypeSimplifie) {
            context_.puoModuleEnCours = std::make_shared<Module>(context_);
            created = true;
            return;
        }
        context_.pulStateEnCours = typeManagment_ == TypeQuelvoro
            ? basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurTypeQuelvoro
            : basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurTypeElse;
        context_.puoModuleEnCours.reset();
    });
    if (!error)
        return created;
    context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurInconnue;
    context_.lastError.store(*error);
    scope.line(tracel::errorLine(*error));
    return false;
}

bool ContexteManager::UnloadParcours()
{
    if (typeManagment_ != TypeQuelvoro)
        return false;
    dernParcoursAccedeAccessible_ = false;
    nbParcoursEval_ = 0;
    nbParcoursForm_ = 0;
    nbParcoursEvalAccessible_ = 0;
    nbParcoursFormAccessible_ = 0;
    idAppliDernParcoursAccede_ = -1;
    idDernParcoursAccede_ = -1;
    idDernModuleAccede_ = -1;
    context_.parcoursEnCours.reset();
    context_.puoModuleEnCours.reset();
    if (parcoursEval_)
        parcoursEval_->clear();
    if (parcoursForm_)
        parcoursForm_->clear();
    for (int position = applis_ ? applis_->count() : 0; position >= 1; --position) {
        if (const auto appli = applis_->at(position))
            appli->UnloadParcours();
    }
    return true;
}

bool ContexteManager::AddAppli(long ilIdAppli)
{
    if (!applis_)
        return false;
    auto appli = std::make_shared<lumaro::Appli>(context_);
    appli->IdAppli(ilIdAppli);
    return applis_->add(QStringLiteral("Appli") + QString::number(ilIdAppli), std::move(appli));
}

std::shared_ptr<Appli> ContexteManager::Appli(long ilIdAppli) const
{
    return applis_ ? applis_->item(QStringLiteral("Appli") + QString::number(ilIdAppli)) : nullptr;
}

std::shared_ptr<ContexteManager::ParcoursCollection> ContexteManager::CollectionParcours(
    ETypeParcoursModule ieTypeParcours) const
{
    return ieTypeParcours == TYPEevaluation ? parcoursEval_ : parcoursForm_;
}

bool ContexteManager::AddParcoursEval(long ilIdAppli, long ilIdParcours)
{
    return addParcours(parcoursEval_, nbParcoursEval_, ilIdAppli, ilIdParcours);
}

bool ContexteManager::AddParcoursForm(long ilIdAppli, long ilIdParcours)
{
    return addParcours(parcoursForm_, nbParcoursForm_, ilIdAppli, ilIdParcours);
}

bool ContexteManager::addParcours(std::shared_ptr<ParcoursCollection>& collection, long& counter, long ilIdAppli,
                                  long ilIdParcours)
{
    const auto appli = Appli(ilIdAppli);
    if (!collection || !appli)
        return false;
    const QString key = QStringLiteral("Parcours") + QString::number(ilIdParcours);
    // An identifier that another application's path already holds in this
    // collection is refused before the application creates the path, so that
    // no application keeps a path the root does not list.
    if (!appli->Parcours(ilIdParcours) && collection->contains(key))
        return false;
    if (appli->AddParcours(ilIdParcours)) {
        const auto parcours = appli->Parcours(ilIdParcours);
        parcours->IdAppliDuParcours(ilIdAppli);
        collection->add(key, parcours);
    }
    // Counted also when the application already had that path.
    ++counter;
    return true;
}

std::shared_ptr<Parcours> ContexteManager::ParcoursEnCours() const
{
    return context_.parcoursEnCours;
}

void ContexteManager::ParcoursEnCoursQuitte()
{
    context_.parcoursEnCours.reset();
}

std::shared_ptr<Module> ContexteManager::ModuleEnCours() const
{
    switch (typeManagment_) {
    case TypeSimplifie:
        return context_.puoModuleEnCours;
    case TypeQuelvoro:
        return context_.parcoursEnCours ? context_.parcoursEnCours->ModuleEnCours() : nullptr;
    default:
        return nullptr;
    }
}

long ContexteManager::countAccessible(const std::shared_ptr<ParcoursCollection>& collection)
{
    long count = 0;
    if (collection) {
        for (const auto& parcours : collection->items()) {
            if (parcours->Accessible())
                ++count;
        }
    }
    return count;
}

long ContexteManager::NbParcoursEvalAccessible()
{
    nbParcoursEvalAccessible_ = countAccessible(parcoursEval_);
    return nbParcoursEvalAccessible_;
}

long ContexteManager::NbParcoursFormAccessible()
{
    nbParcoursFormAccessible_ = countAccessible(parcoursForm_);
    return nbParcoursFormAccessible_;
}

}  // namespace lumaro

#include "Parcours.h"

#include "IndexThematique.h"
#include "LumaroContext.h"
#include "Module.h"

#include <algorithm>

namespace lumaro {

namespace {

QString moduleKey(long ilIdModule)
{
    return QStringLiteral("Module") + QString::number(ilIdModule);
}

}  // namespace

Parcours::Parcours(LumaroContext& context) : context_(context), modules_(std::make_shared<ModuleCollection>()) {}

Parcours::~Parcours() = default;

bool Parcours::AddModule(long ilIdModule)
{
    const QString key = moduleKey(ilIdModule);
    if (modules_->contains(key))
        return false;
    auto module = std::make_shared<lumaro::Module>(context_);
    module->TypeModule(typeParcours_);
    module->IdModule(ilIdModule);
    if (typeParcours_ == TYPEevaluation) {
        tGlobPropModEval props;
        props.lGPETypeChrono = infosEval_.lGPETypeChrono;
        props.bGPEVisuNote = infosEval_.bGPEVisuNote;
        props.bGPEVisuResultat = infosEval_.bGPEVisuResultat;
        module->GlobPropModEval(props);
    }
    return modules_->add(key, std::move(module));
}

std::shared_ptr<Module> Parcours::Module(long ilIdModule) const
{
    return modules_->item(moduleKey(ilIdModule));
}

bool Parcours::ModuleAccede(long ilIdModule)
{
    context_.puoModuleEnCours = Module(ilIdModule);
    if (!context_.puoModuleEnCours)
        return false;
    context_.puoModuleEnCours->StartModule();
    return true;
}

void Parcours::ModuleEnCoursQuitte()
{
    if (const auto module = context_.puoModuleEnCours)
        module->Finir();
    context_.puoModuleEnCours.reset();
}

void Parcours::TypeParcours(ETypeParcoursModule type)
{
    if (type == TYPEformation && !indexThematique_)
        indexThematique_ = std::make_shared<lumaro::IndexThematique>();
    typeParcours_ = type;
}

void Parcours::SetInfosEval(eGlobPropParcEval ieGlobPropParcEval, long ilValueLong, bool ibValueBool)
{
    switch (ieGlobPropParcEval) {
    case eGlobPropParcEval::lGPETypeChrono:
        infosEval_.lGPETypeChrono = ilValueLong;
        break;
    case eGlobPropParcEval::bGPEReprise:
        infosEval_.bGPEReprise = ibValueBool;
        break;
    case eGlobPropParcEval::lGPETypeReprise:
        infosEval_.lGPETypeReprise = ilValueLong;
        break;
    case eGlobPropParcEval::bGPESequentiel:
        infosEval_.bGPESequentiel = ibValueBool;
        break;
    case eGlobPropParcEval::bGPEVisuNote:
        infosEval_.bGPEVisuNote = ibValueBool;
        break;
    case eGlobPropParcEval::lGPETypeVisu:
        infosEval_.lGPETypeVisu = ilValueLong;
        break;
    case eGlobPropParcEval::bGPEVisuResultat:
        infosEval_.bGPEVisuResultat = ibValueBool;
        break;
    case eGlobPropParcEval::bGPEMajAutorise:
        infosEval_.bGPEMajAutorise = ibValueBool;
        break;
    case eGlobPropParcEval::bGPEPformAutoCree:
        infosEval_.bGPEPformAutoCree = ibValueBool;
        break;
    }
}

long Parcours::NbModulesAccessibles() const
{
    const auto modules = modules_->items();
    return long(std::count_if(modules.begin(), modules.end(),
                              [](const std::shared_ptr<lumaro::Module>& module) { return module->Accessible(); }));
}

QString Parcours::DureeParcours() const
{
    if (debutParcours_.serial() == 0.0)
        return QStringLiteral("0000:00");
    return puFormateDuree(context_.modelNow().serial() - debutParcours_.serial());
}

std::shared_ptr<Module> Parcours::ModuleEnCours() const
{
    return context_.puoModuleEnCours;
}

bool Parcours::holds(const std::shared_ptr<lumaro::Module>& module) const
{
    const auto modules = modules_->items();
    return module && std::find(modules.begin(), modules.end(), module) != modules.end();
}

void Parcours::Destroy()
{
    const bool holdsCurrent = holds(context_.puoModuleEnCours);
    while (!modules_->isEmpty()) {
        if (const auto last = modules_->at(modules_->count()))
            last->Destroy();
        modules_->removeAt(modules_->count());
    }
    if (indexThematique_) {
        indexThematique_->Destroy();
        indexThematique_.reset();
    }
    if (holdsCurrent)
        context_.puoModuleEnCours.reset();
}

}  // namespace lumaro

#include "Dll.h"

#include "ExerciseEngine.h"
#include "LumaroContext.h"
#include "ModuleInterractif.h"
#include "ReponseGenerale.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

namespace lumaro {

namespace {

const QString unitName = QStringLiteral("Dll");

// The engine of an "EXERVA" component, from the factory the course's builder supplied.
std::shared_ptr<ExerciseEngine> createEngine(const LumaroContext& context)
{
    auto engine = context.engineFactory ? context.engineFactory() : nullptr;
    if (!engine)
        throw platform::RuntimeError(platform::CannotCreateObject,
                                     platform::runtimeErrorText(platform::CannotCreateObject)
                                         + QStringLiteral(" (EXERVA: no exercise engine is supplied)"));
    return engine;
}

}  // namespace

Dll::Dll(LumaroContext& context) : context_(context) {}

Dll::~Dll() = default;

std::shared_ptr<ReponseGenerale> Dll::GetReponse(const QString& isLettre) const
{
    return reponses_.item(isLettre);
}

bool Dll::AddReponse(const QString& isLettre)
{
    if (reponses_.add(isLettre, std::make_shared<ReponseGenerale>()))
        return true;
    const platform::RuntimeError error(platform::DuplicateKey);
    if (context_.pulStateEnCours == basalo::enuFunctionReturnState_General_Traitement_OK)
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Dll_AddReponse_ErreurInconnue;
    context_.lastError.store(error);
    context_.trace.write(tracel::TypeClass, unitName, tracel::errorLine(error));
    return false;
}

bool Dll::ChargeDll()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function ChargeDll"));
    scope.value(QStringLiteral("pisNom"), nom_);
    const auto error = platform::trapError(platform::AutomationError, [&] {
        if (nom_.toUpper() == QStringLiteral("EXERVA")) {
            typeDll_ = 2;
            scope.value(QStringLiteral("pilTypeDll"), QStringLiteral("2"));
            dllExerva_ = createEngine(context_);
        } else {
            typeDll_ = 1;
            scope.value(QStringLiteral("pilTypeDll"), QStringLiteral("1"));
            dllInterractive_ = context_.components.create(nom_);
        }
        chargee_ = true;
        scope.value(QStringLiteral("pibChargee"), QStringLiteral("True"));
    });
    if (!error)
        return true;
    if (context_.pulStateEnCours == basalo::enuFunctionReturnState_General_Traitement_OK)
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Dll_ChargeDll_ErreurInconnue;
    context_.lastError.store(*error);
    scope.line(tracel::errorLine(*error));
    return false;
}

void Dll::Destroy()
{
    dllInterractive_.reset();
    dllExerva_.reset();
    reponses_.clear();
}

bool Dll::TestePoint()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function TestePoint"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        if (typeDll_ == 1)
            testeInterractif();
        else
            testeExerva();
    });
    if (!error)
        return true;
    context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Dll_TestePoint_ErreurInconnue;
    context_.lastError.store(*error);
    scope.line(tracel::errorLine(*error));
    return false;
}

void Dll::erreurGeneraleB()
{
    pointCauseErreur_ = QStringLiteral("B");
    pointErreurGenerale_ = true;
    pointBravo_ = false;
    pointBravoNuance_ = false;
}

void Dll::testeInterractif()
{
    // Each slot's own failure is ignored, in the contract's order; but an answer
    // that could not be scored or read is never taken for a right one.
    const auto component = dllInterractive_;
    const bool scoringFailed = platform::trapError(platform::AutomationError, [&] { platform::require(component).TestePoint(); }).has_value();
    QString letter;
    const bool letterFailed = platform::trapError(platform::AutomationError, [&] { letter = platform::require(component).CauseErreur(); }).has_value();
    bool generale = false;
    platform::trapError(platform::AutomationError, [&] { generale = platform::require(component).ErreurGenerale(); });
    bool nuance = false;
    platform::trapError(platform::AutomationError, [&] { nuance = platform::require(component).BravoNuance(); });

    if (scoringFailed || letterFailed) {
        context_.trace.write(tracel::TypeClass, unitName,
                             QStringLiteral("DllInterractive.TestePoint a généré une erreur, on provoque une erreur "
                                            "générale B"));
        erreurGeneraleB();
        return;
    }
    pointCauseErreur_ = letter;
    pointBravo_ = letter.isEmpty();
    pointErreurGenerale_ = generale;
    pointBravoNuance_ = nuance;
}

void Dll::testeExerva()
{
    long code = 0;
    const auto engine = dllExerva_;
    if (platform::trapError(platform::AutomationError, [&] { code = platform::require(engine).TestePoint(); })) {
        context_.trace.write(tracel::TypeClass, unitName,
                             QStringLiteral("pioDllExerva.TestePoint a généré une erreur, on provoque une erreur "
                                            "générale B"));
        dllExerva_.reset();
        typeDll_ = 0;
        chargee_ = false;
        erreurGeneraleB();
        return;
    }
    context_.pulStateEnCours = code;
    context_.trace.write(tracel::TypeClass, unitName, QStringLiteral("pulStateEnCours = ") + QString::number(code));
    pointBravoNuance_ = false;
    if (code == basalo::enuFunctionReturnState_General_Traitement_OK) {
        pointErreurGenerale_ = false;
        pointBravo_ = engine->Bravo();
        if (!pointBravo_) {
            pointCauseErreur_ = engine->LettreReponse();
            context_.trace.write(tracel::TypeClass, unitName, QStringLiteral("pisCauseErreur = ") + pointCauseErreur_);
        }
        return;
    }
    context_.trace.write(tracel::TypeClass, unitName, QStringLiteral("pisCauseErreur = #A et pibErreurGenerale = True"));
    pointCauseErreur_ = QStringLiteral("#A");
    pointErreurGenerale_ = true;
    pointBravo_ = false;
}

}  // namespace lumaro

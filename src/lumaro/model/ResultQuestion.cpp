#include "ResultQuestion.h"

#include "Dll.h"
#include "Enumerations.h"
#include "LumaroContext.h"
#include "Question.h"
#include "Reponse.h"
#include "ReponseGenerale.h"

#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

#include <algorithm>

namespace lumaro {

namespace {

const QString unitName = QStringLiteral("ResultQuestion");

}  // namespace

ResultQuestion::ResultQuestion(LumaroContext& context) : context_(context) {}

ResultQuestion::~ResultQuestion() = default;

void ResultQuestion::Initialiser()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Sub Initialiser"));
    const platform::OleDate now = context_.modelNow();
    if (datePremierAcces_.serial() == 0.0)
        datePremierAcces_ = now;
    debutCourant_ = now;
    scope.value(QStringLiteral("dteDebutPremier"), LumaroContext::dateText(datePremierAcces_));
    scope.value(QStringLiteral("dteDebutCourant"), LumaroContext::dateText(now));
}

void ResultQuestion::Vider()
{
    valide_ = false;
    datePremierAcces_ = platform::OleDate();
    duree_ = 0.0;
}

void ResultQuestion::Valider()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Sub Valider"));
    // A result loaded without an outcome of this session keeps the one shown so far.
    if (typeReponse_ != PasDeResultat)
        typeAffichage_ = typeReponse_;
    valide_ = true;
    // Only the attempt in progress counts, once: validating again adds nothing.
    if (debutCourant_) {
        duree_ += std::max(0.0, context_.modelNow().serial() - debutCourant_->serial());
        debutCourant_.reset();
    }
    scope.value(QStringLiteral("Duree"), Duree());
}

void ResultQuestion::LettreReponse(const QString& lettre)
{
    lettreReponse_ = lettre;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        switch (typeReponse_) {
        case ErreurParticuliere:
            idReponse_ = platform::require(platform::require(question_).GetReponse(lettre)).IdReponse();
            break;
        case ErreurGenerale: {
            const auto& dll = platform::require(platform::require(question_).Dll());
            idReponse_ = platform::require(dll.GetReponse(lettre)).IdReponse();
            break;
        }
        case BravoNuance:
        case Bravo:
            idReponse_ = -1;
            break;
        default:
            break;
        }
    });
    if (error) {
        context_.lastError.store(*error);
        context_.trace.write(tracel::TypeClass, unitName,
                             tracel::errorLine(*error));
    }
}

QString ResultQuestion::Duree() const
{
    return puFormateDuree(duree_);
}

}  // namespace lumaro

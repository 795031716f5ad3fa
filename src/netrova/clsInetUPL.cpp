#include "clsInetUPL.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"

#include <cmath>

namespace netrova {
namespace {

toolkit::TransportProfile profileOf(NetrovaContext& context)
{
    toolkit::TransportProfile profile;
    profile.formActionQuery = [&context] {
        return toolkit::QueryItems{{QStringLiteral("sessionid"), context.pusPkCookie}};
    };
    profile.postDataQuery = [&context] {
        return toolkit::QueryItems{{QStringLiteral("PkCookie"), context.pusPkCookie}};
    };
    profile.serverBase = [&context] { return context.pusURLBaseServer; };
    profile.componentFolder = [&context] { return context.componentFolder(); };
    profile.timeout = context.requestTimeout;
    profile.stallTime = context.requestStallTime;
    profile.codeTimeOut = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurTimeOut;
    profile.codeTimeOutPost = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurTimeOut;
    profile.codeParam = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurParam;
    profile.codeParamName = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurParamName;
    profile.codeFailure = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_Erreur;
    return profile;
}

const QString failedReply = QStringLiteral("KAV_ERREUR");

}  // namespace

clsInetUPL::clsInetUPL(NetrovaContext& context)
    : toolkit::clsInetUPL(context, profileOf(context), context.createHttpSession())
{
}

QString clsInetUPL::PostExternData(const QString& siURL, const QString& siPage, const QStringList& values)
{
    toolkit::SessionState& session = state();
    session.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    const tracel::TraceScope scope(session.trace, tracel::TypeClass, QStringLiteral("clsManager"),
                                   QStringLiteral("Public Function PostExternData"));
    scope.value(QStringLiteral("siURL"), siURL);
    scope.value(QStringLiteral("siPage"), siPage);
    std::vector<toolkit::tParamForm> records;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        // The number of records rounds half the values to the nearest even number.
        const long count = static_cast<long>(std::nearbyint(values.size() / 2.0 - 1.0)) + 1;
        scope.value(QStringLiteral("lCount"), QString::number(count));
        for (long i = 0; i < count; ++i) {
            if (2 * i + 1 >= values.size())
                throw platform::RuntimeError(platform::SubscriptOutOfRange);
            records.push_back({i, values[2 * i], values[2 * i + 1]});
            scope.value(QStringLiteral("asParam(%1).ParamName").arg(i), values[2 * i]);
            scope.value(QStringLiteral("asParam(%1).ParamValue").arg(i), values[2 * i + 1]);
        }
    });
    if (error) {
        session.recordError(*error, scope);
        session.pulStateEnCours = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostExternData_Erreur;
        return failedReply;
    }
    const QString reply = PostFormData(siURL, siPage, records);
    return session.pulStateEnCours == basalo::enuFunctionReturnState_General_Traitement_OK ? reply : failedReply;
}

}  // namespace netrova

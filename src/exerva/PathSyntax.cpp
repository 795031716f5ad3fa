#include "PathSyntax.h"

#include "ExervaContext.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/Paths.h"

namespace exerva {

namespace {

QChar modeSeparator(const ExervaContext& context)
{
    return context.modeInet ? QLatin1Char('/') : QLatin1Char('\\');
}

}  // namespace

void puNormaliseSeparateurs(const ExervaContext& context, QString& path)
{
    if (context.modeInet)
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    else
        path.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

long puCheckSyntax(const ExervaContext& context, QString& path)
{
    if (path.size() < 2)
        return basalo::enuFunctionReturnState_Exerva_modGlobal_puCheckSyntax_ErreurShortString;
    puNormaliseSeparateurs(context, path);
    if (!path.endsWith(modeSeparator(context)))
        path += modeSeparator(context);
    return basalo::enuFunctionReturnState_General_Traitement_OK;
}

QString applicationFolder(const ExervaContext& context)
{
    QString folder = context.pusCheminRoot + QString::number(context.idAppli)
        + (context.typeBaseBis == 2 ? QStringLiteral("Eb") : QStringLiteral("F"));
    puCheckSyntax(context, folder);
    return folder;
}

QString diskPath(const QString& enginePath)
{
    return platform::paths::findExisting(platform::paths::fromData(enginePath));
}

}  // namespace exerva

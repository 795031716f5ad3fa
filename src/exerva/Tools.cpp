#include "Tools.h"

#include "ExervaContext.h"
#include "PathSyntax.h"

#include "platform/Paths.h"
#include "platform/RuntimeError.h"

namespace exerva {

Tools::Tools(ExervaContext& context, QWidget* parent) : ExerciseControl(context, parent)
{
    addMember(QStringLiteral("SetPathRorovaAppli"), VbMethod, [this](QVariantList& arguments) -> QVariant {
        if (arguments.size() != 1)
            throw platform::RuntimeError(platform::InvalidProcedureCall);
        QString file = arguments[0].toString();
        const QString path = SetPathRorovaAppli(file);
        arguments[0] = file;
        return path;
    });
}

QString Tools::SetPathRorovaAppli(QString& isFile)
{
    puNormaliseSeparateurs(context(), isFile);
    if (!isFile.isEmpty() && !platform::paths::staysInside(isFile))
        throw platform::RuntimeError(platform::BadFileName);
    return applicationFolder(context()) + isFile;
}

}  // namespace exerva

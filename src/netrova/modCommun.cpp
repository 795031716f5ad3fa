#include "modCommun.h"

#include "platform/OleDate.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace netrova {
namespace {

constexpr const char* version = "1.1.0";

}  // namespace

QString traceFolderFor(const NetrovaContext& context, const QString& pathTracel)
{
    const QString root = context.traceRoot();
    if (pathTracel.isEmpty() || !platform::paths::staysInside(pathTracel))
        return root;
    return platform::paths::withTrailingSeparator(QDir::cleanPath(root + platform::paths::fromData(pathTracel)));
}

bool puInitTraceLog(NetrovaContext& context)
{
    const QString asked = context.PathTracel;
    const QString folder = traceFolderFor(context, asked);
    const QString fileName = platform::paths::isPlainFileName(context.FileTracel) ? context.FileTracel : QStringLiteral("Netrova");
    if (!QDir().mkpath(folder))
        return false;
    const QString now = context.clock().now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    if (!context.trace.start(folder, fileName, QStringLiteral("Netrova - Plug-in de formation en ligne - ") + now,
                             context.clock()))
        return false;
    context.PathTracel = folder;
    const auto line = [&context](const QString& text) { context.trace.write(tracel::TypeBas, QString(), text, 0); };
    line(QStringLiteral("Version : ") + QLatin1String(version));
    line(QStringLiteral("VersionSystem : ") + context.VersionSystem);
    line(QStringLiteral("VersionBdd : ") + context.VersionBdd);
    const QFileInfo binary(QCoreApplication::applicationFilePath());
    line(QStringLiteral("Binary File Path : ") + binary.absolutePath() + u'/' + binary.completeBaseName());
    if (!asked.isEmpty() && !platform::paths::staysInside(asked))
        line(QStringLiteral("erreur kav PathTracel hors du dossier des traces : ") + asked);
    return true;
}

}  // namespace netrova

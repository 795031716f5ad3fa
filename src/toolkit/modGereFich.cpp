#include "modGereFich.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace toolkit {
namespace {

const QString moduleName = QStringLiteral("modGereFich");

void addTrailing(QString& text, QChar separator, EmptyText empty)
{
    if (text.isEmpty() && empty == EmptyText::StaysEmpty)
        return;
    if (!text.endsWith(separator))
        text += separator;
}

}  // namespace

void puAddTrailingSlash(QString& text, EmptyText empty)
{
    addTrailing(text, u'/', empty);
}

void puAddTrailingBackslash(QString& text, EmptyText empty)
{
    text = platform::paths::fromData(text);
    addTrailing(text, platform::paths::separator, empty);
}

bool puCheckFolderExist(SessionState& state, const QString& isFolder)
{
    const tracel::TraceScope scope(state.trace, tracel::TypeBas, moduleName,
                                   QStringLiteral("Public Function puCheckFolderExist"));
    scope.value(QStringLiteral("isFolder"), isFolder);
    const QString path = platform::paths::fromData(isFolder);
    const QFileInfo found(path);
    const bool exists = !path.isEmpty() && found.exists();
    scope.value(QStringLiteral("sTempDir"), exists ? found.fileName() : QString());
    scope.line(QStringLiteral("Err.Number = 0"));
    return exists;
}

long puDllsUnRegister(SessionState& state, const QString& siDLLPath)
{
    const tracel::TraceScope scope(state.trace, tracel::TypeBas, moduleName,
                                   QStringLiteral("Public Function puDllsUnRegister"));
    scope.value(QStringLiteral("siDLLPath"), siDLLPath);
    const QDir folder(platform::paths::fromData(siDLLPath));
    if (siDLLPath.isEmpty() || !folder.exists()) {
        scope.line(QStringLiteral("erreur kav lFileHandle = INVALID_HANDLE_VALUE"));
        return -1;
    }
    long count = 0;
    const QStringList libraries = folder.entryList({QStringLiteral("*.dll")}, QDir::Files, QDir::Name);
    for (const QString& library : libraries) {
        scope.line(QStringLiteral("regsvr32.exe /u /s \"%1\" : sans objet sur ce poste").arg(folder.filePath(library)));
        ++count;
    }
    scope.value(QStringLiteral("lNbDllRegistered"), QString::number(count));
    const QString check = platform::paths::findExisting(folder.filePath(QStringLiteral("kavcheck.dat")));
    if (QFileInfo(check).isFile())
        QFile::remove(check);
    return count;
}

}  // namespace toolkit

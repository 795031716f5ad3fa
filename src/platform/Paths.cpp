#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace platform::paths {

QString fromData(const QString& path)
{
    QString result = path;
    result.replace(u'\\', separator);
    return result;
}

QString withTrailingSeparator(const QString& path)
{
    if (path.isEmpty() || path.endsWith(separator))
        return path;
    return path + separator;
}

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\')
           && !name.contains(QChar(0));
}

bool staysInside(const QString& dataPath)
{
    const QString path = fromData(dataPath);
    if (path.isEmpty() || path.startsWith(separator) || path.contains(QChar(0)))
        return false;
    // "C:" and the like name another volume.
    if (path.size() >= 2 && path[1] == u':')
        return false;
    const QStringList parts = path.split(separator, Qt::SkipEmptyParts);
    return !parts.contains(QStringLiteral(".."));
}

std::optional<QString> joinInside(const QString& folder, const QString& dataPath)
{
    if (!staysInside(dataPath))
        return std::nullopt;
    return withTrailingSeparator(folder) + fromData(dataPath);
}

QString findExisting(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;

    const bool absolute = path.startsWith(separator);
    const QStringList parts = path.split(separator, Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString exact = current.isEmpty() ? part : withTrailingSeparator(current) + part;
        if (part == u"." || part == u".." || QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
        const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QString match;
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return path;
        current = current.isEmpty() ? match : withTrailingSeparator(current) + match;
    }
    if (path.endsWith(separator))
        current = withTrailingSeparator(current);
    return current;
}

}  // namespace platform::paths

#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <optional>

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

bool staysInside(const QString& dataPath)
{
    const QString path = fromData(dataPath);
    if (path.isEmpty() || path.startsWith(separator) || path.contains(QChar(0)))
        return false;
    // A name that starts with ":" is one of the program's own resources to Qt's
    // file classes; no file name of the data's platform starts so.
    if (path.startsWith(u':'))
        return false;
    // "C:" and the like name another volume.
    if (path.size() >= 2 && path[1] == u':')
        return false;
    const QStringList parts = path.split(separator, Qt::SkipEmptyParts);
    return !parts.contains(QStringLiteral(".."));
}

namespace {

QString joined(const QString& folder, const QString& name)
{
    return folder.isEmpty() ? name : withTrailingSeparator(folder) + name;
}

// The components from `next` on, found under `folder`: the exact name first,
// then every name that differs only by case; a component that is not the last
// must be a folder. Backtracks when a candidate leads nowhere.
std::optional<QString> resolve(const QString& folder, const QStringList& parts, qsizetype next)
{
    if (next == parts.size())
        return folder;
    const QString& part = parts[next];
    const bool last = next + 1 == parts.size();
    const QString exact = joined(folder, part);
    if (part == u"." || part == u"..")
        return resolve(exact, parts, next + 1);

    const QFileInfo exactInfo(exact);
    if (exactInfo.exists() && (last || exactInfo.isDir())) {
        if (auto found = resolve(exact, parts, next + 1))
            return found;
    }
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QDir::Filters kinds = last ? QDir::AllEntries : QDir::Dirs;
    for (const QString& entry : dir.entryList(kinds | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry == part || entry.compare(part, Qt::CaseInsensitive) != 0)
            continue;
        if (auto found = resolve(joined(folder, entry), parts, next + 1))
            return found;
    }
    return std::nullopt;
}

}  // namespace

bool isPlainFileName(const QString& dataName)
{
    return staysInside(dataName) && !fromData(dataName).contains(separator) && dataName != QLatin1String(".");
}

QString findExisting(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;

    const bool absolute = path.startsWith(separator);
    const QStringList parts = path.split(separator, Qt::SkipEmptyParts);
    const auto found = resolve(absolute ? QStringLiteral("/") : QString(), parts, 0);
    if (!found)
        return path;
    return path.endsWith(separator) ? withTrailingSeparator(*found) : *found;
}

}  // namespace platform::paths

#include "PackageFiles.h"

#include "HtmlPage.h"

#include "platform/Paths.h"

#include <QSet>
#include <QUrl>

namespace toolkit {

std::optional<QStringList> packageFiles(SessionState& state, const QString& pageText,
                                        const tracel::TraceScope& scope)
{
    QStringList names;
    QSet<QString> seen;
    for (const QString& link : pageLinks(pageText)) {
        // A file of a package lies in the page's folder or below it, and nowhere else.
        const QString name = platform::paths::fromData(QUrl::fromPercentEncoding(link.toUtf8()));
        bool inside = !name.isEmpty() && !name.contains(u':') && !name.contains(u'?') && !name.contains(u'#')
                      && platform::paths::staysInside(name);
        for (const QString& part : name.split(platform::paths::separator)) {
            if (!inside)
                break;
            inside = !part.isEmpty() && !part.startsWith(u'.') && platform::paths::isPlainFileName(part);
        }
        if (!inside) {
            state.recordError(
                platform::RuntimeError(platform::BadFileName, QStringLiteral("Nom de fichier refusé : ") + link),
                scope);
            return std::nullopt;
        }
        // The files were written for a case-insensitive file system: one name, one file.
        if (!seen.contains(name.toLower())) {
            seen.insert(name.toLower());
            names.append(name);
        }
    }
    if (names.size() > maxPackageFiles) {
        const QString why = QStringLiteral("Paquet refusé : la page liste %1 fichiers, %2 au plus")
                                .arg(names.size())
                                .arg(maxPackageFiles);
        state.recordError(platform::RuntimeError(platform::Overflow, why), scope);
        return std::nullopt;
    }
    return names;
}

}  // namespace toolkit

#include "PageAddress.h"

#include "platform/ErrorTrap.h"
#include "platform/Paths.h"

namespace lumaro {

QUrl pageAddress(const QString& folder, const QString& page)
{
    // The page's name comes from the course data: it stays in the application's folder.
    if (!platform::paths::staysInside(page))
        throw platform::RuntimeError(platform::BadFileName, page);
    const QString path = folder + page;
    const QUrl url(path);
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        return url;
    return QUrl::fromLocalFile(platform::paths::findExisting(platform::paths::fromData(path)));
}

} // namespace lumaro

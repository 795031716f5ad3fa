#include "MediaSequence.h"

#include "platform/Paths.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumaro {

double sequenceStartValue(const QString& start)
{
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*([+-]?(\\d+(\\.\\d*)?|\\.\\d+))"));
    const auto match = leadingNumber.match(start);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);
    return ok ? value : 0;
}

std::optional<double> timeTextSeconds(const QString& text)
{
    static const QRegularExpression time(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const auto match = time.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    const int seconds = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
    if (hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

QSize playerSize(const std::optional<QString>& width, const std::optional<QString>& height)
{
    if (!width || !height)
        return defaultPlayerSize;
    bool widthOk = false;
    bool heightOk = false;
    const int w = width->trimmed().toInt(&widthOk);
    const int h = height->trimmed().toInt(&heightOk);
    if (!widthOk || !heightOk || w <= 0 || h <= 0)
        return defaultPlayerSize;
    return QSize(w, h);
}

QString withTitleSpelling(QString description)
{
    return description.replace(QStringLiteral("title="), QStringLiteral("Title="));
}

int roundHalfEven(double value)
{
    // A value beyond int's range has no int to convert to: take the nearest
    // one instead of leaving the result undefined, and 0 for no number.
    const double rounded = std::nearbyint(value);
    if (std::isnan(rounded))
        return 0;
    return static_cast<int>(std::clamp(rounded, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

std::optional<QUrl> documentAddress(const QString& base, const QString& fileName)
{
    const QString name = platform::paths::fromData(fileName);
    if (name.isEmpty() || !platform::paths::staysInside(name))
        return std::nullopt;
    const QUrl baseUrl(base, QUrl::TolerantMode);
    const QString scheme = baseUrl.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        const QByteArray encoded = QUrl::toPercentEncoding(name, "/");
        const QUrl address = QUrl::fromEncoded(baseUrl.toEncoded() + encoded, QUrl::StrictMode);
        if (!address.isValid())
            return std::nullopt;
        return address;
    }
    const QString folder = scheme == QLatin1String("file") ? baseUrl.toLocalFile() : platform::paths::fromData(base);
    return QUrl::fromLocalFile(platform::paths::findExisting(folder + name));
}

}  // namespace lumaro

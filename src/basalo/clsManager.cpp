#include "clsManager.h"

#include "platform/Paths.h"
#include "platform/RuntimeError.h"
#include "platform/TextCodec.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace basalo {

namespace {

constexpr int iniBufferLength = 1024;

// Fixed notation with at most 15 significant digits and no trailing zeros, the
// form the run time gave a double, never an exponent.
QString serialText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    const int magnitude = int(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, 14 - magnitude);
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (text == u"-0")
        text = QStringLiteral("0");
    return text;
}

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

}  // namespace

BasaloState& BasaloState::processDefault()
{
    static BasaloState state;
    return state;
}

void clsManager::storeError(long number)
{
    state_.lastError.store(platform::RuntimeError(number));
}

enuFunctionReturnState clsManager::ConvertDateToKavDbl(platform::OleDate dteiLocalDateTime, QString& soReturn)
{
    if (!dteiLocalDateTime.isValid()) {
        storeError(platform::Overflow);
        return enuFunctionReturnState_Basalo_ConvertDateToKavDbl_ErreurGeneree;
    }
    soReturn = serialText(dteiLocalDateTime.serial());
    return enuFunctionReturnState_General_Traitement_OK;
}

enuFunctionReturnState clsManager::ConvertKavDblToDate(const QString& siKavDblDate, platform::OleDate& dteoReturn)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString text = siKavDblDate.trimmed();
    if (!number.match(text).hasMatch()) {
        storeError(platform::TypeMismatch);
        return enuFunctionReturnState_Basalo_ConvertKavDblToDate_ErreurGeneree;
    }
    // QString reads numbers in the C locale, whatever LC_NUMERIC says.
    const platform::OleDate date(text.toDouble());
    if (!date.isValid()) {
        storeError(platform::Overflow);
        return enuFunctionReturnState_Basalo_ConvertKavDblToDate_ErreurGeneree;
    }
    dteoReturn = date;
    return enuFunctionReturnState_General_Traitement_OK;
}

QString clsManager::ErrorDescription()
{
    return state_.lastError.takeText();
}

long clsManager::ErrorNumber()
{
    return state_.lastError.takeNumber();
}

QString clsManager::ConstanteValue(long eiConstante) const
{
    return constanteText(eiConstante);
}

QString clsManager::GetPrivateProfileString(const QString& siSection, const QString& siKey,
                                            const QString& siFileName) const
{
    if (siFileName.isEmpty())
        return {};
    const auto content = platform::readTextFile(platform::paths::findExisting(platform::paths::fromData(siFileName)));
    if (!content)
        return {};

    const QString section = siSection.trimmed();
    const QString key = siKey.trimmed();
    bool inSection = false;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = content->split(lineEnd);
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(u'[')) {
            // Only the first section of a name is read: the key is not looked for further.
            if (inSection)
                return {};
            const qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || line.startsWith(u';'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        const qsizetype nul = value.indexOf(QChar(0));
        if (nul >= 0)
            value.truncate(nul);
        qsizetype length = std::min<qsizetype>(value.size(), iniBufferLength - 1);
        // A character outside the basic plane is not cut in half.
        if (length < value.size() && value[length - 1].isHighSurrogate())
            --length;
        return value.left(length);
    }
    return {};
}

void clsManager::CheckPathSyntax(QString& soPath, long eiPathType) const
{
    QChar separator;
    switch (eiPathType) {
    case Physical:
        // A "\" from data is a separator of the file system.
        soPath = platform::paths::fromData(soPath);
        separator = platform::paths::separator;
        break;
    case URL:
        separator = u'/';
        break;
    default:
        return;
    }
    if (!soPath.endsWith(separator))
        soPath.append(separator);
}

}  // namespace basalo

#include "clsLangue.h"

namespace toolkit {

QString clsLangue::GetMessage(const QString& key) const
{
    return basalo_.GetPrivateProfileString(sectionPrefix_ + langueId_, key, lngFilePath_);
}

QString clsLangue::GetMessage(const QString& key, const QStringList& values) const
{
    return fillPlaceholders(GetMessage(key), values);
}

QString clsLangue::fillPlaceholders(const QString& text, const QStringList& values)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'%' && i + 1 < text.size()) {
            const int index = text.at(i + 1).digitValue() - 1;
            if (index >= 0 && index < 3 && index < values.size()) {
                result += values.at(index);
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

}  // namespace toolkit

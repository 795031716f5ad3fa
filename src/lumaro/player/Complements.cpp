#include "Complements.h"

#include "lumaro/model/ModuleComplement.h"

#include <QHash>

namespace lumaro {

namespace {

    bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

    // The spaces of the text's two ends gone; other white space stays.
    QString withoutEndSpaces(const QString& text)
    {
        qsizetype first = 0;
        qsizetype last = text.size();
        while (first < last && text[first] == u' ')
            ++first;
        while (last > first && text[last - 1] == u' ')
            --last;
        return text.mid(first, last - first);
    }

} // namespace

QString piRemplaceComplements(const QString& message, ModuleComplement& complements)
{
    const long count = complements.Count();
    // Each complement is asked for once, however often the message names it.
    QHash<long, QString> texts;
    QString replaced;
    replaced.reserve(message.size());
    qsizetype i = 0;
    while (i < message.size()) {
        if (message[i] != u'#') {
            replaced += message[i++];
            continue;
        }
        qsizetype end = i + 1;
        while (end < message.size() && isDigit(message[end]))
            ++end;
        bool number = false;
        const qlonglong n = message.mid(i + 1, end - i - 1).toLongLong(&number);
        // "#0" and "#01" name no complement: placeholders are written without leading zeros.
        if (number && message[i + 1] != u'0' && n >= 1 && n <= count) {
            const long index = long(n);
            if (!texts.contains(index))
                texts.insert(index, withoutEndSpaces(complements.Item(index)));
            replaced += texts.value(index);
        } else {
            replaced += message.mid(i, end - i);
        }
        i = end;
    }
    return replaced;
}

} // namespace lumaro

#include "QuestionList.h"

#include "exerva/NumberText.h"

#include "platform/RuntimeError.h"

#include <QStringList>

namespace exerva::questionlist {

std::vector<long> fromList(const QString& text)
{
    std::vector<long> instances;
    if (text.isEmpty())
        return instances;
    const QStringList pieces = text.split(QChar(u';'));
    instances.reserve(std::size_t(pieces.size()));
    for (const QString& piece : pieces)
        instances.push_back(wholeNumberFromText(piece));
    return instances;
}

std::vector<long> fromRange(const QString& first, const QString& last)
{
    const long low = wholeNumberFromText(first);
    const long up = wholeNumberFromText(last);
    if (up < low)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    // In 64 bits: two Longs far apart do not overflow the count.
    const long long count = static_cast<long long>(up) - low + 1;
    if (count > maxRangeEntries)
        throw platform::RuntimeError(platform::Overflow,
                                     QStringLiteral("Overflow (at most %1 questions)").arg(maxRangeEntries));
    std::vector<long> instances;
    instances.reserve(std::size_t(count));
    for (long n = low; n <= up; ++n)
        instances.push_back(n);
    return instances;
}

}  // namespace exerva::questionlist

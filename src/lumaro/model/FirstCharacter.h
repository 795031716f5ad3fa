#pragma once

#include <QString>

#include <optional>

namespace lumaro {

// The first Unicode character of a text, a surrogate pair counting as one
// character; none for an empty text. The indexes file a label under it.
inline std::optional<char32_t> firstCharacter(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.at(0);
    if (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(1));
    return char32_t(first.unicode());
}

}  // namespace lumaro
